#include "app/AppPaths.h"

#include "store/IniSettingsBackend.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

QString AppPaths::DefaultDataRoot()
{
    const QString shared = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(shared).filePath(QStringLiteral("Brenlow Software/Quorvel"));
}

QString AppPaths::SearchIndexFolder()
{
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return QDir(cache).filePath(QStringLiteral("Brenlow Software/Quorvel/SearchIndex"));
}

QString AppPaths::DataRootFromEnvironment()
{
    return qEnvironmentVariable("QUORVEL_DATA_ROOT");
}

QString AppPaths::ProgramFolder()
{
    if (!QCoreApplication::instance())
        return QString();
    return QCoreApplication::applicationDirPath();
}

QString AppPaths::SettingsFile(const QString& explicitDataRoot)
{
    if (explicitDataRoot.isEmpty())
        return IniSettingsBackend::DefaultIniPath();
    return QDir(explicitDataRoot).filePath(QStringLiteral("Quorvel.ini"));
}
