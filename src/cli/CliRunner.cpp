#include "cli/CliRunner.h"

#include "app/AppPaths.h"
#include "app/CNotesApp.h"
#include "app/ProgramHelp.h"
#include "cli/CliCommand.h"
#include "cli/CliCommands.h"
#include "cli/CliHelp.h"
#include "cli/CliJsonWriter.h"
#include "cli/CliOptions.h"
#include "format/FileSystem.h"
#include "index/SearchIndex.h"
#include "store/DataFolderLock.h"
#include "store/IniSettingsBackend.h"

#include <QIODevice>
#include <algorithm>
#include <memory>

CliRunner::CliRunner(QIODevice* out, QString environmentDataRoot)
    : m_out(out)
    , m_environmentDataRoot(std::move(environmentDataRoot))
{
}

int CliRunner::Run(const QStringList& arguments)
{
    const QString help = HelpText(arguments);
    if (!help.isEmpty()) {
        m_out->write(help.toUtf8());
        return CliOutcome::Success;
    }
    const CliOutcome outcome = Execute(arguments);
    Print(outcome);
    return outcome.exitCode;
}

QString CliRunner::HelpText(const QStringList& arguments)
{
    auto isHelp
        = [](const QString& word) { return word == QLatin1String("--help") || word == QLatin1String("-h"); };
    qsizetype next = 0;
    // Global options stand before the command; --data-root and --wait take a value.
    for (; next < arguments.size() && arguments.at(next).startsWith(QLatin1Char('-')); ++next) {
        if (isHelp(arguments.at(next)))
            return CliHelp::ProgramUsage();
        if (arguments.at(next) == QLatin1String("--version"))
            return ProgramHelp::VersionLine(QStringLiteral("quorvel-cli")) + QLatin1Char('\n');
        if (arguments.at(next) == QLatin1String("--data-root")
            || arguments.at(next) == QLatin1String("--wait"))
            ++next;
    }
    if (next >= arguments.size() || !std::any_of(arguments.begin() + next + 1, arguments.end(), isHelp))
        return {};
    const std::unique_ptr<CliCommand> command = CliCommands::Create(arguments.at(next));
    return command ? CliHelp::CommandUsage(*command) : QString();
}

CliOutcome CliRunner::Execute(const QStringList& arguments)
{
    QString dataRoot;
    int waitMs = kDefaultWaitMs;
    int next = 0;
    // Global options stand before the command.
    while (next < arguments.size() && arguments.at(next).startsWith(QLatin1String("--"))) {
        const QString& word = arguments.at(next);
        if (word == QLatin1String("--wait") || word.startsWith(QLatin1String("--wait="))) {
            const bool joined = word.contains(QLatin1Char('='));
            if (!joined && next + 1 >= arguments.size())
                return CliOutcome::Usage(QStringLiteral("Option --wait needs a value."));
            const QString value = joined ? word.section(QLatin1Char('='), 1) : arguments.at(next + 1);
            if (!CliOptions::WaitMilliseconds(value, &waitMs))
                return CliOutcome::Usage(
                    QStringLiteral("Option --wait needs a number of seconds: %1").arg(value));
            next += joined ? 1 : 2;
        } else if (word == QLatin1String("--data-root") && next + 1 < arguments.size()) {
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
    // Held from before the settings are read (they hold the id counters) until after the
    // exit save, so that no other program sees this run half done.
    const QString root = dataRoot.isEmpty() ? AppPaths::DefaultDataRoot() : dataRoot;
    DataFolderLock lock(root);
    const DataFolderLock::Outcome locked = lock.Lock(waitMs);
    if (locked == DataFolderLock::Outcome::InUse)
        return CliOutcome::Failed(lock.InUseText());
    // A folder this user cannot write is only read: a command that would store something
    // is refused before anything is loaded.
    const bool readOnly = locked == DataFolderLock::Outcome::ReadOnly;
    if (readOnly && command->WritesDataFolder())
        return CliOutcome::Failed(DataFolder(root, {}, nullptr, DataFolder::Access::ReadOnly).ReadOnlyText());
    std::unique_ptr<IniSettingsBackend> iniBackend;
    AppEnvironment environment;
    environment.readOnly = readOnly;
    environment.dataRoot = dataRoot;
    environment.programFolder = m_programFolder;
    environment.now = m_now;
    environment.settingsBackend = m_settingsBackend;
    environment.fileSystem = m_files;
    if (!environment.settingsBackend) {
        iniBackend = std::make_unique<IniSettingsBackend>(AppPaths::SettingsFile(dataRoot),
                                                          m_files ? *m_files : FileSystem::Real());
        environment.settingsBackend = iniBackend.get();
    }

    auto app = std::make_unique<CNotesApp>(environment);
    app->InitInstance();
    CliOutcome outcome = command->Run(*app);
    // The exit save stores what a command changed in the settings or the current list:
    // a command whose work could not be stored did not succeed.
    const FileStatus saved = app->ExitInstance();
    if (m_processEndsAfterRun)
        LeaveToProcessEnd(std::move(app));
    if (!saved && outcome.exitCode == CliOutcome::Success)
        return CliOutcome::Failed(saved.Message());
    return outcome;
}

void CliRunner::LeaveToProcessEnd(std::unique_ptr<CNotesApp> app)
{
    // A hundred thousand listed notes and the index's vocabulary take tens of
    // milliseconds to free piece by piece; the system takes the whole back at once.
    app->Index().CloseFile();
    (void)app.release();
}

void CliRunner::Print(const CliOutcome& outcome)
{
    m_out->write(CliJsonWriter::Compact(outcome.document));
    m_out->write("\n");
}

QString CliRunner::UsageText()
{
    QStringList lines {
        QStringLiteral("Usage: quorvel-cli [--data-root DIR] [--wait SECONDS] COMMAND [ARGS...]; commands:")};
    for (const QString& name : CliCommands::Names())
        lines.append(CliCommands::Create(name)->Synopsis());
    return lines.join(QStringLiteral(" | "));
}
