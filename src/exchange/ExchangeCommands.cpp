#include "exchange/ExchangeCommands.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/ExportNotes.h"
#include "exchange/ImportNotes.h"
#include "lists/CurrentNotesList.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"

#include <algorithm>

namespace ExchangeCommands {

namespace {

    const QString kFinished = QStringLiteral("Finished!");

    void ReportExport(int result, const QString& successText, const QString& failedText,
                      const QString& failedCaption, UserPrompt& prompt)
    {
        if (result > 0)
            prompt.Tell(successText.arg(result), kFinished, UserPrompt::Icon::Information);
        else if (result < 0)
            prompt.Tell(failedText, failedCaption, UserPrompt::Icon::Warning);
    }

    QString ExportFailedText()
    {
        return QStringLiteral("The export has failed, please contact support if problem persists.");
    }

} // namespace

bool CheckCurrentNotesForExport(const ListedNotes& current, UserPrompt& prompt)
{
    if (!current.isEmpty())
        return true;
    prompt.Tell(QStringLiteral("There are no notes in the current list."), QStringLiteral("Invalid Notes"),
                UserPrompt::Icon::Warning);
    return false;
}

namespace {

    ExportContext ContextOf(const NoteDatabase& database, const SourceStore& sources, UserPrompt* prompt,
                            ProgressReporter& progress, QString* error)
    {
        ExportContext context;
        context.database = &database;
        context.sources = &sources;
        context.prompt = prompt;
        context.progress = &progress;
        context.error = error;
        return context;
    }

} // namespace

int ExportNotesOf(const NoteDatabase& database, const SourceStore& sources, const NoteIdList& ids,
                  const QString& archivePath, UserPrompt* prompt, ProgressReporter& progress, QString* error)
{
    return ExportNotes(ids, archivePath, ContextOf(database, sources, prompt, progress, error));
}

int ExportCurrentNotes(const NoteDatabase& database, const SourceStore& sources,
                       const CurrentNotesList& current, const QString& archivePath, UserPrompt& prompt,
                       ProgressReporter& progress)
{
    const int result = ExportNotesOf(database, sources, current.NoteIds(), archivePath, &prompt, progress);
    ReportExport(result, QStringLiteral("All  *%1*  of your current notes have been successfully exported!"),
                 ExportFailedText(), QStringLiteral("Export Failed"), prompt);
    return result;
}

int BackupAllNotes(const NoteDatabase& database, const SourceStore& sources, const QString& archivePath,
                   UserPrompt& prompt, ProgressReporter& progress, QString* error)
{
    progress.Begin(QStringLiteral("Loading notes..."), 15);
    progress.Step();
    progress.End();
    // The notes are read file by file as they are written, never all at once.
    const int result = ExportAllNotes(archivePath, ContextOf(database, sources, &prompt, progress, error));
    ReportExport(result, QStringLiteral("All  *%1*  of your notes have been successfully backed up!"),
                 QStringLiteral("The backup has failed, please contact support if problem persists."),
                 QStringLiteral("Backup Failed"), prompt);
    return result;
}

int ExportSelectedNotes(const NoteDatabase& database, const SourceStore& sources, const NoteIdList& ids,
                        const QString& archivePath, UserPrompt& prompt, ProgressReporter& progress)
{
    const auto stored = [&](qint32 id) { return database.FileIndex().FileOfNote(id).has_value(); };
    if (std::none_of(ids.begin(), ids.end(), stored))
        return 0;
    const int result = ExportNotesOf(database, sources, ids, archivePath, &prompt, progress);
    ReportExport(result, QStringLiteral("Your  *%1*  notes have been successfully exported!"),
                 ExportFailedText(), QStringLiteral("Export Failed"), prompt);
    return result;
}

int ImportNotesCommand(const QString& archivePath, const ImportContext& context, UserPrompt& prompt)
{
    ImportReport report;
    const int result = ImportNotes(archivePath, context, &report);
    if (result > 0)
        prompt.Tell(ImportSucceededText(result), kFinished, UserPrompt::Icon::Information);
    else if (result == ExchangeFormat::kImportNewerVersion)
        prompt.Tell(ImportNewerVersionText(), QStringLiteral("Import Failed"), UserPrompt::Icon::Warning);
    else if (result < 0 && !report.notStored)
        prompt.Tell(ImportFailedText(), QStringLiteral("Import Failed"), UserPrompt::Icon::Warning);
    return result;
}

} // namespace ExchangeCommands
