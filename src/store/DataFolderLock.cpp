#include "store/DataFolderLock.h"

#include "format/DataFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

namespace {

// Short enough that a waiting program starts soon after the holder ends, long enough not
// to spin while a long command runs.
constexpr int kRetryMs = 50;

QString LockPath(const QString& dataRoot)
{
    return DataFolder(dataRoot, QString()).FullPath(DataFolderLock::LockFileName());
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
    QDir().mkpath(QFileInfo(m_path).absolutePath());
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
