#include "exchange/ImportNotes.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/ExportDataFile.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportIntegrator.h"
#include "exchange/ImportSession.h"
#include "exchange/TempFolder.h"
#include "exchange/UnzipToFolder.h"
#include "format/FieldReader.h"
#include "lists/CurrentNotesList.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <future>

namespace {

// The data file is read whole into memory; no genuine export comes near this.
constexpr qint64 kMaxDataFileBytes = qint64(512) << 20;

enum class ReadResult
{
    Ok,
    Failed,
    NewerVersion
};

ReadResult ReadDataFile(const QString& path, ExportData* data)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxDataFileBytes)
        return ReadResult::Failed;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Failed;
    const QByteArray bytes = FieldReader::FromDiskBytes(file.readAll());
    file.close();
    switch (ParseExportData(bytes, data)) {
    case ExportDataResult::NewerVersion:
        return ReadResult::NewerVersion;
    case ExportDataResult::Ok:
        break;
    }
    return ReadResult::Ok;
}

void Report(ImportReport* report, const ImportSession& session)
{
    if (report == nullptr)
        return;
    for (int i = 0; i < session.Count(); ++i)
        report->statuses.append(
            {i + 1, session.Items().at(i).note.NoteGUID, session.Items().at(i).comparison});
}

void RefreshCurrentList(const ImportContext& context, const NoteIdList& imported, bool displayImported)
{
    if (context.currentList == nullptr)
        return;
    const NoteIdList previous = context.currentList->NoteIds();
    // The records held by the list may be stale now: read every wanted note afresh.
    context.currentList->ClearCurrentNotes();
    context.currentList->SetCurrentList(displayImported ? imported : previous, context.noteSortId);
}

int ChooseAndIntegrate(const ImportContext& context, const QString& tempPath, NotesList incoming,
                       std::future<QList<NoteFileContents>>& existing, ImportReport* report)
{
    ProgressReporter& progress = context.progress != nullptr ? *context.progress : SilentProgress();
    NoteDatabase& database = *context.database;
    progress.SetMessage(QStringLiteral("Loading exsisting notes..."));
    const QList<NoteFileContents> existingFiles = existing.get();
    ImportSession session(std::move(incoming), NoteDatabase::Flatten(existingFiles));
    progress.End();
    Report(report, session);
    ImportChoice choice;
    if (context.chooser == nullptr || !context.chooser->Choose(session, &choice) || choice.selected.isEmpty())
        return ExchangeFormat::kImportCancelled;
    QList<int> selected = choice.selected;
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    selected.removeIf([&](int i) { return i < 0 || i >= session.Count(); });
    if (selected.isEmpty())
        return ExchangeFormat::kImportCancelled;
    progress.Begin(QStringLiteral("Integrating notes into database..."), int(selected.size()) + 1);
    ImportIntegrator integrator(database, tempPath);
    integrator.KnowFiles(existingFiles);
    NoteIdList imported;
    const FileStatus stored = integrator.Integrate(session, selected, progress, &imported);
    progress.End();
    if (!stored) {
        // Nothing was integrated: the database and its files are as they were.
        const QString text = stored.Message() + QLatin1Char('\n')
            + QStringLiteral("None of the %1 chosen notes were imported.").arg(selected.size());
        if (context.prompt != nullptr)
            context.prompt->Tell(text, FileStatus::Caption(), UserPrompt::Icon::Warning);
        if (report != nullptr) {
            report->error = text;
            report->notStored = true;
        }
        return ExchangeFormat::kImportFailed;
    }
    database.LoadNoteDatabase();
    RefreshCurrentList(context, imported, choice.displayImported);
    if (report != nullptr)
        report->importedIds = imported;
    return int(selected.size());
}

// On a thread of its own, or (when none can be had) at the first wait for the result.
constexpr std::launch LaunchPolicy()
{
    return std::launch::async | std::launch::deferred;
}

// The data file read on another thread, as soon as the extraction has written it.
class DataFileReading
{
public:
    explicit DataFileReading(QString path)
        : m_path(std::move(path))
    {
    }
    void Start()
    {
        m_reading = std::async(LaunchPolicy(), [this] { return ReadDataFile(m_path, &m_data); });
    }
    // Waits for the reading; reads here when it never started (no such entry).
    ReadResult Result() { return m_reading.valid() ? m_reading.get() : ReadDataFile(m_path, &m_data); }
    ExportData& Data() { return m_data; }

private:
    const QString m_path;
    ExportData m_data;
    std::future<ReadResult> m_reading; // last: destroyed (waited for) first
};

int ExtractAndImport(const QString& archivePath, const ImportContext& context, const QString& tempPath,
                     ImportReport* report)
{
    ProgressReporter& progress = context.progress != nullptr ? *context.progress : SilentProgress();
    // The database's notes are read on another thread while the archive is unpacked and
    // read: the two touch different files, and the reading thread uses no part of the
    // database object. A failed import waits for it and drops what it read.
    std::future<QList<NoteFileContents>> existing
        = std::async(LaunchPolicy(), [folder = context.database->Folder()] {
              return NoteDatabase::ReadAllNoteFiles(folder);
          });
    DataFileReading dataFile(QDir(tempPath).filePath(ExchangeFormat::DataFileName()));
    progress.Begin(QStringLiteral("Decompressing export file..."), 0);
    QString error;
    const UnzipFirst first {ExchangeFormat::DataFileName(), [&dataFile] { dataFile.Start(); }};
    if (!UnzipToFolder(archivePath, tempPath, &error, context.limits, first)) {
        if (report != nullptr)
            report->error = error;
        if (context.prompt != nullptr)
            context.prompt->Tell(error, QStringLiteral("Archiving Error"), UserPrompt::Icon::Warning);
        return ExchangeFormat::kImportFailed;
    }
    progress.SetMessage(QStringLiteral("Reading in notes..."));
    switch (dataFile.Result()) {
    case ReadResult::Failed:
        return ExchangeFormat::kImportFailed;
    case ReadResult::NewerVersion:
        return ExchangeFormat::kImportNewerVersion;
    case ReadResult::Ok:
        break;
    }
    return ChooseAndIntegrate(context, tempPath, std::move(dataFile.Data().notes), existing, report);
}

} // namespace

int ImportNotes(const QString& archivePath, const ImportContext& context, ImportReport* report)
{
    if (context.database == nullptr)
        return ExchangeFormat::kImportFailed;
    ProgressReporter& progress = context.progress != nullptr ? *context.progress : SilentProgress();
    const QString tempPath = context.database->Folder().FullPath(ExchangeFormat::ImportTempName());
    int result = ExchangeFormat::kImportFailed;
    if (const FileStatus reset = ResetTempFolder(tempPath); !reset) {
        if (context.prompt != nullptr)
            context.prompt->Tell(reset.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
        if (report != nullptr) {
            report->error = reset.Message();
            report->notStored = true;
        }
    } else {
        result = ExtractAndImport(archivePath, context, tempPath, report);
    }
    progress.SetMessage(QStringLiteral("Cleaning up temp files..."));
    RemoveTempFolder(tempPath);
    progress.End();
    return result;
}

QString ImportSucceededText(int count)
{
    return QStringLiteral("All  *%1*  of your notes have been successfully imported!").arg(count);
}

QString ImportNewerVersionText()
{
    return QStringLiteral("The file you are trying to import was created in an updated version of Quorvel, "
                          "please go to \"Help->Check for program updates\" to download and install the "
                          "latest version.");
}

QString ImportFailedText()
{
    return QStringLiteral("The import has failed, the import file could be corrupt.");
}
