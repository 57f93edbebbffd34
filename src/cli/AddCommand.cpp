#include "cli/AddCommand.h"

#include "app/CNotesApp.h"
#include "store/NoteEditorSave.h"

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
    QString error;
    const qint32 id = NoteEditorSave::AddNote(app.Database(), app.Sources(), m_options.Changes(), &error);
    if (id <= 0)
        return CliOutcome::Failed(error);
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("id"), id}});
}
