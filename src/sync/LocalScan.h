#pragma once

#include "format/DataFolder.h"
#include "sync/NoteFolderListing.h"
#include "sync/SyncState.h"

#include <QHash>
#include <QSet>
#include <functional>

// This machine's notes now, against what it last synced (SyncState): a note file whose
// stamp is unchanged keeps its notes' versions without being read; any other is read and
// each of its notes fingerprinted. A note whose fingerprint differs from the synced one is
// a new version of it (its history starts with the synced fingerprint); a note the state
// does not know is new; a note the state knows that no file holds any more was deleted.
struct LocalScan
{
    // The SourceGUID of each source id (the fingerprint names a note's source by it).
    using SourceGuids = QHash<qint32, QString>;
    // When a note was deleted, if known (an invalid value when not).
    using DeletionTime = std::function<DateTime(const QString& guid)>;

    // A changed note as read, with the fingerprint it was given.
    struct Record
    {
        QByteArray fingerprint;
        NoteRecord note;
    };
    // Changed notes are kept whole while there are no more than this many, so that sending
    // them does not read their files again; a first sync of a large database reads them
    // again instead of holding them all.
    static constexpr int kKeptRecords = 5000;

    NoteFolderListing listing;
    QList<SyncedFile> files; // every note file now, in name order
    QSet<QString> changed; // GUIDs of notes new or changed since the state
    QHash<QString, Record> records; // the changed notes whole, unless there were too many
    bool recordsComplete = true; // records holds every changed note
    QList<Tombstone> deleted; // notes deleted since the state, each with its synced version
    // Names of the files read that hold a note stored without a GUID (an old file's): such
    // a note has a new GUID at each reading until its file is rewritten.
    QStringList withoutGuids;

    // A deletion whose time deletedWhen does not know is dated when the state was
    // written: the earliest it can have happened, so that no edit made elsewhere after it
    // is lost to it.
    static LocalScan Run(const DataFolder& folder, const SyncState& state, const SourceGuids& sources,
                         const DeletionTime& deletedWhen = {});

    // Every note now by GUID (the first note of a GUID that two notes carry).
    QHash<QString, SyncedNote> NotesByGuid() const;
};
