#include "cli/CliRunner.h"

#include "app/AppPaths.h"
#include "app/CNotesApp.h"
#include "cli/CliCommand.h"
#include "cli/CliCommands.h"
#include "store/IniSettingsBackend.h"

#include <QIODevice>
#include <QJsonDocument>
#include <memory>

CliRunner::CliRunner(QIODevice* out, QString environmentDataRoot)
    : m_out(out)
    , m_environmentDataRoot(std::move(environmentDataRoot))
{
}

int CliRunner::Run(const QStringList& arguments)
{
    const CliOutcome outcome = Execute(arguments);
    Print(outcome);
    return outcome.exitCode;
}

CliOutcome CliRunner::Execute(const QStringList& arguments)
{
    QString dataRoot;
    int next = 0;
    // Global options stand before the command.
    while (next < arguments.size() && arguments.at(next).startsWith(QLatin1String("--"))) {
        const QString& word = arguments.at(next);
        if (word == QLatin1String("--data-root") && next + 1 < arguments.size()) {
            dataRoot = arguments.at(next + 1);
            next += 2;
        } else if (word.startsWith(QLatin1String("--data-root="))) {
            dataRoot = word.mid(QStringLiteral("--data-root=").size());
            next += 1;
        } else if (word == QLatin1String("--data-root")) {
            return CliOutcome::Usage(QStringLiteral("Option --data-root needs a value."));
        } else {
            return CliOutcome::Usage(QStringLiteral("Unknown option: %1").arg(word));
        }
    }
    if (next >= arguments.size())
        return CliOutcome::Usage(QStringLiteral("No command given. ") + UsageText());

    const QString name = arguments.at(next);
    std::unique_ptr<CliCommand> command = CliCommands::Create(name);
    if (!command)
        return CliOutcome::Usage(QStringLiteral("Unknown command: %1").arg(name));
    QString error;
    if (!command->ParseArguments(arguments.mid(next + 1), &error))
        return CliOutcome::Usage(error + QStringLiteral(" Usage: quorvel-cli ") + command->Synopsis());

    if (dataRoot.isEmpty())
        dataRoot = m_environmentDataRoot;
    std::unique_ptr<IniSettingsBackend> iniBackend;
    AppEnvironment environment;
    environment.dataRoot = dataRoot;
    environment.programFolder = m_programFolder;
    environment.now = m_now;
    environment.settingsBackend = m_settingsBackend;
    if (!environment.settingsBackend) {
        iniBackend = std::make_unique<IniSettingsBackend>(AppPaths::SettingsFile(dataRoot));
        environment.settingsBackend = iniBackend.get();
    }

    CNotesApp app(environment);
    app.InitInstance();
    CliOutcome outcome = command->Run(app);
    // The exit save stores what a command changed in the settings or the current list:
    // a command whose work could not be stored did not succeed.
    const FileStatus saved = app.ExitInstance();
    if (!saved && outcome.exitCode == CliOutcome::Success)
        return CliOutcome::Failed(saved.Message());
    return outcome;
}

void CliRunner::Print(const CliOutcome& outcome)
{
    m_out->write(QJsonDocument(outcome.document).toJson(QJsonDocument::Compact));
    m_out->write("\n");
}

QString CliRunner::UsageText()
{
    QStringList lines {QStringLiteral("Usage: quorvel-cli [--data-root DIR] COMMAND [ARGS...]; commands:")};
    for (const QString& name : CliCommands::Names())
        lines.append(CliCommands::Create(name)->Synopsis());
    return lines.join(QStringLiteral(" | "));
}
