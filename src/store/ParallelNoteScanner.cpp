#include "store/ParallelNoteScanner.h"

#include <system_error>

ParallelNoteScanner::ParallelNoteScanner(QStringList paths, bool judgeEmpty)
    : m_paths(std::move(paths))
    , m_judgeEmpty(judgeEmpty)
    , m_count(static_cast<size_t>(m_paths.size()))
    , m_files(m_count)
    , m_scannedByHelper(m_count, false)
    , m_scanned(std::make_unique<std::atomic<bool>[]>(m_count))
{
    try {
        m_helper = std::thread([this] { RunHelper(); });
    } catch (const std::system_error&) {
        // No thread to be had: the caller scans every file itself.
    }
}

ParallelNoteScanner::~ParallelNoteScanner()
{
    m_stopping.store(true);
    // Wakes a helper that waits for the caller to catch up.
    m_taken.store(m_count + kFilesAhead);
    m_taken.notify_all();
    if (m_helper.joinable())
        m_helper.join();
}

bool ParallelNoteScanner::ScanNextUnclaimed(NoteFileScanner& scanner, bool byHelper)
{
    const size_t index = m_nextClaim.fetch_add(1);
    if (index >= m_count)
        return false;
    m_scannedByHelper[index] = byHelper;
    ScannedNoteFile& file = m_files[index];
    file.path = m_paths.at(static_cast<qsizetype>(index));
    scanner.ScanFile(
        file.path, [&file](const NoteIndexFacts& note) { file.notes.push_back(note); },
        m_judgeEmpty ? &file.isEmpty : nullptr);
    m_scanned[index].store(true, std::memory_order_release);
    m_scanned[index].notify_one();
    return true;
}

void ParallelNoteScanner::WaitUntilHelperMayClaim(size_t index)
{
    for (size_t taken = m_taken.load(); index >= taken + kFilesAhead; taken = m_taken.load())
        m_taken.wait(taken);
}

void ParallelNoteScanner::ReleaseHelperFiles(size_t& released)
{
    // The caller holds the last file it took; every file before it is done with.
    const size_t taken = m_taken.load();
    for (; released + 1 < taken && released < m_count; ++released) {
        if (m_scannedByHelper[released])
            m_files[released] = ScannedNoteFile();
    }
}

void ParallelNoteScanner::RunHelper()
{
    NoteFileScanner scanner;
    size_t released = 0;
    while (!m_stopping.load()) {
        WaitUntilHelperMayClaim(m_nextClaim.load());
        ReleaseHelperFiles(released);
        if (m_stopping.load() || !ScanNextUnclaimed(scanner, true))
            return;
    }
}

const ScannedNoteFile* ParallelNoteScanner::Next()
{
    const size_t index = m_taken.load();
    if (index > 0 && index <= m_count && !m_scannedByHelper[index - 1])
        m_files[index - 1] = ScannedNoteFile(); // the caller's own, done with
    if (index >= m_count)
        return nullptr;
    while (!m_scanned[index].load(std::memory_order_acquire)) {
        // The helper holds this file: the caller scans a later one meanwhile, or, with
        // every file claimed, waits.
        if (!ScanNextUnclaimed(m_callerScanner, false))
            m_scanned[index].wait(false, std::memory_order_acquire);
    }
    m_taken.store(index + 1);
    m_taken.notify_one();
    return &m_files[index];
}
