#pragma once

// Sync through a shared folder that a folder-sync service (Syncthing, Nextcloud, a network
// share...) copies between machines. The data folder itself is never in it.
//
// Each machine writes only into its own subfolder, named by its machine name, and reads
// the others':
//   <sync folder>/<machine>/Index.txt                what it published and what it applied
//   <sync folder>/<machine>/00000007.qvx             the notes and deletions of one sync
//   <sync folder>/<machine>/00000001-00000006.qvx    archives 1 to 6 compacted into one
// Every file is written under a name beginning with ".part-" and renamed when complete,
// so a reader sees the old file or the new one; a service that copies a file in place is
// caught by the sizes and checksums of the index.
//
// Index.txt, UTF-8 lines of tab-separated words:
//   QuorvelSyncIndex  1
//   machine  <machine id>  <machine name>
//   archive  <first>  <last>  <file name>  <bytes>  <SHA-256, hex>     (oldest first)
//   applied  <machine id>  <last sequence applied of that machine>
//   end      <SHA-256 of every byte before this line, hex>
// An index without its end line, or whose checksum differs, is still being copied in.
//
// An archive is an export archive (the layout any import reads: "_ExpNotes.dat" and the
// attached files at its root) with one more entry, "_Sync.txt", in the lines above:
//   QuorvelSyncArchive  1
//   machine   <machine id>
//   sequence  <first>  <last>
//   note      <NoteGUID>  <fingerprint>  <fingerprints of its earlier versions, newest first, by ",">
//   deleted   <NoteGUID>  <when>  <fingerprint>  <earlier fingerprints>
//   end       <SHA-256 of every byte before this line, hex>
// A note line for every entry of "_ExpNotes.dat", and a deleted line for every note
// deleted on the machine since its last sync. "when" is a date-time in the data files'
// text form (2024-03-01-14-05-09).
//
// The machine keeps what it knows of its own notes in its data folder, beside the notes
// (SyncState.h): "Data Files\Sync\State.txt".

#include <QString>

namespace SyncFormat {

inline QString IndexName()
{
    return QStringLiteral("Index.txt");
}
inline QString ArchiveMetaName()
{
    return QStringLiteral("_Sync.txt");
}
// Files being written; never read, removed when left behind.
inline QString PartPrefix()
{
    return QStringLiteral(".part-");
}
inline QString StateFolderName()
{
    return QStringLiteral("Data Files\\Sync");
}
inline QString StateFileName()
{
    return QStringLiteral("State.txt");
}
// Where incoming archives are unpacked during a sync; emptied before and removed after.
inline QString TempFolderName()
{
    return QStringLiteral("Data Files\\SyncTemp");
}
// The key word of a note kept as a conflict copy.
inline QString ConflictKeyWord()
{
    return QStringLiteral("sync conflict");
}

constexpr int kFormatVersion = 1;
// How many earlier versions of a note each one remembers.
constexpr int kHistoryLength = 16;

// "00000007.qvx", or "00000001-00000006.qvx" for a compacted range.
QString ArchiveFileName(qint64 first, qint64 last);

} // namespace SyncFormat
