#include "cli/CurrentCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "lists/CurrentNotesList.h"

void CurrentCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareFlag(QStringLiteral("set"));
}

bool CurrentCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    m_set = arguments.Has(QStringLiteral("set"));
    if (!m_set)
        return CliCommand::AcceptArguments(arguments, error);
    return arguments.PositionalIds(&m_ids, error);
}

CliOutcome CurrentCommand::Run(CNotesApp& app)
{
    CurrentNotesList& current = app.CurrentList();
    if (m_set)
        current.SetCurrentList(NoteIdList(m_ids), app.GetSettings().NoteSortID);
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("current"), CliJson::Ids(current.NoteIds())}});
}
