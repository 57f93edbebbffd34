#include "cli/AddCommand.h"

#include "app/CNotesApp.h"
#include "store/NoteDatabase.h"

bool AddCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    if (!CliCommand::AcceptArguments(arguments, error) || !m_options.Accept(arguments, error))
        return false;
    if (!m_options.HasText()) {
        *error = QStringLiteral("add needs --text.");
        return false;
    }
    return true;
}

CliOutcome AddCommand::Run(CNotesApp& app)
{
    NoteDatabase& database = app.Database();
    const NoteRecord previous; // "Add Note..." opens the editor on a cleared record
    NoteRecord edited = previous;
    QString error;
    if (!m_options.ApplyTo(edited, database, &error))
        return CliOutcome::Failed(error);
    if (!database.SaveNoteFromEditor(previous, edited, &error))
        return CliOutcome::Failed(error);
    // "Add Note..." counts the saved note into the total.
    database.AdjustTotal(1);
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("id"), edited.NoteID}});
}
