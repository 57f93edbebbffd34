#pragma once

#include "format/FileSystem.h"

// The operating system's file system: whole-file writes through QSaveFile, the rest
// through the system calls, each failure with the system's own reason text.
class RealFileSystem : public FileSystem
{
public:
    FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes) override;
    FileStatus AppendToFile(const QString& path, const QByteArray& bytes) override;
    FileStatus Rename(const QString& from, const QString& to) override;
    FileStatus Remove(const QString& path) override;
    FileStatus Copy(const QString& from, const QString& to) override;
    FileStatus Link(const QString& existing, const QString& to) override;
    FileStatus MakePath(const QString& path) override;
    FileStatus RemoveFolder(const QString& path) override;
    FileStatus SyncSettings(QSettings& settings) override;
    FileStatus Sync(const QString& path) override;
    FileStatus SyncAll(const QString& path) override;
};
