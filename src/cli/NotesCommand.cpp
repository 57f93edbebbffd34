#include "cli/NotesCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "store/NoteDatabase.h"

bool NotesCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    return arguments.PositionalIds(&m_ids, error);
}

CliOutcome NotesCommand::Run(CNotesApp& app)
{
    NoteDatabase& database = app.Database();
    const NotesList notes
        = m_ids.isEmpty() ? database.LoadAllNotes() : database.LoadNotesByIds(NoteIdList(m_ids));
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("notes"), CliJson::Notes(notes)}});
}
