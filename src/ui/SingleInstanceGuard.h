#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// Only one copy of the program runs per user. The running copy listens on a local socket
// named "ZolQuorvel" + the user name in the user's own runtime folder (RuntimeFolder); a
// second copy connects, hands over its command-line file and ends.
//
// Neither side trusts a socket by its name alone: before anything is sent or read, each
// checks that the process at the other end runs as the same user (LocalPeer). A second
// copy that meets another user's listener hands nothing over and starts as the only copy;
// the running copy drops a connection from another user unread and unanswered.
//
// Each message is a tag and bytes: a 32-bit tag, a 32-bit length and that many bytes (big
// endian). The listener answers every message with a 32-bit 1 when it accepts it. Tag 100
// carries a file name (empty: nothing to open, only the window comes to the front) or an
// agent request; other tags go to the main window.
class SingleInstanceGuard : public QObject
{
    Q_OBJECT
public:
    static constexpr quint32 HandOverTag = 100;
    // At most this many bytes of a handed-over name are taken.
    static constexpr int MaxHandOverBytes = 1023;

    explicit SingleInstanceGuard(const QString& serverName = DefaultServerName(), QObject* parent = nullptr);
    ~SingleInstanceGuard() override;

    // The full path of the per-user socket; empty when the user has no private runtime
    // folder (the program then runs without looking for another copy).
    static QString DefaultServerName();
    // The socket "base + user name" in the user's runtime folder; empty without one.
    static QString PrivateServerName(const QString& base);

    // The second copy's side: true when a running copy of this user accepted the message.
    bool HandOver(const QByteArray& data, quint32 tag = HandOverTag, int timeoutMs = 3000) const;
    // The running copy's side: starts listening (a socket left behind by a copy that
    // crashed is replaced). False when listening is impossible.
    bool Listen();
    bool IsListening() const;

signals:
    // A tag-100 message: the text of the bytes, empty when the second copy had no file.
    void HandedOver(const QString& text);
    // Any other tag.
    void CopyData(quint32 tag, const QByteArray& data);

private:
    void OnNewConnection();
    void ReadMessages(QLocalSocket* socket);

    QString m_name;
    QLocalServer* m_server = nullptr;
};
