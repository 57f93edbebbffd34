#include "cli/NotesExportCommand.h"

#include "app/CNotesApp.h"
#include "exchange/MarkdownExport.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

void NotesExportCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareValue(QStringLiteral("format"));
}

bool NotesExportCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    if (arguments.Value(QStringLiteral("format")) != QLatin1String("markdown")) {
        *error = QStringLiteral("notes-export needs --format markdown.");
        return false;
    }
    if (arguments.Positional().isEmpty()) {
        *error = QStringLiteral("notes-export needs a folder.");
        return false;
    }
    m_folder = arguments.Positional().first();
    return arguments.PositionalIds(&m_ids, error, 1);
}

CliOutcome NotesExportCommand::Run(CNotesApp& app)
{
    const NotesList notes = m_ids.isEmpty() ? app.CurrentList().LoadAllNotes()
                                            : app.Database().LoadNotesByIds(NoteIdList(m_ids));
    const SourceStore& sources = app.Sources();
    const MarkdownExportResult result = ExportNotesAsMarkdown(
        m_folder, notes, sources.Sources(), sources.Authors(), app.Folder(), app.Progress());
    if (!result.status)
        return CliOutcome::Failed(result.status.Message());
    return CliOutcome::Ok({{QStringLiteral("dir"), m_folder},
                           {QStringLiteral("count"), result.count},
                           {QStringLiteral("bib"), result.bibPath}});
}
