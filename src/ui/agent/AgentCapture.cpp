#include "ui/agent/AgentCapture.h"

#include "ui/AgentLink.h"
#include "ui/SingleInstanceGuard.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>

namespace AgentCapture {

QString SelectedText()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->supportsSelection()) {
        const QString selected = clipboard->text(QClipboard::Selection);
        if (!selected.isEmpty())
            return selected;
    }
    return clipboard->text(QClipboard::Clipboard);
}

void PutOnClipboard(const QString& text)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

QString ProgramPath(const QString& agentFolder)
{
    return QDir(agentFolder).filePath(QStringLiteral("quorvel"));
}

bool RequestNote(const QString& programPath, const QString& serverName, const QStringList& startArguments)
{
    const QByteArray request = AgentLink::SelectedTextRequest().toUtf8();
    if (SingleInstanceGuard(serverName).HandOver(request, SingleInstanceGuard::HandOverTag, 2000))
        return true;
    // The program takes the request from its command line once start-up is done.
    return QProcess::startDetached(programPath,
                                   QStringList(startArguments) << AgentLink::SelectedTextRequest());
}

} // namespace AgentCapture
