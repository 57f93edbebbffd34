#include "cli/SortCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"

void SortCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareValue(QStringLiteral("by"));
}

bool SortCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    if (!CliCommand::AcceptArguments(arguments, error))
        return false;
    if (!arguments.Has(QStringLiteral("by"))) {
        *error = QStringLiteral("sort needs --by SORTID.");
        return false;
    }
    return arguments.IntValue(QStringLiteral("by"), &m_sortId, error);
}

CliOutcome SortCommand::Run(CNotesApp& app)
{
    // As the search bar's "Sort By:" does: the order is stored, then applied.
    app.GetSettings().NoteSortID = m_sortId;
    app.CurrentList().Sort(m_sortId);
    return CliOutcome::Ok(
        QJsonObject {{QStringLiteral("current"), CliJson::Ids(app.CurrentList().NoteIds())}});
}
