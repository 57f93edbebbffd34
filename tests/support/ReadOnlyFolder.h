#pragma once

// Makes a folder truly read-only for the length of a test, the way a read-only medium or
// a folder without write permission is: a user without write permission gets EACCES,
// where the test runs as a normal user; the super-user, whom permissions do not bind,
// gets EROFS from a read-only bind mount of the folder onto itself. Where neither can be
// had (no right to mount), Made() is false and the test skips.
//
//   ReadOnlyFolder readOnly(root.path());
//   if (!readOnly.Made())
//       GTEST_SKIP() << readOnly.Why();

#include <QDirIterator>
#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& path)
        : m_path(path)
    {
        if (::geteuid() != 0) {
            SetPermissions(false);
            m_made = true;
            m_how = QStringLiteral("permissions");
            return;
        }
        const QByteArray native = QFile::encodeName(path);
        if (::mount(native.constData(), native.constData(), nullptr, MS_BIND, nullptr) != 0) {
            m_why = QStringLiteral("cannot bind-mount: ") + QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        m_mounted = true;
        if (::mount(nullptr, native.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0) {
            m_why
                = QStringLiteral("cannot remount read-only: ") + QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        m_made = true;
        m_how = QStringLiteral("a read-only mount");
    }
    ~ReadOnlyFolder() { Undo(); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool Made() const { return m_made; }
    const char* Why() const
    {
        m_whyBytes = m_why.toLocal8Bit();
        return m_whyBytes.constData();
    }
    // "permissions" or "a read-only mount", for messages.
    const QString& How() const { return m_how; }

    // Writable again (also done on destruction).
    void Undo()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_path).constData(), MNT_DETACH);
        else if (m_made)
            SetPermissions(true);
        m_mounted = false;
        m_made = false;
    }

private:
    void SetPermissions(bool writable)
    {
        const QFile::Permissions folder
            = QFile::ReadOwner | QFile::ExeOwner | (writable ? QFile::WriteOwner : QFile::Permissions());
        const QFile::Permissions file
            = QFile::ReadOwner | (writable ? QFile::WriteOwner : QFile::Permissions());
        QDirIterator it(m_path, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        QStringList folders {m_path};
        while (it.hasNext()) {
            const QString entry = it.next();
            if (it.fileInfo().isDir())
                folders.append(entry);
            else
                QFile::setPermissions(entry, file);
        }
        for (const QString& each : folders)
            QFile::setPermissions(each, folder);
    }

    QString m_path;
    bool m_made = false;
    bool m_mounted = false;
    QString m_why;
    QString m_how;
    mutable QByteArray m_whyBytes;
};
