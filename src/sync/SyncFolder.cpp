#include "sync/SyncFolder.h"

#include "format/FileSystem.h"
#include "sync/SyncFormat.h"

#include <QDir>
#include <QRegularExpression>
#include <QSet>

namespace {

const QRegularExpression& ArchiveNamePattern()
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{8})(?:-(\\d{8}))?\\.qvx$"));
    return pattern;
}

} // namespace

QString SyncFolder::FolderNameOf(const QString& machine)
{
    QString name = machine.trimmed();
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    }
    if (name.startsWith(QLatin1Char('.')))
        name[0] = QLatin1Char('_');
    return name;
}

QList<MachineFolder> SyncFolder::ReadOthers(const QString& syncFolder, const QString& ownFolderName)
{
    QList<MachineFolder> machines;
    const QDir folder(syncFolder);
    for (const QString& name : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (name == ownFolderName || name.startsWith(QLatin1Char('.')))
            continue;
        MachineFolder machine;
        machine.name = name;
        machine.path = folder.filePath(name);
        machine.read = ReadMachineIndex(machine.path);
        machines.append(std::move(machine));
    }
    return machines;
}

qint64 SyncFolder::HighestArchiveNumber(const QString& machineFolder)
{
    qint64 highest = 0;
    for (const QString& name : QDir(machineFolder).entryList(QDir::Files)) {
        const QRegularExpressionMatch match = ArchiveNamePattern().match(name);
        if (!match.hasMatch())
            continue;
        highest = std::max(highest, match.captured(1).toLongLong());
        if (match.hasCaptured(2))
            highest = std::max(highest, match.captured(2).toLongLong());
    }
    return highest;
}

void SyncFolder::RemoveLeftovers(FileSystem& files, const QString& machineFolder, const MachineIndex& index)
{
    QSet<QString> listed;
    for (const ArchiveListing& archive : index.archives)
        listed.insert(archive.fileName);
    const QDir folder(machineFolder);
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden)) {
        // The archive and the index are written under temporary names beside their own.
        const bool partial = name.startsWith(SyncFormat::PartPrefix())
            || name.endsWith(QStringLiteral(".part"))
            || name.startsWith(SyncFormat::IndexName() + QLatin1Char('.'));
        const bool unlisted = ArchiveNamePattern().match(name).hasMatch() && !listed.contains(name);
        // One that cannot be removed now is tried again by the next sync.
        if (partial || unlisted)
            static_cast<void>(files.Remove(folder.filePath(name)));
    }
}
