#pragma once

#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "sync/ArchiveMeta.h"
#include "sync/MachineIndex.h"

#include <QString>

class NoteDatabase;
class ProgressReporter;
class SourceStore;

// What one sync sends: the notes (ids of this machine, with the version of each) and the
// deletions.
struct Outgoing
{
    NoteIdList ids;
    // The same notes whole, when they were read just before (in the order of ids); empty:
    // the export reads them from their note files.
    NotesList records;
    QList<ArchiveMeta::Note> notes; // in the order of ids
    QList<Tombstone> deleted;

    bool IsEmpty() const { return ids.IsEmpty() && deleted.isEmpty(); }
};

// Writes the archive of sequence number sequence into this machine's subfolder with the
// export (ExportNotes: the notes, their sources and authors, their attached files) and
// "_Sync.txt" beside "_ExpNotes.dat". The archive appears under its name only once
// complete. True with its listing (size and SHA-256 as written) and the number of notes
// written; false with the error's text, and no archive.
bool WriteOutgoingArchive(const NoteDatabase& database, const SourceStore& sources,
                          const QString& machineFolder, const QString& machineId, qint64 sequence,
                          const Outgoing& outgoing, ProgressReporter& progress, ArchiveListing* listing,
                          int* notesWritten, QString* error);

// The size and SHA-256 of a file as its listing gives them; false when it cannot be read.
bool ListFile(const QString& path, ArchiveListing* listing);
