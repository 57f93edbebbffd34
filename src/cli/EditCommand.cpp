#include "cli/EditCommand.h"

#include "app/CNotesApp.h"
#include "store/NoteDatabase.h"

bool EditCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    QList<qint32> ids;
    if (!arguments.PositionalIds(&ids, error))
        return false;
    if (ids.size() != 1) {
        *error = QStringLiteral("edit needs exactly one note id.");
        return false;
    }
    m_id = ids.first();
    return m_options.Accept(arguments, error);
}

CliOutcome EditCommand::Run(CNotesApp& app)
{
    NoteDatabase& database = app.Database();
    NotesList found = database.LoadNotesByIds(NoteIdList {m_id});
    if (found.isEmpty())
        return CliOutcome::Failed(QStringLiteral("No note has the id %1.").arg(m_id));
    // The editor opens on a copy of the note with its source attached.
    database.FillAttachedSources(found);
    const NoteRecord previous = found.first();
    NoteRecord edited = previous;
    QString error;
    if (!m_options.ApplyTo(edited, database, &error))
        return CliOutcome::Failed(error);
    if (!database.SaveNoteFromEditor(previous, edited, &error))
        return CliOutcome::Failed(error);
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("id"), edited.NoteID}});
}
