#include "cli/DeleteCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "lists/DeleteCommands.h"

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
    QList<qint32> deleted;
    QString error;
    if (!DeleteCommands::DeleteNotesByIds(app.Database(), m_ids, app.Prompt(), &deleted, &error))
        return CliOutcome::Failed(error);
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("deleted"), CliJson::Ids(deleted)}});
}
