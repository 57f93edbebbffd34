#include "store/IniSettingsBackend.h"

#include "format/FileSystem.h"

#include <QDir>
#include <QStandardPaths>

IniSettingsBackend::IniSettingsBackend(const QString& iniPath, FileSystem& files)
    : m_settings(iniPath, QSettings::IniFormat)
    , m_files(files)
{
}

QString IniSettingsBackend::DefaultIniPath()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).filePath(QStringLiteral("Brenlow/Quorvel.ini"));
}

QVariant IniSettingsBackend::Value(const QString& group, const QString& name) const
{
    return m_settings.value(group + QLatin1Char('/') + name);
}

void IniSettingsBackend::SetValue(const QString& group, const QString& name, const QVariant& value)
{
    m_settings.setValue(group + QLatin1Char('/') + name, value);
}

FileStatus IniSettingsBackend::Sync()
{
    return m_files.SyncSettings(m_settings);
}
