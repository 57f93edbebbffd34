#include "index/FolderStamps.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
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

std::vector<std::optional<FileStamp>> FolderStamps::OfAll(const QStringList& names) const
{
    constexpr qsizetype kWorthAThread = 512;
    std::vector<std::optional<FileStamp>> stamps(size_t(names.size()));
    const auto take = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            stamps[size_t(i)] = Of(names.at(i));
    };
    if (names.size() < kWorthAThread || std::thread::hardware_concurrency() < 2) {
        take(0, names.size());
        return stamps;
    }
    const qsizetype half = names.size() / 2;
    std::thread other(take, half, names.size());
    take(0, half);
    other.join();
    return stamps;
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
