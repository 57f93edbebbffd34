#include "cli/ExportCommand.h"

#include "app/CNotesApp.h"
#include "exchange/ExchangeCommands.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"

void ExportCommand::DeclareOptions(CliArguments& arguments)
{
    (void)arguments;
}

bool ExportCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    if (arguments.Positional().isEmpty()) {
        *error = QStringLiteral("export needs a file.");
        return false;
    }
    m_file = arguments.Positional().first();
    return arguments.PositionalIds(&m_ids, error, 1);
}

CliOutcome ExportCommand::Run(CNotesApp& app)
{
    NoteDatabase& database = app.Database();
    const NoteIdList ids = m_ids.isEmpty() ? app.CurrentList().NoteIds() : NoteIdList(m_ids);
    QString error;
    const int result = ExchangeCommands::ExportNotesOf(database, app.Sources(), ids, m_file, nullptr,
                                                       app.Progress(), &error);
    QJsonObject document {{QStringLiteral("result"), result}};
    if (result < 0) {
        document.insert(QStringLiteral("error"), error.isEmpty() ? QStringLiteral("Export Failed") : error);
        return {CliOutcome::Failure, document};
    }
    return CliOutcome::Ok(document);
}
