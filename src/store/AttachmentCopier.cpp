#include "store/AttachmentCopier.h"

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

void AttachmentCopier::CopyInNewAttachments(NoteRecord& note) const
{
    const QDir images(m_folder.ImagesFolder());
    for (const QString& storedName : std::as_const(note.RemovedAttachmentFiles)) {
        if (!storedName.isEmpty())
            QFile::remove(images.filePath(storedName));
    }
    note.RemovedAttachmentFiles.clear();

    // Numbers only grow within one save, so two new files never share a name even when
    // a copy fails and leaves no file behind.
    int number = NextAttachmentNumber(m_folder);
    for (AttachmentRecord& attachment : note.Attachments) {
        if (attachment.SourcePath.isEmpty() || !attachment.StoredName.isEmpty())
            continue;
        ++number;
        if (attachment.Kind == KindImage) {
            // Without a converter (the command line links no image library) a picture is
            // kept as it came, under its own extension: the note view reads any format.
            const QString extension
                = m_converter ? QStringLiteral("bmp") : FileExtension(attachment.SourcePath);
            attachment.StoredName = NumberedName(number, extension);
            const QString target = images.filePath(attachment.StoredName);
            if (m_converter)
                m_converter(attachment.SourcePath, target);
            else
                QFile::copy(attachment.SourcePath, target);
        } else {
            const QString fileName = QFileInfo(attachment.SourcePath).fileName();
            attachment.StoredName = NumberedName(number, FileExtension(fileName));
            // QFile::copy never replaces an existing file.
            QFile::copy(attachment.SourcePath, images.filePath(attachment.StoredName));
        }
        attachment.SourcePath.clear();
    }
}

void AttachmentCopier::DeleteAttachmentFiles(const NoteRecord& note) const
{
    for (const AttachmentRecord& attachment : note.Attachments) {
        if (!attachment.StoredName.isEmpty())
            QFile::remove(AttachmentPath(attachment, m_folder));
    }
}
