#include "store/NotesListOps.h"

namespace NotesListOps {

const NoteRecord* NoteAt(const NotesList& list, int index)
{
    if (index < 0 || index >= list.size())
        return nullptr;
    return &list.at(index);
}

int IndexOfNote(const NotesList& list, qint32 id)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).NoteID == id)
            return static_cast<int>(i);
    }
    return -1;
}

NoteRecord* FindNote(NotesList& list, qint32 id)
{
    const int index = IndexOfNote(list, id);
    return index < 0 ? nullptr : &list[index];
}

const NoteRecord* FindNote(const NotesList& list, qint32 id)
{
    const int index = IndexOfNote(list, id);
    return index < 0 ? nullptr : &list.at(index);
}

bool RemoveNote(NotesList& list, qint32 id)
{
    const int index = IndexOfNote(list, id);
    if (index < 0)
        return false;
    list.removeAt(index);
    return true;
}

int RemoveAllWithId(NotesList& list, qint32 id)
{
    return static_cast<int>(list.removeIf([id](const NoteRecord& note) { return note.NoteID == id; }));
}

NoteIdList NoteIds(const NotesList& list)
{
    QList<qint32> ids;
    ids.reserve(list.size());
    for (const NoteRecord& note : list)
        ids.append(note.NoteID);
    return NoteIdList(std::move(ids));
}

} // namespace NotesListOps
