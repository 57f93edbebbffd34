#pragma once

#include "exchange/UnzipLimits.h"
#include "format/NoteIdList.h"
#include "sync/LocalScan.h"

#include <QList>
#include <QString>

class DeletionRecorder;
class NoteDatabase;
class ProgressReporter;
class SourceStore;

struct SyncOptions
{
    QString folder; // the sync folder ("Sync folder"); empty: sync is off
    QString machine; // this machine's name
    // Archives that every other machine has applied are compacted into one once there are
    // this many of them.
    int compactAfter = 8;
    UnzipLimits limits;
};

// What a sync needs from the program around it. What it stores is told through the
// database's change notice, as every other write is: the notes it deletes as a deletion,
// the notes it takes in as a reload that names them and their note files.
struct SyncContext
{
    NoteDatabase* database = nullptr;
    SourceStore* sources = nullptr;
    // Kept from recording the deletions the sync makes itself; none: nothing records them.
    DeletionRecorder* recorder = nullptr;
    ProgressReporter* progress = nullptr;
    // When a deleted note was deleted; empty: as the deletion journal of the data folder
    // says (DeletionJournal).
    LocalScan::DeletionTime deletedWhen;
};

struct SyncReport
{
    struct Skipped
    {
        QString file; // relative to the sync folder: "laptop/00000003.qvx"
        QString reason;
    };

    bool ok = false;
    QString error; // why the sync could not run or store what it got
    int sent = 0; // notes written into this machine's subfolder
    int received = 0; // notes stored from other machines' (conflict copies included)
    int deleted = 0; // notes deleted because they were deleted elsewhere
    NoteIdList conflicts; // notes kept as conflict copies
    QList<Skipped> skipped; // files tried again next time
    bool databaseChanged = false; // notes were stored or deleted (and told)
};

// "Sync Now": writes the notes of this machine created or changed since its last sync,
// and the notes deleted since, into its own subfolder of the sync folder; applies what
// the other machines wrote there and this one has not applied yet (SyncMerge); keeps the
// versions that lost a conflict as notes with the key word "sync conflict"; compacts its
// own archives once every other machine has applied them.
//
// A sync with nothing new reads the other machines' indexes and nothing else. An archive
// that is still being copied in or damaged is skipped with its reason, with the later
// ones of its machine, and tried again next time. A stop at any moment loses nothing:
// what was not finished is done again by the next sync.
SyncReport SyncNow(const SyncOptions& options, const SyncContext& context);

// The sync's closing message: what was sent, received and deleted, the conflict copies and
// the files skipped. Empty when nothing happened.
QString SyncReportText(const SyncReport& report);
QString SyncCaption();
