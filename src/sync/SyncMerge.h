#pragma once

#include "sync/NoteVersion.h"
#include "sync/SyncState.h"

#include <QHash>
#include <QList>
#include <QString>

// One incoming note: the archive of the batch and its entry there.
struct EntryRef
{
    int archive = -1;
    int entry = -1;
    bool IsValid() const { return archive >= 0; }
    friend bool operator==(const EntryRef&, const EntryRef&) = default;
};

// An incoming note to store: it replaces this machine's note of its GUID when there is one.
struct TakeOrder
{
    QString guid;
    EntryRef entry;
    qint32 localId = -1;
};

// A version that lost a conflict, to be kept as a new note (ConflictCopy): the note it was
// a version of, and where that version is (a note of this machine, or an incoming entry).
struct ConflictCopyOrder
{
    QString copyGuid;
    QString originalGuid;
    QByteArray fingerprint; // the losing version
    qint32 localId = -1; // the version is this machine's note of that id...
    EntryRef incoming; // ...or this incoming entry
};

// Decides what a sync does with the notes and deletions that came in, note by note, from
// what this machine holds; it reads and writes nothing. Offer everything in the order the
// machines wrote it; the outcome does not depend on the order of the machines.
//
// An incoming version of a note this machine has:
//   - it is the version here, or one this version grew from: nothing to do;
//   - the version here is one it grew from: it replaces the note;
//   - else both grew apart (both changed since they last agreed): the later LastEdited wins
//     (WinsOver) and the other version is kept as a conflict copy, a new note. Every
//     machine decides the same winner and gives the copy the same GUID, so they agree.
// An incoming note this machine does not have is added, unless a deletion buries it.
// A deletion removes the note here when it buries it (Tombstone::Buries); a note edited
// after the deletion stays.
class SyncMerge
{
public:
    // local: every note of this machine by GUID; tombstones: the deletions it knows.
    SyncMerge(const QHash<QString, SyncedNote>& local, const QHash<QString, Tombstone>& tombstones);

    void OfferNote(const QString& guid, const NoteVersion& version, EntryRef entry);
    void OfferDeletion(const Tombstone& tomb);

    struct Outcome
    {
        QList<TakeOrder> take; // incoming notes to store
        QList<qint32> deleteIds; // local notes to delete
        QList<ConflictCopyOrder> copies; // versions to keep as new notes
        // The version each note the merge touched ends with (taken or kept, its history
        // holding every version it won over); deleted notes are not in it.
        QHash<QString, NoteVersion> versions;
        QHash<QString, Tombstone> tombstones; // every deletion known now
    };
    Outcome Result() const;

private:
    enum class Holder
    {
        None, // no note of this GUID (deleted, or never here)
        Local, // this machine's note
        Incoming, // an incoming entry
        Copy, // a conflict copy to be made
    };
    struct Slot
    {
        Holder holder = Holder::None;
        NoteVersion version;
        qint32 localId = -1; // this machine's note of the GUID before the sync, if any
        EntryRef incoming;
        ConflictCopyOrder copy;
    };

    Slot& Touch(const QString& guid);
    void Conflict(const QString& guid, Slot& slot, const NoteVersion& version, EntryRef entry);
    void PlanCopy(const QString& guid, const Slot& loser, const NoteVersion& version);
    void PlanCopy(const QString& guid, EntryRef entry, const NoteVersion& version);
    void AddCopy(const QString& guid, ConflictCopyOrder order, const NoteVersion& version);

    QHash<QString, SyncedNote> m_local; // shared, not copied
    QHash<QString, Tombstone> m_tombstones;
    QHash<QString, Slot> m_slots;
    QStringList m_order; // GUIDs in the order first touched
};
