#include "format/FileStamp.h"

#include <QFile>
#include <sys/stat.h>

FileStamp FileStamp::FromStat(const struct stat& info)
{
    FileStamp stamp;
    stamp.device = static_cast<quint64>(info.st_dev);
    stamp.inode = static_cast<quint64>(info.st_ino);
    stamp.size = static_cast<qint64>(info.st_size);
    // The change time moves with every write, and no program sets it back.
    stamp.changedSeconds = static_cast<qint64>(info.st_ctim.tv_sec);
    stamp.changedNanoseconds = static_cast<qint64>(info.st_ctim.tv_nsec);
    return stamp;
}

std::optional<FileStamp> FileStamp::OfOpen(int fd)
{
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0)
        return std::nullopt;
    return FromStat(info);
}

std::optional<FileStamp> FileStamp::Of(const QString& path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FromStat(info);
}
