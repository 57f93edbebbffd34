// The two halves of keeping the local sockets to this user: the folder they live in
// (RuntimeFolder) and the check of who is at the other end (LocalPeer).
#include "platform/LocalPeer.h"
#include "platform/RuntimeFolder.h"
#include "support/OtherUserProcess.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

mode_t ModeOf(const QString& path)
{
    struct stat info
    {
    };
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0) << qPrintable(path);
    return info.st_mode & 07777;
}

void SetMode(const QString& path, mode_t mode)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
}

QString FallbackIn(const QTemporaryDir& parent)
{
    return parent.filePath(QStringLiteral("quorvel-%1").arg(::geteuid()));
}

// Restores the process's umask when the test ends.
struct Umask
{
    explicit Umask(mode_t mask)
        : previous(::umask(mask))
    {
    }
    ~Umask() { ::umask(previous); }
    mode_t previous;
};

} // namespace

TEST(RuntimeFolder, TheSessionsFolderIsUsedWhenItIsPrivate)
{
    QTemporaryDir xdg, parent;
    SetMode(xdg.path(), 0700);
    QString error;
    EXPECT_EQ(RuntimeFolder::Find(xdg.path(), parent.path(), &error), QDir::cleanPath(xdg.path()));
    EXPECT_FALSE(QFileInfo::exists(FallbackIn(parent))) << "nothing made beside it";
}

TEST(RuntimeFolder, FallbackIsMadeWithMode0700WhateverTheUmask)
{
    // An unset variable, one open to others and a relative one are all passed over.
    for (const QString& xdg : {QString(), QStringLiteral("relative/run"), QStringLiteral("open")}) {
        QTemporaryDir parent, open;
        SetMode(open.path(), 0755);
        const Umask permissive(0);
        QString error;
        const QString found
            = RuntimeFolder::Find(xdg == QLatin1String("open") ? open.path() : xdg, parent.path(), &error);
        ASSERT_EQ(found, FallbackIn(parent)) << qPrintable(error);
        EXPECT_EQ(ModeOf(found), mode_t(0700));
        // Found again as it is on the next start.
        EXPECT_EQ(RuntimeFolder::Find(xdg, parent.path(), &error), found);
    }
}

TEST(RuntimeFolder, AFolderSomeoneElseMadeIsRefusedNotRepaired)
{
    QString error;
    {
        QTemporaryDir parent;
        ASSERT_TRUE(QDir().mkdir(FallbackIn(parent)));
        SetMode(FallbackIn(parent), 0777);
        EXPECT_TRUE(RuntimeFolder::Find({}, parent.path(), &error).isEmpty());
        EXPECT_TRUE(error.contains(QLatin1String("open to other users"))) << qPrintable(error);
        EXPECT_EQ(ModeOf(FallbackIn(parent)), mode_t(0777));
    }
    {
        // A link in the folder's place, even to a private folder of this user.
        QTemporaryDir parent, target;
        SetMode(target.path(), 0700);
        ASSERT_TRUE(QFile::link(target.path(), FallbackIn(parent)));
        EXPECT_TRUE(RuntimeFolder::Find({}, parent.path(), &error).isEmpty());
        EXPECT_TRUE(error.contains(QLatin1String("is not a folder"))) << qPrintable(error);
    }
    {
        QTemporaryDir parent;
        ASSERT_TRUE(QFile(FallbackIn(parent)).open(QIODevice::WriteOnly));
        EXPECT_TRUE(RuntimeFolder::Find({}, parent.path(), &error).isEmpty());
    }
}

TEST(RuntimeFolder, AFolderOfAnotherUserIsRefused)
{
    if (!OtherUserProcess::Possible())
        GTEST_SKIP() << "needs the super-user to give a folder to another user";
    QTemporaryDir parent, xdg;
    ASSERT_TRUE(QDir().mkdir(FallbackIn(parent)));
    SetMode(FallbackIn(parent), 0700);
    SetMode(xdg.path(), 0700);
    ASSERT_EQ(
        ::chown(QFile::encodeName(FallbackIn(parent)).constData(), OtherUserProcess::UserId(), gid_t(-1)), 0);
    ASSERT_EQ(::chown(QFile::encodeName(xdg.path()).constData(), OtherUserProcess::UserId(), gid_t(-1)), 0);
    QString error;
    EXPECT_TRUE(RuntimeFolder::Find(xdg.path(), parent.path(), &error).isEmpty());
    EXPECT_TRUE(error.contains(QLatin1String("belongs to another user"))) << qPrintable(error);
}

TEST(LocalPeer, TheOtherEndOfALocalSocketIsJudgedByItsUser)
{
    int pair[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair), 0);
    quint32 user = 12345;
    EXPECT_TRUE(LocalPeer::PeerUser(pair[0], &user));
    EXPECT_EQ(user, quint32(::geteuid()));
    EXPECT_TRUE(LocalPeer::IsSameUser(pair[1]));
    ::close(pair[0]);
    ::close(pair[1]);

    // What is no connected local socket has no user of ours at its end.
    EXPECT_FALSE(LocalPeer::IsSameUser(-1));
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_FALSE(LocalPeer::IsSameUser(file.handle()));
    const int unconnected = ::socket(AF_UNIX, SOCK_STREAM, 0);
    EXPECT_FALSE(LocalPeer::IsSameUser(unconnected));
    ::close(unconnected);
}

TEST(LocalPeer, AnotherUsersConnectionIsNotTheSameUser)
{
    if (!OtherUserProcess::Possible())
        GTEST_SKIP() << "needs the super-user to run a process as another user";
    QTemporaryDir dir;
    SetMode(dir.path(), 0777);
    const std::string path = QFile::encodeName(dir.filePath(QStringLiteral("peer"))).toStdString();
    // This process listens; the other user connects.
    const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(server, 1), 0);
    ::chmod(path.c_str(), 0777);
    OtherUserProcess other;
    ASSERT_TRUE(other.Start([path](int report) { OtherUserProcess::SendHandOver(path, "x", report); }));
    const int client = ::accept(server, nullptr, nullptr);
    ASSERT_GE(client, 0);
    quint32 user = 0;
    EXPECT_TRUE(LocalPeer::PeerUser(client, &user));
    EXPECT_EQ(user, quint32(OtherUserProcess::UserId()));
    EXPECT_FALSE(LocalPeer::IsSameUser(client));
    ::close(client);
    ::close(server);
    other.Finish();
}
