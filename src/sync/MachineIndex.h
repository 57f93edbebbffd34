#pragma once

#include "format/FileStatus.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

class FileSystem;

// One archive a machine published: the sequences it holds (first == last but for a
// compacted one), its file in the machine's subfolder, and its size and SHA-256 as
// written, by which a reader tells an archive still being copied in or damaged.
struct ArchiveListing
{
    qint64 first = 0;
    qint64 last = 0;
    QString fileName;
    qint64 bytes = 0;
    QByteArray checksum;
};

// "Index.txt" of a machine's subfolder (layout in SyncFormat.h): what the machine
// published, oldest first, and how far it applied each other machine's archives.
struct MachineIndex
{
    QString machineId;
    QString machineName;
    QList<ArchiveListing> archives;
    QHash<QString, qint64> applied; // machine id -> last sequence applied

    qint64 LastSequence() const { return archives.isEmpty() ? 0 : archives.last().last; }

    QByteArray Serialize() const;
    // None for an index that is not whole (still being copied in, cut short, damaged)
    // or written by a newer format.
    static std::optional<MachineIndex> Parse(const QByteArray& bytes);
};

// What reading a machine's index gave.
struct IndexRead
{
    enum class Result
    {
        Ok,
        Missing, // no index (yet)
        Unreadable, // incomplete, damaged or newer: tried again next time
    };
    Result result = Result::Missing;
    MachineIndex index;
};
IndexRead ReadMachineIndex(const QString& machineFolder);
FileStatus WriteMachineIndex(FileSystem& files, const QString& machineFolder, const MachineIndex& index);
