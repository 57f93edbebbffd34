#include "store/NoteFileIndex.h"

#include <algorithm>

void NoteFileIndex::Clear()
{
    m_entries.clear();
    m_entriesByPath.clear();
    m_entriesById.clear();
}

std::optional<QString> NoteFileIndex::FileOfNote(qint32 id) const
{
    const auto found = m_entriesById.constFind(id);
    if (found == m_entriesById.cend() || found->isEmpty())
        return std::nullopt;
    return m_entries.at(found->first()).path;
}

void NoteFileIndex::RemoveNoteFromIndex(qint32 id)
{
    const auto found = m_entriesById.find(id);
    if (found == m_entriesById.end())
        return;
    for (int index : std::as_const(*found))
        m_entries[index].ids.RemoveAll(id);
    m_entriesById.erase(found);
}

void NoteFileIndex::AddToEntry(int index, qint32 id)
{
    if (!m_entries[index].ids.AddIfAbsent(id))
        return;
    QList<int>& holders = m_entriesById[id];
    // Kept ascending so that the first holder is the first entry in index order.
    holders.insert(std::lower_bound(holders.begin(), holders.end(), index), index);
}

void NoteFileIndex::AddFileEntry(const QString& path, const NoteIdList& ids)
{
    const auto found = m_entriesByPath.constFind(path);
    if (found != m_entriesByPath.cend()) {
        for (int index : *found) {
            for (qint32 id : ids)
                AddToEntry(index, id);
        }
        return;
    }
    const int index = static_cast<int>(m_entries.size());
    m_entries.append(NoteFileEntry {path, NoteIdList()});
    m_entriesByPath[path].append(index);
    // A new entry takes the ids as given, repeats included, like any appended list.
    m_entries[index].ids = ids;
    for (qint32 id : ids) {
        QList<int>& holders = m_entriesById[id];
        if (holders.isEmpty() || holders.last() != index)
            holders.append(index);
    }
}

void NoteFileIndex::AddFileEntry(const QString& path, qint32 id)
{
    const auto found = m_entriesByPath.constFind(path);
    if (found != m_entriesByPath.cend()) {
        for (int index : *found)
            AddToEntry(index, id);
        return;
    }
    AddFileEntry(path, NoteIdList {id});
}
