#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

struct stat;

// What tells one state of a file from another without reading it: the file itself (a
// rewrite through a temporary file and a rename makes a new one), its size and the time
// of its last change. A file read together with its stamp can be used again later for
// as long as the stamp on disk is the same.
struct FileStamp
{
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 changedSeconds = 0;
    qint64 changedNanoseconds = 0;

    static FileStamp FromStat(const struct stat& info);
    // None when the path names nothing.
    static std::optional<FileStamp> Of(const QString& path);
    // The same for an open file.
    static std::optional<FileStamp> OfOpen(int fd);

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
