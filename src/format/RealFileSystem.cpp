#include "format/RealFileSystem.h"

#include "format/FileDescriptor.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Action = FileStatus::Action;

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

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

// Qt's text for the device's last error, or, where a short write left none, the
// system's for the failed call just before.
QString ReasonOf(const QFileDevice& file)
{
    const QString reason = file.errorString();
    if (!reason.isEmpty() && file.error() != QFileDevice::NoError)
        return reason;
    return errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : reason;
}

} // namespace

FileStatus RealFileSystem::WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileStatus::Failed(Action::Write, path, file.errorString());
    // The buffered bytes are flushed here, not left to commit(): a failure of that last
    // write is not seen by commit(), which would then put a cut file in the old one's place.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = ReasonOf(file);
        file.cancelWriting();
        return FileStatus::Failed(Action::Write, path, reason);
    }
    errno = 0;
    if (!file.commit())
        return FileStatus::Failed(Action::Write, path, ReasonOf(file));
    return FileStatus::Ok();
}

FileStatus RealFileSystem::AppendToFile(const QString& path, const QByteArray& bytes)
{
    FileDescriptor file(::open(Native(path).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644));
    if (file.Get() < 0)
        return FileStatus::FromErrno(Action::Write, path, errno);
    if (!WriteAll(file.Get(), bytes.constData(), bytes.size()) || file.Close() != 0)
        return FileStatus::FromErrno(Action::Write, path, errno);
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
    const FileDescriptor source(::open(Native(from).constData(), O_RDONLY | O_CLOEXEC));
    if (source.Get() < 0)
        return FileStatus::FromErrno(Action::Copy, from, errno, to);
    FileDescriptor target(::open(Native(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
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

FileStatus RealFileSystem::Sync(const QString& path)
{
    FileDescriptor file(::open(Native(path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0 || ::fsync(file.Get()) != 0)
        return FileStatus::FromErrno(Action::Write, path, errno);
    return FileStatus::Ok();
}

FileStatus RealFileSystem::SyncAll(const QString& path)
{
    FileDescriptor file(::open(Native(path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        return FileStatus::FromErrno(Action::Write, path, errno);
    if (::syncfs(file.Get()) != 0) {
        // Without syncfs the whole system is synced: more than needed, never less.
        if (errno != ENOSYS)
            return FileStatus::FromErrno(Action::Write, path, errno);
        ::sync();
    }
    return FileStatus::Ok();
}

namespace {

// Whether the file at path reads back with every key the settings hold.
bool HoldsAllKeys(const QString& path, const QSettings& settings)
{
    const QSettings stored(path, QSettings::IniFormat);
    return stored.status() == QSettings::NoError && stored.allKeys().size() >= settings.allKeys().size();
}

} // namespace

FileStatus RealFileSystem::SyncSettings(QSettings& settings)
{
    // QSettings writes through a QSaveFile whose last buffered write may fail unseen and
    // leave a cut file in place of the old one: the old file is kept under a second name
    // until the new one reads back whole.
    const QString path = settings.fileName();
    const QString kept = path + QStringLiteral(".undo");
    static_cast<void>(Remove(kept)); // a leftover; Link below says whether it went
    const bool haveKept = QFile::exists(path) && Link(path, kept).IsOk();
    errno = 0;
    settings.sync();
    const int error = errno;
    const bool failed = settings.status() == QSettings::AccessError || !HoldsAllKeys(path, settings);
    if (!failed) {
        if (haveKept)
            static_cast<void>(Remove(kept)); // a second name no reader looks at
        return FileStatus::Ok();
    }
    if (haveKept) {
        // The failure below is what counts; the old file comes back where it can.
        static_cast<void>(Rename(kept, path)); // nothing happens when the write left it in place
        static_cast<void>(Remove(kept)); // then both names are the one old file
    }
    // QSettings keeps the reason to itself; the failed call before it left it in errno.
    if (error != 0)
        return FileStatus::FromErrno(Action::Write, path, error);
    return FileStatus::Failed(Action::Write, path, QStringLiteral("The settings could not be stored whole"));
}
