#pragma once

#include "format/DateTime.h"
#include "format/FileStamp.h"
#include "format/FileStatus.h"
#include "sync/NoteVersion.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

class FileSystem;

// A note deleted somewhere: its GUID, when, and the version that was deleted. A note of
// that GUID is buried by it when it is that version, one it grew from, or last edited
// no later than the deletion; a note edited after the deletion survives it.
struct Tombstone
{
    QString guid;
    DateTime when;
    NoteVersion version; // lastEdited unused

    bool Buries(const NoteVersion& note) const;
    // Keeps the later deletion, knowing the versions of both.
    void Merge(const Tombstone& other);
};

// One note as this machine last synced it.
struct SyncedNote
{
    qint32 id = 0;
    QString guid;
    // A digest of the record's bytes in its note file here: while they are the same, so is
    // the note, and it is not read again.
    QByteArray stored;
    NoteVersion version;
};

// One note file as this machine last synced it: its stamp then, and its notes.
struct SyncedFile
{
    QString name; // "SRC0000000012.dat"
    FileStamp stamp;
    QList<SyncedNote> notes;
};

// What a machine remembers of its own data folder between syncs, in
// "Data Files\Sync\State.txt" (never in the sync folder):
//   QuorvelSyncState  1
//   listing  <digest of the note files' names and stamps (NoteFolderListing)>
//   machine  <machine id>
//   synced   <when the last sync ended>
//   file     <name>  <device>  <inode>  <size>  <changed seconds>  <changed nanoseconds>
//   note     <NoteID>  <NoteGUID>  <digest as stored>  <fingerprint>  <LastEdited>  <earlier fingerprints>
//   tomb     <NoteGUID>  <when>  <fingerprint>  <earlier fingerprints>
//   end      <checksum>
// Note lines follow the file line of their note file. The listing line comes first so
// that a sync can tell from it alone that no note file changed.
struct SyncState
{
    QString machineId;
    QByteArray listing;
    DateTime synced; // null before the first sync
    QList<SyncedFile> files;
    QHash<QString, Tombstone> tombstones;

    QByteArray Serialize() const;
    // None when bytes are not a whole state file; the machine id alone is then kept in
    // machineId when its line can be read, so that a damaged state keeps the machine's
    // identity (everything else is found again from the note files).
    static std::optional<SyncState> Parse(const QByteArray& bytes, QString* machineId = nullptr);

    // The state file of a data folder: its path, and a read that gives an empty state
    // (no machine id) when there is none.
    static QString PathIn(const QString& stateFolder);
    static SyncState Load(const QString& stateFolder);
    // The listing, machine and synced lines alone, read from the head of the file, as
    // written (a head whose file turns out damaged is never trusted beyond telling that
    // nothing changed since it was written whole).
    static SyncState LoadHead(const QString& stateFolder);
    FileStatus Save(FileSystem& files, const QString& stateFolder) const;
};

// Date-times in the sync's files: the data files' text form, "-" for one that is not
// valid.
QByteArray TimeText(const DateTime& value);
DateTime TimeFromText(const QByteArray& text);
