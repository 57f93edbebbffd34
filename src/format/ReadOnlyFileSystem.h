#pragma once

#include "format/FileSystem.h"

// The file system of a run on a read-only data folder (see DataFolder): every change to a
// path under the data root fails at once with DataFolder::ReadOnlyReason(), before
// anything is touched; changes elsewhere (an export archive, the print program's hand-off
// files in the user's runtime folder) go to the file system beneath. Operations refuse
// before they get here; this is what holds when one does not.
class ReadOnlyFileSystem : public FileSystem
{
public:
    // beneath must outlive this object.
    ReadOnlyFileSystem(FileSystem& beneath, const QString& dataRoot);

    FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes) override;
    FileStatus AppendToFile(const QString& path, const QByteArray& bytes) override;
    FileStatus Rename(const QString& from, const QString& to) override;
    FileStatus Remove(const QString& path) override;
    FileStatus Copy(const QString& from, const QString& to) override;
    FileStatus Link(const QString& existing, const QString& to) override;
    FileStatus MakePath(const QString& path) override;
    FileStatus RemoveFolder(const QString& path) override;
    FileStatus SyncSettings(QSettings& settings) override;
    // Syncs change nothing: they reach the file system beneath.
    FileStatus Sync(const QString& path) override;
    FileStatus SyncAll(const QString& path) override;

    // Whether a change to path would be refused.
    bool Refuses(const QString& path) const;

private:
    FileSystem& m_beneath;
    QString m_root;
};
