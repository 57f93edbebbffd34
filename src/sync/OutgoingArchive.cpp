#include "sync/OutgoingArchive.h"

#include "exchange/ExportNotes.h"
#include "format/FileSystem.h"
#include "store/NoteDatabase.h"
#include "sync/SyncFormat.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

bool ListFile(const QString& path, ArchiveListing* listing)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return false;
    listing->bytes = file.size();
    listing->checksum = hash.result().toHex();
    return true;
}

bool WriteOutgoingArchive(const NoteDatabase& database, const SourceStore& sources,
                          const QString& machineFolder, const QString& machineId, qint64 sequence,
                          const Outgoing& outgoing, ProgressReporter& progress, ArchiveListing* listing,
                          int* notesWritten, QString* error)
{
    ArchiveMeta meta;
    meta.machineId = machineId;
    meta.first = sequence;
    meta.last = sequence;
    meta.notes = outgoing.notes;
    meta.deleted = outgoing.deleted;
    FileSystem& files = database.Folder().Files();
    const QString tempFolder = database.Folder().FullPath(SyncFormat::TempFolderName());
    const QString metaPath = QDir(tempFolder).filePath(SyncFormat::ArchiveMetaName());
    FileStatus status = files.MakePath(tempFolder);
    status.Keep(files.WriteWholeFile(metaPath, meta.Serialize()));
    if (!status) {
        *error = status.Message();
        return false;
    }
    listing->first = sequence;
    listing->last = sequence;
    listing->fileName = SyncFormat::ArchiveFileName(sequence, sequence);
    const QString path = QDir(machineFolder).filePath(listing->fileName);
    ExportContext context;
    context.database = &database;
    context.sources = &sources;
    context.progress = &progress;
    context.error = error;
    context.extraFiles.append({metaPath, SyncFormat::ArchiveMetaName()});
    const int written = outgoing.records.size() == outgoing.ids.Count()
        ? ExportNoteRecords(outgoing.records, path, context)
        : ExportNotes(outgoing.ids, path, context);
    // A leftover is removed with the whole folder at the end of the sync.
    static_cast<void>(files.Remove(metaPath));
    if (written < 0)
        return false;
    if (!ListFile(path, listing)) {
        *error = QStringLiteral("The archive \"%1\" cannot be read back.").arg(path);
        static_cast<void>(files.Remove(path)); // the index never lists it: cleared as a leftover
        return false;
    }
    *notesWritten = written;
    return true;
}
