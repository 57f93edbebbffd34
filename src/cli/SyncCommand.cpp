#include "cli/SyncCommand.h"

#include "app/CNotesApp.h"
#include "cli/CliJson.h"
#include "sync/SyncEngine.h"
#include "sync/SyncSettings.h"

#include <QJsonArray>

void SyncCommand::DeclareOptions(CliArguments& arguments)
{
    arguments.DeclareValue(QStringLiteral("folder"));
    arguments.DeclareValue(QStringLiteral("machine"));
}

bool SyncCommand::AcceptArguments(const CliArguments& arguments, QString* error)
{
    if (!arguments.Positional().isEmpty()) {
        *error = QStringLiteral("sync takes no arguments besides its options.");
        return false;
    }
    m_folder = arguments.Value(QStringLiteral("folder"));
    m_machine = arguments.Value(QStringLiteral("machine"));
    return true;
}

CliOutcome SyncCommand::Run(CNotesApp& app)
{
    const SyncSettings settings = SyncSettings::Load(app.GetSettingsBackend());
    SyncOptions options;
    options.folder = m_folder.isEmpty() ? settings.folder : m_folder;
    options.machine = m_machine.isEmpty() ? settings.machine : m_machine;
    SyncContext context;
    context.database = &app.Database();
    context.sources = &app.Sources();
    context.recorder = &app.Deletions();
    context.progress = &app.Progress();
    const SyncReport report = SyncNow(options, context);
    if (!report.ok)
        return CliOutcome::Failed(report.error);
    QJsonArray skipped;
    for (const SyncReport::Skipped& file : report.skipped)
        skipped.append(
            QJsonObject {{QStringLiteral("file"), file.file}, {QStringLiteral("reason"), file.reason}});
    return CliOutcome::Ok(QJsonObject {
        {QStringLiteral("sent"), report.sent},
        {QStringLiteral("received"), report.received},
        {QStringLiteral("deleted"), report.deleted},
        {QStringLiteral("conflicts"), CliJson::Ids(report.conflicts)},
        {QStringLiteral("skipped"), skipped},
    });
}
