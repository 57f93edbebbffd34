#pragma once

#include "categories/CategoryTreeLoader.h"
#include "categories/NoteIdSet.h"
#include "format/NoteFileScanner.h"
#include "format/NoteIdList.h"

#include <QHash>
#include <vector>

class KeyWordList;
class NoteFileIndex;

// Where the load files its notes: the database's indexes, emptied by the caller.
struct LoadedIndexes
{
    CategoryTree& categories;
    KeyWordList& keyWords;
    NoteIdList& unassigned;
    NoteIdList& noSource;
    NoteFileIndex& fileIndex;
    // The notes citing each source, by source id.
    QHash<qint32, NoteIdList>& citing;
};

// Files the notes of a load, file by file in load order, into empty indexes: the
// citing notes of each source (or the notes without a source), the category trees (or
// the unassigned notes), the key words and the file index.
//
// The first time an id is met no list can hold it yet, so it is appended without being
// looked for; only an id met again (a note stored twice) takes the add-if-absent path.
class NoteIndexLoader
{
public:
    // Every index is filled from empty.
    explicit NoteIndexLoader(LoadedIndexes indexes);

    void AddFile(const QString& path, const std::vector<NoteIndexFacts>& notes);
    qint32 HighestNoteId() const { return m_highestNoteId; }

private:
    void AddNote(const NoteIndexFacts& note, bool firstSight);

    LoadedIndexes m_indexes;
    CategoryTreeLoader m_categories;
    NoteIdSet m_seen;
    qint32 m_highestNoteId = 0;
};
