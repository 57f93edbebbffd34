#include "cli/DeleteCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "store/NoteDatabase.h"

bool DeleteCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    if (!arguments.PositionalIds(&m_ids, error))
        return false;
    if (m_ids.isEmpty()) {
        *error = QStringLiteral("No note id given.");
        return false;
    }
    return true;
}

CliOutcome DeleteCommand::Run(CNotesApp& app)
{
    NoteDatabase& database = app.Database();
    // Every id is looked up before anything is deleted, so a mistyped id deletes nothing.
    const NotesList notes = database.LoadNotesByIds(NoteIdList(m_ids));
    for (qint32 id : m_ids) {
        const bool found
            = std::any_of(notes.begin(), notes.end(), [id](const NoteRecord& n) { return n.NoteID == id; });
        if (!found)
            return CliOutcome::Failed(QStringLiteral("No note has the id %1.").arg(id));
    }
    QList<qint32> deleted;
    for (const NoteRecord& note : notes) {
        if (deleted.contains(note.NoteID))
            continue;
        FileStatus failure;
        if (database.DeleteNote(note, &failure))
            deleted.append(note.NoteID);
        else if (!failure)
            return CliOutcome::Failed(failure.Message()); // the notes after it stay
    }
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("deleted"), CliJson::Ids(deleted)}});
}
