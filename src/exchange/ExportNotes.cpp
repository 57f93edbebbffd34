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

namespace {

int Failed(const ExportContext& context, const QString& text, const QString& caption)
{
    if (context.prompt != nullptr)
        context.prompt->Tell(text, caption, UserPrompt::Icon::Warning);
    if (context.error != nullptr)
        *context.error = text;
    return ExchangeFormat::kExportCompressionFailed;
}

int WriteArchive(const NotesList& notes, const QString& archivePath, const ExportContext& context,
                 const QString& tempPath, ProgressReporter& progress)
{
    if (const FileStatus reset = ResetTempFolder(tempPath); !reset)
        return Failed(context, reset.Message(), FileStatus::Caption());
    const QDir temp(tempPath);
    progress.Begin(QStringLiteral("Exporting notes..."), int(notes.size()) + 2);
    progress.Step();
    const SourceList sources
        = LoadSourcesFile(context.folder.FullPath(QStringLiteral("Data Files\\Sources.dat")));
    FieldWriter writer;
    WriteExportData(writer, notes, sources, context.authors, DateTime::CurrentLocal());
    const QString dataFile = temp.filePath(ExchangeFormat::DataFileName());
    if (const FileStatus written = writer.Save(dataFile); !written)
        return Failed(context, written.Message(), FileStatus::Caption());
    const QList<ZipFileEntry> files = ArchiveFiles(notes, context.folder, dataFile);
    progress.SetPosition(int(notes.size()) + 1);
    progress.SetMessage(QStringLiteral("Compressing export file..."));
    QString error;
    const bool zipped = ZipFiles(archivePath, files, &error);
    progress.Step();
    if (!zipped)
        return Failed(context, error, QStringLiteral("Archiving Error"));
    // An empty list still gives an archive (Count 0) but counts as nothing written.
    return int(notes.size());
}

} // namespace

int ExportNotes(const NotesList& notes, const QString& archivePath, const ExportContext& context)
{
    ProgressReporter& progress = context.progress != nullptr ? *context.progress : SilentProgress();
    const QString tempPath = context.folder.FullPath(ExchangeFormat::ExportTempName());
    const int result = WriteArchive(notes, archivePath, context, tempPath, progress);
    RemoveTempFolder(tempPath);
    progress.End();
    return result;
}
