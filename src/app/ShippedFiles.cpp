#include "app/ShippedFiles.h"

#include <QDir>
#include <QFileInfo>

QString ShippedFiles::ManualName()
{
    return QStringLiteral("UsersManual.pdf");
}

QString ShippedFiles::SampleArchiveName()
{
    return QStringLiteral("QuorvelSample.qvx");
}

QString ShippedFiles::Find(const QString& programFolder, const QString& name)
{
    const QDir programs(programFolder);
    const QString beside = QDir::cleanPath(programs.filePath(name));
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = QDir::cleanPath(programs.filePath(QStringLiteral("../share/quorvel/") + name));
    return QFileInfo::exists(installed) ? installed : beside;
}
