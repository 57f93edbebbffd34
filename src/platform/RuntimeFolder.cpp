#include "platform/RuntimeFolder.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString SystemReason(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

void SetError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

bool RuntimeFolder::IsPrivate(const QString& path, QString* error)
{
    struct stat info
    {
    };
    // lstat: a link in the folder's place is not followed but refused.
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        SetError(error, QStringLiteral("\"%1\": %2").arg(path, SystemReason(errno)));
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        SetError(error, QStringLiteral("\"%1\" is not a folder.").arg(path));
        return false;
    }
    if (info.st_uid != ::geteuid()) {
        SetError(error, QStringLiteral("The folder \"%1\" belongs to another user.").arg(path));
        return false;
    }
    if ((info.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        SetError(error,
                 QStringLiteral("The folder \"%1\" is open to other users (mode %2).")
                     .arg(path, QString::number(info.st_mode & 07777, 8)));
        return false;
    }
    return true;
}

bool RuntimeFolder::MakePrivate(const QString& path, QString* error)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), S_IRWXU) == 0) {
        // The umask may have taken away the owner's own rights; never does it add any.
        if (::chmod(native.constData(), S_IRWXU) != 0) {
            SetError(error, QStringLiteral("\"%1\": %2").arg(path, SystemReason(errno)));
            return false;
        }
    } else if (errno != EEXIST) {
        SetError(error,
                 QStringLiteral("Could not create the folder \"%1\": %2").arg(path, SystemReason(errno)));
        return false;
    }
    return IsPrivate(path, error);
}

QString RuntimeFolder::Find(const QString& xdgRuntimeDir, const QString& temporaryParent, QString* error)
{
    if (!xdgRuntimeDir.isEmpty() && QDir::isAbsolutePath(xdgRuntimeDir) && IsPrivate(xdgRuntimeDir))
        return QDir::cleanPath(xdgRuntimeDir);
    const QString fallback
        = QDir(temporaryParent).filePath(QStringLiteral("quorvel-%1").arg(quint64(::geteuid())));
    if (!MakePrivate(fallback, error))
        return {};
    return QDir::cleanPath(fallback);
}

QString RuntimeFolder::Path(QString* error)
{
    return Find(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(), error);
}

QString RuntimeFolder::SubFolder(const QString& name, QString* error)
{
    const QString parent = Path(error);
    if (parent.isEmpty())
        return {};
    const QString path = QDir(parent).filePath(name);
    return MakePrivate(path, error) ? path : QString();
}
