#include "ui/SingleInstanceGuard.h"

#include "platform/LocalPeer.h"
#include "platform/RuntimeFolder.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QtEndian>

namespace {

constexpr int HeaderBytes = 8;
constexpr quint32 MaxMessageBytes = 1 << 20; // anything larger is not ours

QString UserName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty())
        name = QDir::home().dirName();
    return name;
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(const QString& serverName, QObject* parent)
    : QObject(parent)
    , m_name(serverName)
{
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

QString SingleInstanceGuard::DefaultServerName()
{
    return PrivateServerName(QStringLiteral("ZolQuorvel"));
}

QString SingleInstanceGuard::PrivateServerName(const QString& base)
{
    const QString folder = RuntimeFolder::Path();
    if (folder.isEmpty())
        return {};
    return QDir(folder).filePath(base + UserName());
}

bool SingleInstanceGuard::HandOver(const QByteArray& data, quint32 tag, int timeoutMs) const
{
    if (m_name.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    // Another user's listener gets nothing: not the file name, not even the tag.
    if (!LocalPeer::IsSameUser(socket.socketDescriptor())) {
        socket.abort();
        return false;
    }
    QByteArray message(HeaderBytes, '\0');
    qToBigEndian<quint32>(tag, message.data());
    qToBigEndian<quint32>(quint32(data.size()), message.data() + 4);
    message.append(data);
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (socket.bytesAvailable() < 4) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    const QByteArray answer = socket.read(4);
    socket.disconnectFromServer();
    return qFromBigEndian<quint32>(answer.constData()) == 1;
}

bool SingleInstanceGuard::Listen()
{
    if (m_server)
        return m_server->isListening();
    if (m_name.isEmpty())
        return false;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // Nobody answered on the name (the caller tried HandOver first): a stale socket.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstanceGuard::OnNewConnection);
    return true;
}

bool SingleInstanceGuard::IsListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstanceGuard::OnNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        // Whatever another user's process sends is neither read nor answered.
        if (!LocalPeer::IsSameUser(socket->socketDescriptor())) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadMessages(socket); });
        ReadMessages(socket);
    }
}

void SingleInstanceGuard::ReadMessages(QLocalSocket* socket)
{
    while (socket->bytesAvailable() >= HeaderBytes) {
        const QByteArray header = socket->peek(HeaderBytes);
        const quint32 tag = qFromBigEndian<quint32>(header.constData());
        const quint32 length = qFromBigEndian<quint32>(header.constData() + 4);
        if (length > MaxMessageBytes) {
            socket->abort();
            return;
        }
        if (socket->bytesAvailable() < HeaderBytes + qint64(length))
            return;
        socket->read(HeaderBytes);
        const QByteArray data = socket->read(length);
        QByteArray answer(4, '\0');
        qToBigEndian<quint32>(1, answer.data());
        socket->write(answer);
        socket->flush();
        // The work a message starts (an import) may run its own event loops; it runs after
        // this read has finished, and the other copy has its answer already.
        if (tag == HandOverTag) {
            const QString text = QString::fromUtf8(data.left(MaxHandOverBytes));
            QMetaObject::invokeMethod(
                this, [this, text] { emit HandedOver(text); }, Qt::QueuedConnection);
        } else {
            QMetaObject::invokeMethod(
                this, [this, tag, data] { emit CopyData(tag, data); }, Qt::QueuedConnection);
        }
    }
}
