#pragma once

#include "format/FileStatus.h"

#include <QByteArray>
#include <QString>

class QSettings;

// Every change the program makes to the file system goes through this seam, so that a
// test can make any of them fail as a full disk or a read-only folder would, and every
// caller learns of the failure as a FileStatus naming the file and the reason. Reading
// stays outside it: an unreadable file reads as empty wherever the program reads one.
//
// The application's environment hands the one the program uses to its data folder
// (DataFolder::Files()); whatever changes the data folder takes it from there, and
// whatever writes one file by its path takes it as a parameter. Single-threaded use,
// like the database.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // Replaces the file at path with bytes in one step (a temporary file beside it,
    // renamed over it): on failure the old file, or its absence, is left as it was.
    virtual FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes) = 0;
    // Adds bytes at the end of the file at path, creating it when missing. Not atomic: for
    // files written piece by piece and thrown away when a piece fails (the temporary data
    // files of an export). A file system that does not say otherwise appends through the
    // real one.
    virtual FileStatus AppendToFile(const QString& path, const QByteArray& bytes);
    // Renames from to to, replacing an existing file at to.
    virtual FileStatus Rename(const QString& from, const QString& to) = 0;
    // Removes a file; a path that names nothing is success.
    virtual FileStatus Remove(const QString& path) = 0;
    // Copies a file to a new name; fails when to exists (nothing is ever overwritten).
    virtual FileStatus Copy(const QString& from, const QString& to) = 0;
    // A second name for an existing file (a hard link); fails when to exists.
    virtual FileStatus Link(const QString& existing, const QString& to) = 0;
    // Creates the folder and its missing parents; an existing folder is success.
    virtual FileStatus MakePath(const QString& path) = 0;
    // Removes a folder with everything in it (a symbolic link in its place is removed,
    // never followed); a path that names nothing is success.
    virtual FileStatus RemoveFolder(const QString& path) = 0;
    // Writes the pending values of an INI settings store to its file (QSettings::sync).
    virtual FileStatus SyncSettings(QSettings& settings) = 0;
    // Makes the file or folder at path durable (its bytes, or a folder's names) before
    // returning. A file system that does not say otherwise syncs through the real one.
    virtual FileStatus Sync(const QString& path);
    // Makes everything written to the file system that holds path durable, in one pass:
    // thousands of new files cost one wait instead of one each.
    virtual FileStatus SyncAll(const QString& path);

    // The operating system's file system (RealFileSystem), one for the process.
    static FileSystem& Real();
};
