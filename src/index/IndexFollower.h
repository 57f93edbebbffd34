#pragma once

#include "store/ChangeNotice.h"

class NoteDatabase;
class SearchIndex;

// Keeps a search index in step with the program's own writes: every change the notice
// tells that wrote or removed note files has those files read into the index at once, in
// the same step as the write and after it is stored; a reload (after an import) checks the
// stamps of every note file. So the next search finds nothing to read again. Files that
// other programs change are still found by their stamps before each answer.
class IndexFollower
{
public:
    // database lists the note files; both it and index must outlive the follower.
    IndexFollower(SearchIndex& index, const NoteDatabase& database, ChangeNotice& changes);

private:
    void Take(const DataChange& change);

    SearchIndex& m_index;
    const NoteDatabase& m_database;
    ChangeNotice::Subscription m_subscription;
};
