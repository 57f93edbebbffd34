#include "ui/AgentLink.h"

#include "platform/LocalPeer.h"
#include "store/Settings.h"
#include "ui/SingleInstanceGuard.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>

namespace AgentLink {

QString DefaultServerName()
{
    return SingleInstanceGuard::PrivateServerName(QStringLiteral("QuorvelAgent"));
}

QString AgentProgram(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("QVAgent"));
}

bool FindAgent(const QString& serverName)
{
    if (serverName.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(serverName);
    // Another user's listener on the name is no agent of ours.
    const bool found = socket.waitForConnected(200) && LocalPeer::IsSameUser(socket.socketDescriptor());
    socket.abort();
    return found;
}

bool StartAgent(const QString& programFolder, const QString& serverName)
{
    if (FindAgent(serverName))
        return true;
    const QString program = AgentProgram(programFolder);
    if (!QFileInfo(program).isExecutable())
        return false;
    // The agent is told who started it, as it would be from the desktop's start-up list.
    return QProcess::startDetached(program, {QStringLiteral("Quorvel")});
}

bool TellAgent(const QString& text, const QString& serverName)
{
    if (!FindAgent(serverName))
        return false;
    return SingleInstanceGuard(serverName).HandOver(text.toUtf8(), 0, 1000);
}

void AgentSettingsChanged(qint32 runAgent, const std::function<void()>& start,
                          const std::function<void(const QString&)>& tell)
{
    if (runAgent == Settings::TrueNumber && start)
        start();
    if (tell)
        tell(CheckSettingsMessage());
}

} // namespace AgentLink
