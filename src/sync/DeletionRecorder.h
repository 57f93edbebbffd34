#pragma once

#include "format/DataFolder.h"
#include "format/FileStatus.h"
#include "store/ChangeNotice.h"
#include "sync/DeletionJournal.h"

// Dates every deletion of a note for the next sync: it listens to the change notice and
// adds each deleted note's NoteGUID to the deletion journal with the moment it heard of it
// (the program's clock), whichever command deleted it, in the window or on the command
// line. Without that date a deletion counts from the last sync, and an edit made on
// another machine between the last sync and the deletion would survive it.
//
// The sync's own deletions (of notes deleted on another machine) are not recorded: they
// carry the time they were made there, and a later one recorded here would bury edits made
// before it (see Quiet). A read-only data folder has nothing to record.
class DeletionRecorder
{
public:
    // changes must outlive the recorder.
    DeletionRecorder(const DataFolder& folder, ChangeNotice& changes);

    // While one lives, deletions are heard but not recorded.
    class [[nodiscard]] Quiet
    {
    public:
        explicit Quiet(DeletionRecorder* recorder);
        ~Quiet();
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        DeletionRecorder* m_recorder;
    };

    // The last deletion that could not be recorded (a full disk), success when none: that
    // deletion then counts from the last sync.
    const FileStatus& LastFailure() const { return m_failure; }

private:
    void Follow(const DataChange& change);

    DataFolder m_folder;
    DeletionJournal m_journal;
    int m_quiet = 0;
    FileStatus m_failure;
    ChangeNotice::Subscription m_subscription; // last: unsubscribed first
};
