#include "exchange/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void RemoveTempFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || info.isFile()) {
        QFile::remove(path);
        return;
    }
    if (info.isDir())
        QDir(path).removeRecursively();
}

bool ResetTempFolder(const QString& path)
{
    RemoveTempFolder(path);
    return QDir().mkpath(path);
}
