#include "index/FolderStamps.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FolderStamps::FolderStamps(const QString& folder)
    : m_folder(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
}

FolderStamps::~FolderStamps()
{
    if (m_folder >= 0)
        ::close(m_folder);
}

std::optional<FileStamp> FolderStamps::Of(const QString& name) const
{
    struct stat info
    {
    };
    if (m_folder < 0 || ::fstatat(m_folder, QFile::encodeName(name).constData(), &info, 0) != 0)
        return std::nullopt;
    return FileStamp::FromStat(info);
}
