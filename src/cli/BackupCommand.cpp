#include "cli/BackupCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliOptions.h"
#include "exchange/ExchangeCommands.h"

void BackupCommand::DeclareOptions(CliArguments& arguments)
{
    (void)arguments;
}

bool BackupCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    return CliOptions::OneFile(arguments, QStringLiteral("backup"), &m_file, error);
}

CliOutcome BackupCommand::Run(CNotesApp& app)
{
    QString error;
    const int result = ExchangeCommands::BackupAllNotes(app.Database(), app.Sources(), m_file, app.Prompt(),
                                                        app.Progress(), &error);
    QJsonObject document {{QStringLiteral("result"), result}};
    if (result < 0) {
        document.insert(QStringLiteral("error"), error.isEmpty() ? QStringLiteral("Backup Failed") : error);
        return {CliOutcome::Failure, document};
    }
    return CliOutcome::Ok(document);
}
