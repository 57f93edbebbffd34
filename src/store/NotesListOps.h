#pragma once

#include "format/NoteIdList.h"
#include "format/NoteRecord.h"

#include <QList>

// The operations of an ordered list of notes: whole records (one note file's contents,
// search results, an export set) or the current list's listed notes. Notes are looked up
// by their NoteID.
namespace NotesListOps {

// The note at index, or nullptr when out of range.
template<typename Note> const Note* NoteAt(const QList<Note>& list, int index)
{
    return index < 0 || index >= list.size() ? nullptr : &list.at(index);
}

// Position of the first note with that id, or -1.
template<typename Note> int IndexOfNote(const QList<Note>& list, qint32 id)
{
    for (qsizetype i = 0; i < list.size(); ++i) {
        if (list.at(i).NoteID == id)
            return static_cast<int>(i);
    }
    return -1;
}

// The first note with that id, or nullptr.
template<typename Note> Note* FindNote(QList<Note>& list, qint32 id)
{
    const int index = IndexOfNote(list, id);
    return index < 0 ? nullptr : &list[index];
}

template<typename Note> const Note* FindNote(const QList<Note>& list, qint32 id)
{
    const int index = IndexOfNote(list, id);
    return index < 0 ? nullptr : &list.at(index);
}

// Removes the first note with that id; false when there was none.
template<typename Note> bool RemoveNote(QList<Note>& list, qint32 id)
{
    const int index = IndexOfNote(list, id);
    if (index < 0)
        return false;
    list.removeAt(index);
    return true;
}

// Removes every note with that id; the number removed.
template<typename Note> int RemoveAllWithId(QList<Note>& list, qint32 id)
{
    return static_cast<int>(list.removeIf([id](const Note& note) { return note.NoteID == id; }));
}

// The ids in list order.
template<typename Note> NoteIdList NoteIds(const QList<Note>& list)
{
    QList<qint32> ids;
    ids.reserve(list.size());
    for (const Note& note : list)
        ids.append(note.NoteID);
    return NoteIdList(std::move(ids));
}

} // namespace NotesListOps
