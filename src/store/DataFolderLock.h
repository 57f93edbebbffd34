#pragma once

#include <QLockFile>
#include <QString>
#include <functional>

// One writer per data folder: every program that reads and rewrites the note files, the
// id counters and the lists holds "Data Files\Quorvel.lock" for its whole run. Two
// programs writing at once would hand out the same note id and rewrite each other's note
// files, so a second one waits for the first to finish.
//
// The lock is a QLockFile: it holds the holder's process id and host name, and a lock
// whose holder is gone (a crash, a kill) is taken over as soon as it is seen: the holder
// is checked by process on the same host. A lock held from another host is never taken
// over, whatever its age, since its holder cannot be checked from here.
class DataFolderLock
{
public:
    // dataRoot: the folder that holds "Data Files" (created when missing).
    explicit DataFolderLock(const QString& dataRoot);
    ~DataFolderLock(); // releases the lock when held

    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    enum class Outcome
    {
        Held, // this object holds the lock
        InUse, // another program holds it
        // This user cannot write the data folder (a read-only medium, no write
        // permission): the run opens it read-only (DataFolder::Access::ReadOnly). No lock
        // is needed, as nothing will be written; whoever else may write it (another user,
        // another machine) replaces files in one step, which a reader never sees half done.
        ReadOnly,
        // The folder is writable but the lock file cannot be made (a full disk, say): the
        // run goes on, and its own writes fail and report themselves.
        NotWritable,
    };

    // One attempt.
    Outcome TryLock();
    // Attempts until waitMs have passed (at least one attempt) while the lock is in use.
    // A read-only folder is said at once, whether a lock file is there or not.
    // Between attempts calls waiting with the milliseconds waited so far, when given.
    Outcome Lock(int waitMs, const std::function<void(int elapsedMs)>& waiting = {});
    void Unlock();
    bool IsLocked() const { return m_lock.isLocked(); }

    // The holder's process id as last seen by a failed attempt; 0 when unknown.
    qint64 HolderProcess() const { return m_holder; }
    // "The data folder is in use by another Quorvel program (process N)."
    QString InUseText() const { return InUseText(m_holder); }
    static QString InUseText(qint64 process);

    QString FileName() const { return m_path; }
    static QString LockFileName() { return QStringLiteral("Data Files\\Quorvel.lock"); }

private:
    QString m_path;
    QLockFile m_lock;
    qint64 m_holder = 0;
};
