#include "exchange/ImportNotes.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/GrowingFile.h"
#include "exchange/ImportChooser.h"
#include "exchange/ImportDataFile.h"
#include "exchange/ImportDatabaseScan.h"
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

// On a thread of its own, or (when none can be had) at the first wait for the result.
constexpr std::launch LaunchPolicy()
{
    return std::launch::async | std::launch::deferred;
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

// The data file read on another thread, as soon as the extraction has written it: the
// notes without their texts, and where each one's entry lies.
class DataFileReading
{
public:
    explicit DataFileReading(const QString& path)
        : m_file(path)
    {
    }
    // The reading never waits for an unpacking that has stopped.
    ~DataFileReading() { m_growth.End(); }
    DataFileReading(const DataFileReading&) = delete;
    DataFileReading& operator=(const DataFileReading&) = delete;

    // The file exists and is being unpacked, statedSize bytes in all: it is read as it
    // grows (Growth() hears how far the unpacking has come).
    void Start(qint64 statedSize)
    {
        m_file.ReadWhileWritten(&m_growth, statedSize);
        m_reading = std::async(LaunchPolicy(), [this] { return Read(); });
    }
    GrowingFile& Growth() { return m_growth; }
    // Waits for the reading; reads here when it never started (no such entry).
    ImportDataFile::Result Result() { return m_reading.valid() ? m_reading.get() : Read(); }
    NotesList TakeNotes() { return std::move(m_notes); }
    // The texts of incoming note index.
    void ReadTexts(int index, NoteRecord& note) const { m_file.ReadTexts(m_entries.at(index), note); }
    QByteArray ReadTextFields(int index) const { return m_file.ReadTextFields(m_entries.at(index)); }
    // Nothing more is read: the unpacked file goes before its bytes reach the disk.
    void Discard(FileSystem& files) { m_file.Discard(files); }

private:
    ImportDataFile::Result Read()
    {
        return m_file.ReadAll([this](NoteRecord&& note, ImportDataFile::Entry entry) {
            m_notes.append(std::move(note));
            m_entries.append(entry);
        });
    }

    ImportDataFile m_file;
    GrowingFile m_growth;
    NotesList m_notes;
    QList<ImportDataFile::Entry> m_entries;
    std::future<ImportDataFile::Result> m_reading; // last: destroyed (waited for) first
};

// The comparison, the choice and the integration; imported receives the ids stored. What
// they held is gone by the time the caller reloads the database.
int ChooseAndIntegrate(const ImportContext& context, const QString& tempPath, DataFileReading& dataFile,
                       std::future<ImportDatabaseScan>& existing, ImportReport* report, NoteIdList* imported,
                       QStringList* writtenFiles, bool* displayImported)
{
    ProgressReporter& progress = context.progress != nullptr ? *context.progress : SilentProgress();
    NoteDatabase& database = *context.database;
    progress.SetMessage(QStringLiteral("Loading exsisting notes..."));
    const ImportDatabaseScan scan = existing.get();
    // Neither side's texts are held: they are read again where they are shown or stored.
    ImportSession session(dataFile.TakeNotes(), scan.notes);
    session.SetTextReaders([&dataFile](int index, NoteRecord& note) { dataFile.ReadTexts(index, note); },
                           [&scan](int index, NoteRecord& note) { scan.ReadWhole(index, note); });
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
    ImportIntegrator integrator(database, *context.sources, tempPath);
    integrator.KnowFiles(scan.files);
    integrator.SetStoredTexts([&dataFile](int index) { return dataFile.ReadTextFields(index); },
                              [&dataFile, &database] { dataFile.Discard(database.Folder().Files()); });
    const FileStatus stored = integrator.Integrate(session, selected, progress, imported);
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
    *displayImported = choice.displayImported;
    *writtenFiles = integrator.WrittenNoteFiles();
    return int(selected.size());
}

int ExtractAndImport(const QString& archivePath, const ImportContext& context, const QString& tempPath,
                     ImportReport* report)
{
    ProgressReporter& progress = context.progress != nullptr ? *context.progress : SilentProgress();
    // The database's notes are read on another thread while the archive is unpacked and
    // read: the two touch different files, and the reading thread uses no part of the
    // database object. A failed import waits for it and drops what it read.
    std::future<ImportDatabaseScan> existing = std::async(
        LaunchPolicy(), [folder = context.database->Folder()] { return ImportDatabaseScan::Read(folder); });
    DataFileReading dataFile(QDir(tempPath).filePath(ExchangeFormat::DataFileName()));
    progress.Begin(QStringLiteral("Decompressing export file..."), 0);
    QString error;
    // The data file is read on another thread while it is unpacked.
    const UnzipFirst first {ExchangeFormat::DataFileName(),
                            [&dataFile](qint64 size) { dataFile.Start(size); },
                            [&dataFile](qint64 written) { dataFile.Growth().Grow(written); },
                            [&dataFile] { dataFile.Growth().End(); }};
    if (!UnzipToFolder(archivePath, tempPath, &error, context.limits, first)) {
        if (report != nullptr)
            report->error = error;
        if (context.prompt != nullptr)
            context.prompt->Tell(error, QStringLiteral("Archiving Error"), UserPrompt::Icon::Warning);
        return ExchangeFormat::kImportFailed;
    }
    progress.SetMessage(QStringLiteral("Reading in notes..."));
    switch (dataFile.Result()) {
    case ImportDataFile::Result::Failed:
        return ExchangeFormat::kImportFailed;
    case ImportDataFile::Result::NewerVersion:
        return ExchangeFormat::kImportNewerVersion;
    case ImportDataFile::Result::Ok:
        break;
    }
    NoteIdList imported;
    QStringList writtenFiles;
    bool displayImported = true;
    const int result = ChooseAndIntegrate(context, tempPath, dataFile, existing, report, &imported,
                                          &writtenFiles, &displayImported);
    if (result > 0) {
        context.database->ReloadAfterWriting(*context.sources, imported, writtenFiles);
        RefreshCurrentList(context, imported, displayImported);
        if (report != nullptr)
            report->importedIds = imported;
    }
    return result;
}

} // namespace

int ImportNotes(const QString& archivePath, const ImportContext& context, ImportReport* report)
{
    if (context.database == nullptr || context.sources == nullptr)
        return ExchangeFormat::kImportFailed;
    ProgressReporter& progress = context.progress != nullptr ? *context.progress : SilentProgress();
    const QString tempPath = context.database->Folder().FullPath(ExchangeFormat::ImportTempName());
    int result = ExchangeFormat::kImportFailed;
    if (const FileStatus reset = ResetTempFolder(context.database->Folder().Files(), tempPath); !reset) {
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
    RemoveTempFolder(context.database->Folder().Files(), tempPath);
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
