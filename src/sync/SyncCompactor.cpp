#include "sync/SyncCompactor.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/TempFolder.h"
#include "exchange/ZipFolder.h"
#include "format/DataFolder.h"
#include "format/ExportDataFile.h"
#include "format/FieldWriter.h"
#include "format/FileSystem.h"
#include "platform/ProgressReporter.h"
#include "sync/IncomingArchive.h"
#include "sync/OutgoingArchive.h"
#include "sync/SyncEngine.h"
#include "sync/SyncFormat.h"
#include "sync/SyncMerge.h"

#include <QDir>
#include <QFileInfo>
#include <memory>
#include <vector>

namespace {

// How many of the oldest archives every other machine has applied.
int AppliedEverywhere(const MachineIndex& index, const QList<MachineFolder>& others)
{
    qint64 reached = index.LastSequence();
    for (const MachineFolder& other : others) {
        if (other.read.result == IndexRead::Result::Unreadable)
            return 0;
        if (other.read.result != IndexRead::Result::Ok || other.read.index.machineId == index.machineId)
            continue;
        reached = std::min(reached, other.read.index.applied.value(index.machineId));
    }
    int count = 0;
    while (count < index.archives.size() && index.archives.at(count).last <= reached)
        ++count;
    return count;
}

// The last word on each note of the archives, in order: its last entry, or its deletion
// when that came later.
struct Kept
{
    QList<EntryRef> notes;
    QList<Tombstone> deleted;
};

Kept LastOfEach(const std::vector<std::unique_ptr<IncomingArchive>>& archives)
{
    QHash<QString, EntryRef> notes;
    QHash<QString, Tombstone> deleted;
    QStringList order;
    for (int k = 0; k < int(archives.size()); ++k) {
        const IncomingArchive& archive = *archives.at(k);
        for (int i = 0; i < archive.Count(); ++i) {
            const QString& guid = archive.Note(i).NoteGUID;
            if (!notes.contains(guid) && !deleted.contains(guid))
                order.append(guid);
            notes.insert(guid, {k, i});
            deleted.remove(guid);
        }
        for (const Tombstone& tomb : archive.Meta().deleted) {
            if (!notes.contains(tomb.guid) && !deleted.contains(tomb.guid))
                order.append(tomb.guid);
            notes.remove(tomb.guid);
            deleted.insert(tomb.guid, tomb);
        }
    }
    Kept kept;
    for (const QString& guid : order) {
        if (notes.contains(guid))
            kept.notes.append(notes.value(guid));
        else if (deleted.contains(guid))
            kept.deleted.append(deleted.value(guid));
    }
    return kept;
}

// Writes the merged archive's files into folder and lists what goes into the archive.
// Attached files are renamed, "0000001.jpg" onwards, so that files of different archives
// that carried one name stay apart.
bool WriteMerged(FileSystem& fs, const std::vector<std::unique_ptr<IncomingArchive>>& archives,
                 const Kept& kept, ArchiveMeta meta, const QString& folder, QList<ZipFileEntry>* files)
{
    const QString dataPath = QDir(folder).filePath(ExchangeFormat::DataFileName());
    FieldWriter head;
    WriteExportHead(head, kept.notes.size(), DateTime::CurrentLocal());
    if (!fs.WriteWholeFile(dataPath, head.DiskBytes()))
        return false;
    files->append({dataPath, ExchangeFormat::DataFileName()});
    QHash<QString, QString> renamed; // "archive/stored name" -> name in the merged archive
    FieldWriter entries;
    for (const EntryRef& ref : kept.notes) {
        const IncomingArchive& archive = *archives.at(ref.archive);
        NoteRecord note = archive.FullNote(ref.entry);
        const NoteVersion version = archive.Version(ref.entry);
        for (AttachmentRecord& attachment : note.Attachments) {
            const QString key = QStringLiteral("%1/%2").arg(ref.archive).arg(attachment.StoredName);
            QString name = renamed.value(key);
            if (name.isEmpty()) {
                const int dot = attachment.StoredName.lastIndexOf(QLatin1Char('.'));
                name = QString::asprintf("%.7d", int(renamed.size()) + 1)
                    + (dot >= 0 ? attachment.StoredName.mid(dot) : QString());
                renamed.insert(key, name);
                const QString path = QDir(archive.Folder()).filePath(attachment.StoredName);
                if (!attachment.StoredName.contains(QLatin1Char('/')) && QFileInfo(path).isFile())
                    files->append({path, name});
            }
            attachment.StoredName = name;
        }
        WritePreparedExportEntry(entries, note, note.AttachedSource);
        meta.notes.append({note.NoteGUID, version.fingerprint, version.history});
        if (entries.LogicalBytes().size() > (1 << 20)) {
            if (!fs.AppendToFile(dataPath, entries.DiskBytes()))
                return false;
            entries.Clear();
        }
    }
    if (!entries.LogicalBytes().isEmpty() && !fs.AppendToFile(dataPath, entries.DiskBytes()))
        return false;
    meta.deleted = kept.deleted;
    const QString metaPath = QDir(folder).filePath(SyncFormat::ArchiveMetaName());
    if (!fs.WriteWholeFile(metaPath, meta.Serialize()))
        return false;
    files->append({metaPath, SyncFormat::ArchiveMetaName()});
    return true;
}

bool Compact(FileSystem& fs, const QString& machineFolder, MachineIndex& index, int count,
             const QString& tempFolder, const UnzipLimits& limits)
{
    std::vector<std::unique_ptr<IncomingArchive>> archives;
    for (int k = 0; k < count; ++k) {
        const ArchiveListing& listing = index.archives.at(k);
        const QString folder = QDir(tempFolder).filePath(QString::number(k));
        QString reason;
        if (!fs.MakePath(folder))
            return false;
        archives.push_back(IncomingArchive::Open(QDir(machineFolder).filePath(listing.fileName), listing,
                                                 folder, limits, &reason));
        if (!archives.back())
            return false;
    }
    ArchiveMeta meta;
    meta.machineId = index.machineId;
    meta.first = index.archives.first().first;
    meta.last = index.archives.at(count - 1).last;
    const QString mergedFolder = QDir(tempFolder).filePath(QStringLiteral("merged"));
    QList<ZipFileEntry> files;
    if (!fs.MakePath(mergedFolder)
        || !WriteMerged(fs, archives, LastOfEach(archives), meta, mergedFolder, &files))
        return false;
    ArchiveListing merged;
    merged.first = meta.first;
    merged.last = meta.last;
    merged.fileName = SyncFormat::ArchiveFileName(meta.first, meta.last);
    const QString path = QDir(machineFolder).filePath(merged.fileName);
    if (!ZipFiles(fs, path, files) || !ListFile(path, &merged))
        return false;
    QStringList oldFiles;
    for (int k = 0; k < count; ++k)
        oldFiles.append(index.archives.at(k).fileName);
    MachineIndex next = index;
    next.archives.remove(0, count);
    next.archives.prepend(merged);
    if (!WriteMachineIndex(fs, machineFolder, next))
        return false;
    index = next;
    // A reader that read the old index finds a file missing and reads the new index next
    // time; a file that cannot be removed now is removed as a leftover by a later sync.
    for (const QString& name : oldFiles) {
        if (name != merged.fileName)
            static_cast<void>(fs.Remove(QDir(machineFolder).filePath(name)));
    }
    return true;
}

} // namespace

void CompactArchives(const DataFolder& folder, const QString& machineFolder, MachineIndex& index,
                     const QList<MachineFolder>& others, const SyncOptions& options,
                     ProgressReporter& progress)
{
    const int count = AppliedEverywhere(index, others);
    if (count < std::max(2, options.compactAfter))
        return;
    progress.Begin(QStringLiteral("Compacting this machine's synced notes..."), 0);
    FileSystem& files = folder.Files();
    const QString tempFolder = folder.FullPath(SyncFormat::TempFolderName());
    // A compaction that cannot be made leaves the archives as they are, for the next sync.
    if (ResetTempFolder(files, tempFolder))
        Compact(files, machineFolder, index, count, tempFolder, options.limits);
    RemoveTempFolder(files, tempFolder);
    progress.End();
}
