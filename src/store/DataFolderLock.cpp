#include "store/DataFolderLock.h"

#include "format/DataFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Short enough that a waiting program starts soon after the holder ends, long enough not
// to spin while a long command runs.
constexpr int kRetryMs = 50;

QString LockPath(const QString& dataRoot)
{
    return DataFolder(dataRoot, QString()).FullPath(DataFolderLock::LockFileName());
}

// Whether this process may create files in folder, or, while folder is missing, in the
// nearest folder above it that exists. Judged by the effective user, as the writes would
// be; a read-only file system says no whatever the permissions.
bool CanWriteIn(const QString& folder)
{
    QString existing = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    while (!QFileInfo::exists(existing) && existing != QFileInfo(existing).path())
        existing = QFileInfo(existing).path();
    return ::faccessat(AT_FDCWD, QFile::encodeName(existing).constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace

DataFolderLock::DataFolderLock(const QString& dataRoot)
    : m_path(LockPath(dataRoot))
    , m_lock(m_path)
{
    // A holder is judged by its process alone: an age limit would let a second program
    // in beside a desktop program that has simply been open for a while.
    m_lock.setStaleLockTime(0);
}

DataFolderLock::~DataFolderLock()
{
    Unlock();
}

DataFolderLock::Outcome DataFolderLock::TryLock()
{
    if (m_lock.isLocked())
        return Outcome::Held;
    const QString folder = QFileInfo(m_path).absolutePath();
    QDir().mkpath(folder);
    // Before the lock file: one left on a read-only medium would read as a holder forever.
    if (!CanWriteIn(folder))
        return Outcome::ReadOnly;
    if (m_lock.tryLock(0))
        return Outcome::Held;
    if (m_lock.error() != QLockFile::LockFailedError)
        return Outcome::NotWritable;
    qint64 pid = 0;
    QString host;
    QString application;
    if (m_lock.getLockInfo(&pid, &host, &application))
        m_holder = pid;
    return Outcome::InUse;
}

DataFolderLock::Outcome DataFolderLock::Lock(int waitMs, const std::function<void(int elapsedMs)>& waiting)
{
    QElapsedTimer elapsed;
    elapsed.start();
    Outcome outcome = TryLock();
    while (outcome == Outcome::InUse && elapsed.elapsed() < waitMs) {
        if (waiting)
            waiting(int(elapsed.elapsed()));
        QThread::msleep(ulong(qBound(qint64(1), waitMs - elapsed.elapsed(), qint64(kRetryMs))));
        outcome = TryLock();
    }
    return outcome;
}

void DataFolderLock::Unlock()
{
    if (m_lock.isLocked())
        m_lock.unlock();
}

QString DataFolderLock::InUseText(qint64 process)
{
    return QStringLiteral("The data folder is in use by another Quorvel program (process %1).").arg(process);
}
