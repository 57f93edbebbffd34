#include "store/NoteIndexLoader.h"

#include "categories/KeyWordList.h"
#include "store/NoteFileIndex.h"

NoteIndexLoader::NoteIndexLoader(LoadedIndexes indexes)
    : m_indexes(indexes)
    , m_categories(indexes.categories)
{
}

void NoteIndexLoader::AddFile(const QString& path, const std::vector<NoteIndexFacts>& notes)
{
    NoteIdList ids;
    for (const NoteIndexFacts& note : notes) {
        AddNote(note, m_seen.Insert(note.NoteID));
        ids.Append(note.NoteID);
    }
    if (!ids.IsEmpty())
        m_indexes.fileIndex.AddFileEntry(path, ids);
}

void NoteIndexLoader::AddNote(const NoteIndexFacts& note, bool firstSight)
{
    m_highestNoteId = qMax(m_highestNoteId, note.NoteID);
    NoteIdList& citing = note.SourceID > 0 ? m_indexes.citing[note.SourceID] : m_indexes.noSource;
    if (firstSight)
        citing.Append(note.NoteID);
    else
        citing.AddIfAbsent(note.NoteID);
    m_categories.AddNote(note.NoteID, note.Categories, m_indexes.unassigned, firstSight);
    if (firstSight)
        m_indexes.keyWords.AddKeyWordsOfNewNote(note.NoteID, note.KeyWords);
    else
        m_indexes.keyWords.AddNoteKeyWords(note.NoteID, note.KeyWords);
}
