#include "exchange/ExportNotes.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/ExportDataFile.h"
#include "exchange/TempFolder.h"
#include "exchange/ZipFolder.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "sources/SourcesFile.h"
#include "store/AttachmentRecord.h"
#include "store/FieldWriter.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <unistd.h>

namespace {

// The archive only needs the bytes, so a hard link serves as the copy when the
// attachment folder and the temporary folder share a file system; it costs no I/O.
void CopyAttachment(const QString& from, const QString& to)
{
    QFile::remove(to); // an existing copy is overwritten
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return;
    QFile::copy(from, to); // a failed copy is ignored: the entry still lists the attachment
}

// A stored name that is not a plain file name never leaves the attachment folder.
bool IsPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

void CopyAttachments(const NoteRecord& note, const DataFolder& folder, const QDir& temp)
{
    for (const AttachmentRecord& attachment : note.Attachments) {
        if (IsPlainFileName(attachment.StoredName))
            CopyAttachment(AttachmentPath(attachment, folder), temp.filePath(attachment.StoredName));
    }
}

} // namespace

int ExportNotes(const NotesList& notes, const QString& archivePath, const ExportContext& context)
{
    ProgressReporter& progress = context.progress != nullptr ? *context.progress : SilentProgress();
    const QString tempPath = context.folder.FullPath(ExchangeFormat::ExportTempName());
    int result = ExchangeFormat::kExportNothingWritten;
    if (ResetTempFolder(tempPath)) {
        const QDir temp(tempPath);
        progress.Begin(QStringLiteral("Exporting notes..."), int(notes.size()) + 2);
        progress.Step();
        const SourceList sources
            = LoadSourcesFile(context.folder.FullPath(QStringLiteral("Data Files\\Sources.dat")));
        FieldWriter writer;
        WriteExportData(writer, notes, sources, context.authors, DateTime::CurrentLocal());
        // An empty list still gives an archive (Count 0) but counts as nothing written.
        if (writer.Save(temp.filePath(ExchangeFormat::DataFileName()))) {
            for (const NoteRecord& note : notes) {
                CopyAttachments(note, context.folder, temp);
                progress.Step();
            }
            progress.SetMessage(QStringLiteral("Compressing export file..."));
            QString error;
            if (ZipFolder(archivePath, tempPath, false, &error)) {
                result = int(notes.size());
            } else {
                if (context.prompt != nullptr)
                    context.prompt->Tell(error, QStringLiteral("Archiving Error"), UserPrompt::Icon::Warning);
                result = ExchangeFormat::kExportCompressionFailed;
            }
            progress.Step();
        }
    }
    RemoveTempFolder(tempPath);
    progress.End();
    return result;
}
