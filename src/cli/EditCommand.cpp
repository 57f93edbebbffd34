#include "cli/EditCommand.h"

#include "app/CNotesApp.h"
#include "store/NoteEditorSave.h"

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
    QString error;
    if (!NoteEditorSave::EditNote(app.Database(), app.Sources(), m_id, m_options.Changes(), &error))
        return CliOutcome::Failed(error);
    return CliOutcome::Ok(QJsonObject {{QStringLiteral("id"), m_id}});
}
