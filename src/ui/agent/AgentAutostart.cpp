#include "ui/agent/AgentAutostart.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace AgentAutostart {

QString EntryPath()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::home().filePath(QStringLiteral(".config"));
    return QDir(config).filePath(QStringLiteral("autostart/QVAgent.desktop"));
}

QString EntryText(const QString& agentPath)
{
    // A path with blanks is quoted as the desktop entry format asks.
    QString exec = agentPath;
    if (exec.contains(QLatin1Char(' ')))
        exec = QLatin1Char('"') + exec + QLatin1Char('"');
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quorvel Agent\n"
                          "Comment=Turns selected text into a Quorvel note\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(exec);
}

bool SetRunAtLogin(bool on, const QString& agentPath)
{
    const QString path = EntryPath();
    if (!on)
        return !QFile::exists(path) || QFile::remove(path);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(EntryText(agentPath).toUtf8());
    return file.commit();
}

bool RunsAtLogin()
{
    return QFile::exists(EntryPath());
}

} // namespace AgentAutostart
