#pragma once

#include <QString>

// "Run Agent at log-in": an XDG autostart entry that starts the agent with the desktop
// session.
namespace AgentAutostart {

// "$XDG_CONFIG_HOME/autostart/QVAgent.desktop" (default "~/.config").
QString EntryPath();
// The entry's text for the agent at agentPath.
QString EntryText(const QString& agentPath);
// Writes the entry (on) or removes it (off). False when the file could not be written
// or removed.
bool SetRunAtLogin(bool on, const QString& agentPath);
bool RunsAtLogin();

} // namespace AgentAutostart
