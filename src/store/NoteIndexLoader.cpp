#include "store/NoteIndexLoader.h"

#include "categories/KeyWordList.h"
#include "store/NoteFileIndex.h"

NoteIndexLoader::NoteIndexLoader(LoadedIndexes indexes)
    : m_indexes(indexes)
    , m_categories(indexes.categories)
{
    const SourceList& sources = m_indexes.sources;
    m_sourceIndex.reserve(sources.size());
    for (int i = static_cast<int>(sources.size()) - 1; i >= 0; --i)
        m_sourceIndex.insert(sources.at(i).SourceId, i); // the first of equal ids wins
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
    NoteIdList* citing = &m_indexes.noSource;
    if (note.SourceID > 0) {
        const auto found = m_sourceIndex.constFind(note.SourceID);
        citing = found != m_sourceIndex.cend() ? &m_indexes.sources[*found].CitingNoteIds : nullptr;
    }
    if (citing) {
        if (firstSight)
            citing->Append(note.NoteID);
        else
            citing->AddIfAbsent(note.NoteID);
    }
    m_categories.AddNote(note.NoteID, note.Categories, m_indexes.unassigned, firstSight);
    if (firstSight)
        m_indexes.keyWords.AddKeyWordsOfNewNote(note.NoteID, note.KeyWords);
    else
        m_indexes.keyWords.AddNoteKeyWords(note.NoteID, note.KeyWords);
}
