#include "sync/MachineIndex.h"

#include "format/FileSystem.h"
#include "sync/SealedLines.h"
#include "sync/SyncFormat.h"

#include <QDir>
#include <QFile>

namespace {

const QByteArray kIndexMagic = QByteArrayLiteral("QuorvelSyncIndex");

bool ReadArchiveLine(const SealedLines::Line& line, ArchiveListing* archive)
{
    if (line.size() != 6)
        return false;
    bool firstOk = false;
    bool lastOk = false;
    bool bytesOk = false;
    archive->first = line.at(1).toLongLong(&firstOk);
    archive->last = line.at(2).toLongLong(&lastOk);
    archive->fileName = QString::fromUtf8(line.at(3));
    archive->bytes = line.at(4).toLongLong(&bytesOk);
    archive->checksum = line.at(5);
    // A file name never leaves the machine's subfolder.
    const bool plainName = !archive->fileName.isEmpty() && !archive->fileName.contains(QLatin1Char('/'))
        && !archive->fileName.contains(QLatin1Char('\\')) && !archive->fileName.startsWith(QLatin1Char('.'));
    return firstOk && lastOk && bytesOk && plainName && archive->first > 0 && archive->first <= archive->last;
}

} // namespace

QByteArray MachineIndex::Serialize() const
{
    SealedLines lines;
    lines.Add({kIndexMagic, QByteArray::number(SyncFormat::kFormatVersion)});
    lines.Add({"machine", machineId.toUtf8(), machineName.toUtf8()});
    for (const ArchiveListing& archive : archives)
        lines.Add({"archive", QByteArray::number(archive.first), QByteArray::number(archive.last),
                   archive.fileName.toUtf8(), QByteArray::number(archive.bytes), archive.checksum});
    QStringList machines = applied.keys();
    machines.sort();
    for (const QString& machine : machines)
        lines.Add({"applied", machine.toUtf8(), QByteArray::number(applied.value(machine))});
    return lines.Sealed();
}

std::optional<MachineIndex> MachineIndex::Parse(const QByteArray& bytes)
{
    const std::optional<QList<SealedLines::Line>> lines = SealedLines::Open(bytes);
    if (!lines || lines->isEmpty() || lines->first().value(0) != kIndexMagic
        || lines->first().value(1).toInt() != SyncFormat::kFormatVersion)
        return std::nullopt;
    MachineIndex index;
    for (const SealedLines::Line& line : *lines) {
        const QByteArray& kind = line.first();
        if (kind == "machine" && line.size() == 3) {
            index.machineId = QString::fromUtf8(line.at(1));
            index.machineName = QString::fromUtf8(line.at(2));
        } else if (kind == "archive") {
            ArchiveListing archive;
            if (!ReadArchiveLine(line, &archive))
                return std::nullopt;
            // Archives follow one another without a gap or an overlap.
            if (!index.archives.isEmpty() && archive.first != index.archives.last().last + 1)
                return std::nullopt;
            index.archives.append(std::move(archive));
        } else if (kind == "applied" && line.size() == 3) {
            index.applied.insert(QString::fromUtf8(line.at(1)), line.at(2).toLongLong());
        }
    }
    if (index.machineId.isEmpty())
        return std::nullopt;
    return index;
}

IndexRead ReadMachineIndex(const QString& machineFolder)
{
    IndexRead read;
    QFile file(QDir(machineFolder).filePath(SyncFormat::IndexName()));
    if (!file.open(QIODevice::ReadOnly)) {
        read.result = file.exists() ? IndexRead::Result::Unreadable : IndexRead::Result::Missing;
        return read;
    }
    std::optional<MachineIndex> index = MachineIndex::Parse(file.readAll());
    if (!index) {
        read.result = IndexRead::Result::Unreadable;
        return read;
    }
    read.result = IndexRead::Result::Ok;
    read.index = std::move(*index);
    return read;
}

FileStatus WriteMachineIndex(FileSystem& files, const QString& machineFolder, const MachineIndex& index)
{
    return files.WriteWholeFile(QDir(machineFolder).filePath(SyncFormat::IndexName()), index.Serialize());
}
