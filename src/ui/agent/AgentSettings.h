#pragma once

#include <QString>

// What the program and the agent agree on besides their messages (AgentLink).
namespace AgentSettings {

// "TrayIcon", group "Options": 2112 shows the agent's tray icon, 0 hides it; unset (a
// fresh install) shows it.
constexpr qint32 kTrayIconByDefault = 2112;

// The command a desktop keyboard shortcut runs to capture the selected text once: the
// agent's program, quoted when its path has blanks, and "--capture".
inline QString CaptureCommand(const QString& agentPath)
{
    const QString program
        = agentPath.contains(QLatin1Char(' ')) ? QLatin1Char('"') + agentPath + QLatin1Char('"') : agentPath;
    return program + QStringLiteral(" --capture");
}

} // namespace AgentSettings
