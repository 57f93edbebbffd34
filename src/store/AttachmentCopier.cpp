#include "store/AttachmentCopier.h"

#include "format/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

QString NumberedName(int number, const QString& extension)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.7d", number);
    QString name = QString::fromLatin1(buffer);
    name += QLatin1Char('.');
    name += extension;
    return name;
}

} // namespace

AttachmentCopier::AttachmentCopier(DataFolder folder, ImageConverter converter)
    : m_folder(std::move(folder))
    , m_converter(std::move(converter))
{
}

FileStatus AttachmentCopier::CopyInNewAttachments(NoteRecord& note, QStringList* created) const
{
    FileSystem& files = m_folder.Files();
    const QDir images(m_folder.ImagesFolder());
    // Numbers only grow within one save, so two new files never share a name.
    int number = NextAttachmentNumber(m_folder);
    for (AttachmentRecord& attachment : note.Attachments) {
        if (attachment.SourcePath.isEmpty() || !attachment.StoredName.isEmpty())
            continue;
        ++number;
        FileStatus status;
        if (attachment.Kind == KindImage) {
            // Without a converter (the command line links no image library) a picture is
            // kept as it came, under its own extension: the note view reads any format.
            const QString extension
                = m_converter ? QStringLiteral("bmp") : FileExtension(attachment.SourcePath);
            attachment.StoredName = NumberedName(number, extension);
            const QString target = images.filePath(attachment.StoredName);
            if (m_converter) {
                if (const std::optional<QByteArray> bitmap = m_converter(attachment.SourcePath))
                    status = files.WriteWholeFile(target, *bitmap);
                else
                    status = FileStatus::Failed(FileStatus::Action::Write, target,
                                                QStringLiteral("The picture could not be converted"));
            } else {
                status = files.Copy(attachment.SourcePath, target);
            }
        } else {
            const QString fileName = QFileInfo(attachment.SourcePath).fileName();
            attachment.StoredName = NumberedName(number, FileExtension(fileName));
            status = files.Copy(attachment.SourcePath, images.filePath(attachment.StoredName));
        }
        if (!status) {
            RemoveCreatedFiles(*created);
            created->clear();
            return status;
        }
        created->append(attachment.StoredName);
        attachment.SourcePath.clear();
    }
    return FileStatus::Ok();
}

void AttachmentCopier::RemoveCreatedFiles(const QStringList& created) const
{
    const QDir images(m_folder.ImagesFolder());
    // A file left behind only takes room: no note refers to it.
    for (const QString& storedName : created)
        static_cast<void>(m_folder.Files().Remove(images.filePath(storedName)));
}

void AttachmentCopier::DeleteRemovedAttachmentFiles(NoteRecord& note) const
{
    const QDir images(m_folder.ImagesFolder());
    for (const QString& storedName : std::as_const(note.RemovedAttachmentFiles)) {
        if (!storedName.isEmpty())
            static_cast<void>(m_folder.Files().Remove(images.filePath(storedName)));
    }
    note.RemovedAttachmentFiles.clear();
}

void AttachmentCopier::DeleteAttachmentFiles(const NoteRecord& note) const
{
    for (const AttachmentRecord& attachment : note.Attachments) {
        if (!attachment.StoredName.isEmpty())
            static_cast<void>(m_folder.Files().Remove(AttachmentPath(attachment, m_folder)));
    }
}
