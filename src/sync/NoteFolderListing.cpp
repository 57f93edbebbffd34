#include "sync/NoteFolderListing.h"

#include <QCryptographicHash>
#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

NoteFolderListing NoteFolderListing::Read(const QString& notesFolder)
{
    NoteFolderListing listing;
    DIR* dir = ::opendir(QFile::encodeName(notesFolder).constData());
    if (dir == nullptr)
        return listing;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.endsWith("dat"))
            continue;
        struct stat info
        {
        };
        if (::fstatat(dirFd, entry->d_name, &info, 0) != 0 || S_ISDIR(info.st_mode))
            continue;
        listing.files.append({QFile::decodeName(name), FileStamp::FromStat(info)});
    }
    ::closedir(dir);
    std::sort(listing.files.begin(), listing.files.end(),
              [](const File& a, const File& b) { return a.name < b.name; });
    return listing;
}

QByteArray NoteFolderListing::Digest() const
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const File& file : files) {
        const FileStamp& s = file.stamp;
        hash.addData(QFile::encodeName(file.name));
        const qint64 numbers[]
            = {qint64(s.device), qint64(s.inode), s.size, s.changedSeconds, s.changedNanoseconds};
        hash.addData(QByteArrayView(reinterpret_cast<const char*>(numbers), sizeof(numbers)));
    }
    return hash.result().toHex();
}
