#pragma once

#include <QtGlobal>

// Who is at the other end of a local socket. The program and its agent obey what comes
// through their sockets (open this archive, close the program) and send file names
// through them, so each side checks, before it sends or reads anything, that the other
// process runs as the same user: the system says so for a connected local socket
// (SO_PEERCRED), whatever the socket's name or folder.
class LocalPeer
{
public:
    // True only when the socket's peer runs with this process's effective user id. A
    // descriptor that is not a connected local socket is never the same user.
    static bool IsSameUser(qintptr socketDescriptor);
    // The peer's user id; false when the system cannot tell.
    static bool PeerUser(qintptr socketDescriptor, quint32* userId);
};
