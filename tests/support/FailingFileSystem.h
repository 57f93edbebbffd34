#pragma once

// A file system that fails on demand the way a full disk or a read-only folder does, for
// the suites that check that no failed write is reported as done and that nothing
// changes when one fails. Everything it lets through goes to the real file system (the
// syncs excepted).
//
//   FailingFileSystem failing;
//   const DataFolder folder(root, root, &failing);   // or AppEnvironment::fileSystem
//   failing.Fail(FailingFileSystem::Kind::DiskFull, folder.NotesFolder());

#include "format/FileSystem.h"

#include <QDir>
#include <QSettings>
#include <QStringList>
#include <cerrno>

class FailingFileSystem : public FileSystem
{
public:
    enum class Kind
    {
        DiskFull, // ENOSPC: nothing new can be written; renames and removals still work
        ReadOnly, // EROFS: no change at all
    };

    // Every change to a path inside folder (or to folder itself) fails from now on.
    void Fail(Kind kind, const QString& folder)
    {
        m_kind = kind;
        m_folders.append(QDir::cleanPath(folder));
    }
    // Changes of exactly this file fail (a second write in a row, say).
    void FailFile(Kind kind, const QString& path)
    {
        m_kind = kind;
        m_files.append(QDir::cleanPath(path));
    }
    // The next changes that pass succeed; after count of them every change fails.
    void FailAfter(Kind kind, int count)
    {
        m_kind = kind;
        m_allowed = count;
    }
    void Heal()
    {
        m_folders.clear();
        m_files.clear();
        m_allowed = -1;
    }
    // How many changes were refused.
    int Refused() const { return m_refused; }

    static QString ReasonOf(Kind kind) { return FileStatus::FromErrno({}, {}, ErrnoOf(kind)).Reason(); }

    FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes) override
    {
        if (Refuses(path, true))
            return Refusal(FileStatus::Action::Write, path);
        return Real().WriteWholeFile(path, bytes);
    }
    FileStatus AppendToFile(const QString& path, const QByteArray& bytes) override
    {
        if (Refuses(path, true))
            return Refusal(FileStatus::Action::Write, path);
        return Real().AppendToFile(path, bytes);
    }
    FileStatus Rename(const QString& from, const QString& to) override
    {
        if (Refuses(from, false) || Refuses(to, false))
            return Refusal(FileStatus::Action::Rename, from, to);
        return Real().Rename(from, to);
    }
    FileStatus Remove(const QString& path) override
    {
        if (Refuses(path, false))
            return Refusal(FileStatus::Action::Remove, path);
        return Real().Remove(path);
    }
    FileStatus Copy(const QString& from, const QString& to) override
    {
        if (Refuses(to, true))
            return Refusal(FileStatus::Action::Copy, from, to);
        return Real().Copy(from, to);
    }
    FileStatus Link(const QString& existing, const QString& to) override
    {
        if (Refuses(to, false))
            return Refusal(FileStatus::Action::Write, to);
        return Real().Link(existing, to);
    }
    FileStatus MakePath(const QString& path) override
    {
        // An existing folder needs no change.
        if (QDir(path).exists())
            return FileStatus::Ok();
        if (Refuses(path, true))
            return Refusal(FileStatus::Action::CreateFolder, path);
        return Real().MakePath(path);
    }
    FileStatus RemoveFolder(const QString& path) override
    {
        if (QDir(path).exists() && Refuses(path, false))
            return Refusal(FileStatus::Action::Remove, path);
        return Real().RemoveFolder(path);
    }
    FileStatus SyncSettings(QSettings& settings) override
    {
        if (Refuses(settings.fileName(), true))
            return Refusal(FileStatus::Action::Write, settings.fileName());
        return Real().SyncSettings(settings);
    }
    // Syncs change nothing and can be refused like a write; the suites need no
    // durability, so a sync let through is not made (thousands of imports stay quick).
    FileStatus Sync(const QString& path) override
    {
        if (Inside(path) && m_kind == Kind::ReadOnly)
            return Refusal(FileStatus::Action::Write, path);
        return FileStatus::Ok();
    }
    FileStatus SyncAll(const QString& path) override { return Sync(path); }

private:
    static int ErrnoOf(Kind kind) { return kind == Kind::DiskFull ? ENOSPC : EROFS; }

    bool Inside(const QString& path) const
    {
        const QString clean = QDir::cleanPath(path);
        if (m_files.contains(clean))
            return true;
        for (const QString& folder : m_folders) {
            if (clean == folder || clean.startsWith(folder + QLatin1Char('/')))
                return true;
        }
        return false;
    }
    // needsSpace: whether the change takes room on the disk (a full disk still renames
    // and removes).
    bool Refuses(const QString& path, bool needsSpace)
    {
        bool refuse = Inside(path);
        if (!refuse && m_allowed >= 0)
            refuse = m_allowed == 0 || (--m_allowed, false);
        if (refuse && m_kind == Kind::DiskFull && !needsSpace)
            refuse = false;
        m_refused += refuse ? 1 : 0;
        return refuse;
    }
    FileStatus Refusal(FileStatus::Action action, const QString& path,
                       const QString& target = QString()) const
    {
        return FileStatus::FromErrno(action, path, ErrnoOf(m_kind), target);
    }

    Kind m_kind = Kind::DiskFull;
    QStringList m_folders;
    QStringList m_files;
    int m_allowed = -1;
    int m_refused = 0;
};
