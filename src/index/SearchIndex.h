#pragma once

#include "index/DocSet.h"
#include "index/IndexedDoc.h"
#include "index/QueryMemo.h"
#include "store/ListedNote.h"

#include <QString>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

class IndexContent;
class IndexStore;
class TextMatcher;

// The kept search index of one notes folder: a cache, in a file of its own outside the
// data folder, of what the search finds in each note (IndexQuery), so that a search
// need not read every note file.
//
// It is never stale: before an answer, every note file's stamp (size, change time,
// inode) is compared with the one it was read with, and a file that changed, appeared
// or went away is read again first, whoever wrote it. The program's own writes are
// taken in at once (TakeWrittenFiles). An index that is missing, damaged, made by
// another version or for another folder is built again from the note files; until it
// is ready, and whenever it cannot be read or written, Find answers none and the caller
// reads the note files as before. Deleting the file loses nothing.
//
// Used from one thread; a build started with StartBuild runs on a thread of its own and
// is taken over by the next call that needs the index.
class SearchIndex
{
public:
    enum class State
    {
        Closed, // not opened yet
        Ready,
        Building,
        Missing, // to be built (missing, damaged, another version or folder)
        Unavailable, // the cache folder cannot be written
    };

    // One matching note, in the order the search gives them.
    struct Hit
    {
        int file = 0; // its note file's place in the names searched
        const IndexedDoc* doc = nullptr; // valid until the index next changes
    };

    // notesFolder: where the note files are; indexFile: the index's own file.
    SearchIndex(QString notesFolder, QString indexFile);
    ~SearchIndex();
    SearchIndex(const SearchIndex&) = delete;
    SearchIndex& operator=(const SearchIndex&) = delete;

    // The index file of a notes folder under the cache folder: one per folder.
    static QString FileFor(const QString& cacheFolder, const QString& notesFolder);

    const QString& IndexFile() const { return m_indexFile; }
    State CurrentState();
    // While a build runs: the note files read so far and in all.
    std::pair<int, int> BuildProgress() const;

    // Opens the index and reads again the note files whose stamps changed; names are the
    // note files' bare names as the search lists them. False when the index cannot
    // answer (see above); refreshed receives the number of files read again.
    bool Refresh(const QStringList& names, int* refreshed = nullptr);
    // Builds the index from nothing, here and now; false when it cannot be written.
    bool Rebuild(const QStringList& names);
    // Brings the index in step on a thread of its own (reading the changed note files, or
    // building it from nothing when it cannot be opened), unless that runs already.
    void StartUpdate(const QStringList& names);
    // Stops a running update or build (its work is thrown away).
    void StopUpdate();
    // Reads every term of the vocabulary and hashes them for adding as the index opens (and
    // now, when it is open), not at the first query that needs more than grams or the first
    // write: a window answering keystrokes pays for it once, when the index opens (on the
    // updating thread when an update opens it), rather than at one of them.
    void PrepareTermsOnOpen();
    // Stops any update and closes the index's file, as the program ends; what was read
    // stays in memory, unused (the next Refresh opens the file again).
    void CloseFile();
    // Reads again note files the program has just written or removed (full paths), when
    // the index is open; a failure closes it, and the next Refresh repairs it.
    void TakeWrittenFiles(const QStringList& paths);
    // Refresh, only when the index is open: nothing is opened or built for it.
    void RefreshIfOpen(const QStringList& names);

    // The notes that match, in the order of the files named (after Refresh with the same
    // names), each file's in file order; none when the index cannot answer (then it is
    // read again at the next Refresh). limit: at most this many hits (all when below 0);
    // count receives how many match.
    std::optional<std::vector<Hit>> Find(const TextMatcher& rules, const QStringList& names, int limit = -1,
                                         int* count = nullptr);
    // Forgets the matches of recent searches (the texts read to confirm notes stay): the
    // next Find works its answer out, as a measure of the search alone needs.
    void ForgetRecentAnswers() { m_memo.ForgetMatches(); }
    // The notes whose records the last Find read from their note files to confirm them:
    // the part of its answer the index could not settle alone.
    int ConfirmedByLastFind() const { return m_lastConfirmed; }
    // Every note of the files named, in that order (the answer to "SHOWALL").
    std::vector<Hit> All(const QStringList& names) const;
    // A hit as the current list keeps it; a date that was no date reads as now.
    ListedNote Listed(const IndexedDoc& doc, const DateTime& now) const;

    int NoteCount() const;
    int FileCount() const;

private:
    bool Open();
    void Close();
    void TakeOverBuild();
    bool Update(const QStringList& names, const QStringList& dropped);
    void SetClosedState();

    const QString m_notesFolder;
    const QString m_indexFile;
    State m_state = State::Closed;
    bool m_prepareTermsOnOpen = false;
    int m_lastConfirmed = 0;
    QueryMemo m_memo; // its matches forgotten whenever the content changes
    std::unique_ptr<IndexStore> m_store;
    std::unique_ptr<IndexContent> m_content;

    struct Build;
    std::unique_ptr<Build> m_build;
};
