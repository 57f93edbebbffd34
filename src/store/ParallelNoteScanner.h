#pragma once

#include "format/NoteFileScanner.h"

#include <QStringList>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// One note file as the load takes it: the indexed facts of its notes, and whether its
// head counts no notes at all.
struct ScannedNoteFile
{
    QString path;
    bool isEmpty = false;
    std::vector<NoteIndexFacts> notes;
};

// Reads and scans the note files of a load on two threads, and hands them to the caller
// in list order: a helper thread works ahead through the list while the caller files one
// file's notes into the indexes; whenever the file the caller needs next is not ready,
// the caller scans a further file itself instead of waiting. The results are exactly
// those of scanning the files one after the other.
//
// Each file's facts are freed by the thread that made them: memory handed from thread
// to thread makes the two fight over the allocator's locks.
class ParallelNoteScanner
{
public:
    // judgeEmpty: tell for each file whether its head counts no notes.
    ParallelNoteScanner(QStringList paths, bool judgeEmpty);
    // Stops the helper; files not yet taken are left unread.
    ~ParallelNoteScanner();
    ParallelNoteScanner(const ParallelNoteScanner&) = delete;
    ParallelNoteScanner& operator=(const ParallelNoteScanner&) = delete;

    // The next file, in list order, valid until the next call; nullptr when every file
    // was taken.
    const ScannedNoteFile* Next();

private:
    // How far the helper may run ahead of the caller: enough to keep it busy, few enough
    // that the facts waiting stay small.
    static constexpr size_t kFilesAhead = 64;

    void RunHelper();
    // Claims the next file nobody has claimed and scans it; false when none is left.
    bool ScanNextUnclaimed(NoteFileScanner& scanner, bool byHelper);
    // Frees the helper's files that the caller is done with, from released on.
    void ReleaseHelperFiles(size_t& released);
    void WaitUntilHelperMayClaim(size_t index);

    const QStringList m_paths;
    const bool m_judgeEmpty;
    const size_t m_count;
    std::vector<ScannedNoteFile> m_files;
    std::vector<char> m_scannedByHelper; // set by whoever claims the file
    std::unique_ptr<std::atomic<bool>[]> m_scanned;
    std::atomic<size_t> m_nextClaim {0};
    std::atomic<size_t> m_taken {0};
    std::atomic<bool> m_stopping {false};
    NoteFileScanner m_callerScanner;
    std::thread m_helper; // started when everything it uses exists
};
