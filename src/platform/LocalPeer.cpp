#include "platform/LocalPeer.h"

#include <sys/socket.h>
#include <sys/types.h>
#include <unistd.h>

bool LocalPeer::PeerUser(qintptr socketDescriptor, quint32* userId)
{
    if (socketDescriptor < 0)
        return false;
#if defined(SO_PEERCRED)
    struct ucred credentials
    {
    };
    socklen_t size = sizeof credentials;
    if (::getsockopt(int(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0
        || size != sizeof credentials)
        return false;
    *userId = quint32(credentials.uid);
    return true;
#else
    uid_t user = 0;
    gid_t group = 0;
    if (::getpeereid(int(socketDescriptor), &user, &group) != 0)
        return false;
    *userId = quint32(user);
    return true;
#endif
}

bool LocalPeer::IsSameUser(qintptr socketDescriptor)
{
    quint32 user = 0;
    return PeerUser(socketDescriptor, &user) && user == quint32(::geteuid());
}
