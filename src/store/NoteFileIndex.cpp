#include "store/NoteFileIndex.h"

#include <algorithm>

void NoteFileIndex::Clear()
{
    m_entries.clear();
    m_entryByPath.clear();
    m_firstEntry.Clear();
    m_laterEntries.clear();
}

std::optional<QString> NoteFileIndex::FileOfNote(qint32 id) const
{
    const int first = m_firstEntry.Value(id);
    if (first == NoteIdMap::kAbsent)
        return std::nullopt;
    return m_entries.at(first).path;
}

void NoteFileIndex::RemoveNoteFromIndex(qint32 id)
{
    const int first = m_firstEntry.Value(id);
    if (first == NoteIdMap::kAbsent)
        return;
    m_entries[first].ids.RemoveAll(id);
    m_firstEntry.Remove(id);
    const auto later = m_laterEntries.find(id);
    if (later != m_laterEntries.end()) {
        for (int index : std::as_const(*later))
            m_entries[index].ids.RemoveAll(id);
        m_laterEntries.erase(later);
    }
}

int NoteFileIndex::EntryFor(const QString& path)
{
    const auto found = m_entryByPath.constFind(path);
    if (found != m_entryByPath.cend())
        return *found;
    const int index = static_cast<int>(m_entries.size());
    m_entries.append(NoteFileEntry {path, NoteIdList()});
    m_entryByPath.insert(path, index);
    return index;
}

void NoteFileIndex::AddToEntry(int index, qint32 id)
{
    if (!m_entries[index].ids.AddIfAbsent(id))
        return;
    int& first = m_firstEntry.Slot(id);
    if (first == NoteIdMap::kAbsent) {
        first = index;
        return;
    }
    // Held twice: the entry nearer the front answers FileOfNote.
    QList<int>& later = m_laterEntries[id];
    int other = index;
    if (index < first) {
        other = first;
        first = index;
    }
    later.insert(std::lower_bound(later.begin(), later.end(), other), other);
}

void NoteFileIndex::AddFileEntry(const QString& path, const NoteIdList& ids)
{
    const int index = EntryFor(path);
    for (qint32 id : ids)
        AddToEntry(index, id);
}

void NoteFileIndex::AddFileEntry(const QString& path, qint32 id)
{
    AddToEntry(EntryFor(path), id);
}
