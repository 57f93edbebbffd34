#include "exchange/ExportNotes.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/ExportDataFile.h"
#include "exchange/TempFolder.h"
#include "exchange/ZipFolder.h"
#include "format/AttachmentRecord.h"
#include "format/FieldWriter.h"
#include "format/SourcesFile.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"

#include <QDir>
#include <QFile>

namespace {

// A stored name that is not a plain file name never leaves the attachment folder.
bool IsPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

// The archive holds the data file and a copy of every attached file at its root. The
// attached files go into the archive straight from the attachment folder: the entries
// are the same as those of a copy gathered in the temporary folder, without the copying.
QList<ZipFileEntry> ArchiveFiles(const NotesList& notes, const DataFolder& folder, const QString& dataFile)
{
    QList<ZipFileEntry> files;
    files.append({dataFile, ExchangeFormat::DataFileName()});
    for (const NoteRecord& note : notes) {
        for (const AttachmentRecord& attachment : note.Attachments) {
            if (IsPlainFileName(attachment.StoredName))
                files.append({AttachmentPath(attachment, folder), attachment.StoredName});
        }
    }
    return files;
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
            const QList<ZipFileEntry> files
                = ArchiveFiles(notes, context.folder, temp.filePath(ExchangeFormat::DataFileName()));
            progress.SetPosition(int(notes.size()) + 1);
            progress.SetMessage(QStringLiteral("Compressing export file..."));
            QString error;
            if (ZipFiles(archivePath, files, &error)) {
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
