#include "sync/SyncSettings.h"

#include "store/Settings.h"
#include "store/SettingsBackend.h"

#include <QSysInfo>

namespace {

QString Text(const SettingsBackend& backend, const QString& name)
{
    const QVariant value = backend.Value(Settings::OptionsGroup(), name);
    return value.isValid() && value.canConvert<QString>() ? value.toString() : QString();
}

} // namespace

SyncSettings SyncSettings::Load(const SettingsBackend& backend)
{
    SyncSettings settings;
    settings.folder = Text(backend, QStringLiteral("SyncFolder"));
    settings.machine = Text(backend, QStringLiteral("SyncMachine")).trimmed();
    if (settings.machine.isEmpty())
        settings.machine = DefaultMachineName();
    return settings;
}

FileStatus SyncSettings::Save(SettingsBackend& backend) const
{
    backend.SetValue(Settings::OptionsGroup(), QStringLiteral("SyncFolder"), folder);
    backend.SetValue(Settings::OptionsGroup(), QStringLiteral("SyncMachine"), machine);
    return backend.Sync();
}

QString SyncSettings::DefaultMachineName()
{
    const QString host = QSysInfo::machineHostName();
    return host.isEmpty() ? QStringLiteral("machine") : host;
}
