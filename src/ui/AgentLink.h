#pragma once

#include <QString>
#include <functional>

// The program's side of the link with the capture agent, "QVAgent". The agent listens on
// a local socket named "QuorvelAgent" + the user name in the user's own runtime folder;
// messages to it are tag 0 and a text, in the same framing and with the same check of the
// other side's user as the single-instance hand-over (SingleInstanceGuard).
namespace AgentLink {

// Re-read the agent settings; close.
inline QString CheckSettingsMessage()
{
    return QStringLiteral("ZOLAGENTCHECKSETTINGS");
}
inline QString CloseMessage()
{
    return QStringLiteral("ZOLAGENTCLOSE");
}
// The agent's two requests to the program: a note from the selected text (tag 100),
// closing the program (any other tag).
inline QString SelectedTextRequest()
{
    return QStringLiteral("Zol_Quorvel_GetSelectedText");
}
inline QString CloseProgramRequest()
{
    return QStringLiteral("ZOLCLOSEQUORVEL");
}

QString DefaultServerName();
// The agent's file in the program folder.
QString AgentProgram(const QString& programFolder);

// True when an agent of this user listens under that name.
bool FindAgent(const QString& serverName = DefaultServerName());
// Starts the agent from the program folder unless one runs already; a failed start is
// not reported (false).
bool StartAgent(const QString& programFolder, const QString& serverName = DefaultServerName());
// Sends the text with tag 0 to a running agent; nothing (false) when none runs.
bool TellAgent(const QString& text, const QString& serverName = DefaultServerName());

// What follows any change of the agent settings: the agent is started when it is to run
// with the program ("RunAgent" 2112; start does nothing when it runs already), then a
// running agent is told to re-read its settings. start and tell are StartAgent and
// TellAgent or stand-ins for them; an empty one is skipped.
void AgentSettingsChanged(qint32 runAgent, const std::function<void()>& start,
                          const std::function<void(const QString&)>& tell);

} // namespace AgentLink
