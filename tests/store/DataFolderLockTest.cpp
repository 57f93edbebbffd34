// One writer per data folder: a second program is kept out while the first holds the
// folder, waits for it within its limit, and takes over a lock whose holder is gone.

#include "store/DataFolderLock.h"

#include "support/ReadOnlyFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>
#include <unistd.h>

namespace {

QString LockPath(const QTemporaryDir& dir)
{
    return dir.filePath(QStringLiteral("Data Files/Quorvel.lock"));
}

// The lines of a lock file this process writes: process id, program name, host name and
// the machine's identity.
QList<QByteArray> OwnLockLines(const QTemporaryDir& dir)
{
    DataFolderLock own(dir.path());
    EXPECT_EQ(own.TryLock(), DataFolderLock::Outcome::Held);
    QFile file(LockPath(dir));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll().split('\n');
}

void WriteLockFile(const QTemporaryDir& dir, const QList<QByteArray>& lines)
{
    QFile file(LockPath(dir));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(lines.join('\n'));
}

// A process id that no running process has: a child that has already ended.
qint64 EndedProcessId()
{
    QProcess child;
    child.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exit 0")});
    EXPECT_TRUE(child.waitForStarted());
    const qint64 pid = child.processId();
    EXPECT_TRUE(child.waitForFinished());
    return pid;
}

} // namespace

TEST(DataFolderLockTest, SecondHolderIsKeptOutUntilTheFirstLetsGo)
{
    QTemporaryDir dir;
    DataFolderLock first(dir.path());
    DataFolderLock second(dir.path());
    // The lock lives in "Data Files", created for it when missing.
    EXPECT_EQ(first.TryLock(), DataFolderLock::Outcome::Held);
    EXPECT_TRUE(QFile::exists(LockPath(dir)));

    EXPECT_EQ(second.TryLock(), DataFolderLock::Outcome::InUse);
    EXPECT_FALSE(second.IsLocked());
    EXPECT_EQ(second.HolderProcess(), QCoreApplication::applicationPid());
    EXPECT_EQ(second.InUseText(),
              QStringLiteral("The data folder is in use by another Quorvel program (process %1).")
                  .arg(QCoreApplication::applicationPid()));

    first.Unlock();
    EXPECT_FALSE(QFile::exists(LockPath(dir)));
    EXPECT_EQ(second.TryLock(), DataFolderLock::Outcome::Held);
    EXPECT_EQ(first.TryLock(), DataFolderLock::Outcome::InUse);
}

TEST(DataFolderLockTest, LockIsReleasedWhenTheHolderEnds)
{
    QTemporaryDir dir;
    {
        DataFolderLock first(dir.path());
        ASSERT_EQ(first.TryLock(), DataFolderLock::Outcome::Held);
    }
    DataFolderLock second(dir.path());
    EXPECT_EQ(second.TryLock(), DataFolderLock::Outcome::Held);
}

TEST(DataFolderLockTest, WaitingEndsWhenTheHolderLetsGoOrTheTimeIsUp)
{
    QTemporaryDir dir;
    DataFolderLock holder(dir.path());
    ASSERT_EQ(holder.TryLock(), DataFolderLock::Outcome::Held);

    // Time up: at least the whole wait, reported as it passes.
    DataFolderLock impatient(dir.path());
    QList<int> waited;
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(impatient.Lock(300, [&](int elapsedMs) { waited.append(elapsedMs); }),
              DataFolderLock::Outcome::InUse);
    EXPECT_GE(timer.elapsed(), 300);
    ASSERT_GE(waited.size(), 2);
    EXPECT_TRUE(std::is_sorted(waited.cbegin(), waited.cend()));
    EXPECT_LT(waited.last(), 300);

    // No wait at all still tries once.
    EXPECT_EQ(impatient.Lock(0), DataFolderLock::Outcome::InUse);

    // The holder lets go while the other waits: the waiter gets the folder.
    std::thread release([&holder] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        holder.Unlock();
    });
    DataFolderLock patient(dir.path());
    timer.restart();
    EXPECT_EQ(patient.Lock(20000), DataFolderLock::Outcome::Held);
    release.join();
    EXPECT_GE(timer.elapsed(), 150);
    EXPECT_LT(timer.elapsed(), 20000);
}

TEST(DataFolderLockTest, LockOfAnEndedProcessOnThisHostIsTakenOver)
{
    QTemporaryDir dir;
    QList<QByteArray> lines = OwnLockLines(dir);
    ASSERT_GE(lines.size(), 3);
    lines[0] = QByteArray::number(EndedProcessId());
    WriteLockFile(dir, lines);

    DataFolderLock next(dir.path());
    EXPECT_EQ(next.TryLock(), DataFolderLock::Outcome::Held);
}

TEST(DataFolderLockTest, LockFromAnotherHostIsNeverTakenOver)
{
    QTemporaryDir dir;
    QList<QByteArray> lines = OwnLockLines(dir);
    ASSERT_GE(lines.size(), 3);
    // An old lock of a process that is not running here: its host alone can tell.
    lines[0] = QByteArray::number(EndedProcessId());
    lines[2] = "elsewhere.invalid";
    for (qsizetype i = 3; i < lines.size(); ++i) {
        if (!lines[i].isEmpty())
            lines[i] = "another-machine-" + QByteArray::number(i);
    }
    WriteLockFile(dir, lines);
    QFile(LockPath(dir))
        .setFileTime(QDateTime::currentDateTime().addDays(-30), QFileDevice::FileModificationTime);

    DataFolderLock next(dir.path());
    EXPECT_EQ(next.Lock(150), DataFolderLock::Outcome::InUse);
    EXPECT_EQ(next.HolderProcess(), lines[0].toLongLong());
    EXPECT_TRUE(QFile::exists(LockPath(dir)));
}

TEST(DataFolderLockTest, AFolderThisUserCannotWriteIsReadOnlyAtOnce)
{
    // Empty, and with a lock left on the medium by a program of another machine: neither
    // is waited for, since nothing will be written.
    for (const bool leftLock : {false, true}) {
        QTemporaryDir dir;
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("Data Files"))));
        if (leftLock) {
            QList<QByteArray> lines = OwnLockLines(dir);
            lines[2] = "elsewhere.invalid";
            for (qsizetype i = 3; i < lines.size(); ++i) {
                if (!lines[i].isEmpty())
                    lines[i] = "another-machine";
            }
            WriteLockFile(dir, lines);
        }
        ReadOnlyFolder readOnly(dir.path());
        if (!readOnly.Made())
            GTEST_SKIP() << readOnly.Why();
        DataFolderLock lock(dir.path());
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(lock.Lock(5000), DataFolderLock::Outcome::ReadOnly) << qPrintable(readOnly.How());
        EXPECT_LT(timer.elapsed(), 5000);
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_EQ(QFile::exists(LockPath(dir)), leftLock);
    }
    // A data root that does not exist below a folder that cannot be written: nothing to
    // read, and nothing made.
    QTemporaryDir parent;
    ReadOnlyFolder readOnly(parent.path());
    if (!readOnly.Made())
        GTEST_SKIP() << readOnly.Why();
    DataFolderLock lock(parent.filePath(QStringLiteral("missing")));
    EXPECT_EQ(lock.TryLock(), DataFolderLock::Outcome::ReadOnly);
    EXPECT_FALSE(QFileInfo::exists(parent.filePath(QStringLiteral("missing"))));
}
