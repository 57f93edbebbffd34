#include "format/RealFileSystem.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Action = FileStatus::Action;

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

// Closes the descriptor on every path out.
class Descriptor
{
public:
    explicit Descriptor(int fd)
        : m_fd(fd)
    {
    }
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    // Closes now, reporting the error a delayed write may only show here.
    int Close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

bool WriteAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

// Copies the bytes of one open file into another; errno tells a failure.
bool CopyBytes(int from, int to)
{
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (!WriteAll(to, buffer, got))
            return false;
    }
}

} // namespace

FileStatus RealFileSystem::WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileStatus::Failed(Action::Write, path, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return FileStatus::Failed(Action::Write, path, reason);
    }
    if (!file.commit())
        return FileStatus::Failed(Action::Write, path, file.errorString());
    return FileStatus::Ok();
}

FileStatus RealFileSystem::Rename(const QString& from, const QString& to)
{
    if (::rename(Native(from).constData(), Native(to).constData()) != 0)
        return FileStatus::FromErrno(Action::Rename, from, errno, to);
    return FileStatus::Ok();
}

FileStatus RealFileSystem::Remove(const QString& path)
{
    if (::unlink(Native(path).constData()) != 0 && errno != ENOENT)
        return FileStatus::FromErrno(Action::Remove, path, errno);
    return FileStatus::Ok();
}

FileStatus RealFileSystem::Copy(const QString& from, const QString& to)
{
    const Descriptor source(::open(Native(from).constData(), O_RDONLY | O_CLOEXEC));
    if (source.Get() < 0)
        return FileStatus::FromErrno(Action::Copy, from, errno, to);
    Descriptor target(::open(Native(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (target.Get() < 0)
        return FileStatus::FromErrno(Action::Copy, from, errno, to);
    if (!CopyBytes(source.Get(), target.Get()) || target.Close() != 0) {
        const int error = errno;
        ::unlink(Native(to).constData()); // no half copy stays behind
        return FileStatus::FromErrno(Action::Copy, from, error, to);
    }
    return FileStatus::Ok();
}

FileStatus RealFileSystem::Link(const QString& existing, const QString& to)
{
    if (::link(Native(existing).constData(), Native(to).constData()) != 0)
        return FileStatus::FromErrno(Action::Write, to, errno);
    return FileStatus::Ok();
}

FileStatus RealFileSystem::MakePath(const QString& path)
{
    const QString clean = QDir::cleanPath(path);
    // Each missing folder from the top down, so that the failing one is the one named.
    qsizetype from = clean.startsWith(QLatin1Char('/')) ? 1 : 0;
    for (;;) {
        const qsizetype slash = clean.indexOf(QLatin1Char('/'), from);
        const QString part = slash < 0 ? clean : clean.left(slash);
        if (!part.isEmpty() && ::mkdir(Native(part).constData(), 0755) != 0) {
            const int error = errno;
            struct stat info
            {
            };
            if (error != EEXIST || ::stat(Native(part).constData(), &info) != 0)
                return FileStatus::FromErrno(Action::CreateFolder, part, error);
            if (!S_ISDIR(info.st_mode))
                return FileStatus::FromErrno(Action::CreateFolder, part, ENOTDIR);
        }
        if (slash < 0)
            return FileStatus::Ok();
        from = slash + 1;
    }
}

FileStatus RealFileSystem::RemoveFolder(const QString& path)
{
    struct stat info
    {
    };
    if (::lstat(Native(path).constData(), &info) != 0)
        return errno == ENOENT ? FileStatus::Ok() : FileStatus::FromErrno(Action::Remove, path, errno);
    if (!S_ISDIR(info.st_mode))
        return Remove(path);
    if (QDir(path).removeRecursively())
        return FileStatus::Ok();
    // removeRecursively does not say why; the folder itself, still there, does.
    if (::rmdir(Native(path).constData()) != 0)
        return FileStatus::FromErrno(Action::Remove, path, errno);
    return FileStatus::Ok();
}

FileStatus RealFileSystem::SyncSettings(QSettings& settings)
{
    errno = 0;
    settings.sync();
    if (settings.status() != QSettings::AccessError)
        return FileStatus::Ok();
    // QSettings keeps the reason to itself; the failed call before it left it in errno.
    const int error = errno;
    if (error != 0)
        return FileStatus::FromErrno(Action::Write, settings.fileName(), error);
    return FileStatus::Failed(Action::Write, settings.fileName(), QStringLiteral("Access denied"));
}
