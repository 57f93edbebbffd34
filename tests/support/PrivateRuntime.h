#pragma once

// Points $XDG_RUNTIME_DIR at a private folder of the test (mode 0700) for its lifetime, so
// that the sockets and hand-off files a test makes are its own and can be found.

#include <QFile>
#include <QTemporaryDir>

struct PrivateRuntime
{
    QTemporaryDir dir;
    QByteArray previous = qgetenv("XDG_RUNTIME_DIR");

    PrivateRuntime()
    {
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir.path()));
    }
    ~PrivateRuntime()
    {
        if (previous.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", previous);
    }
    PrivateRuntime(const PrivateRuntime&) = delete;
    PrivateRuntime& operator=(const PrivateRuntime&) = delete;

    QString Path() const { return dir.path(); }
};
