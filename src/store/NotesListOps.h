#pragma once

#include "format/NoteIdList.h"
#include "format/NoteRecord.h"

// The operations of a NotesList (an ordered container of record copies): one note
// file's contents, search results, an export set, the current notes list.
namespace NotesListOps {

// The record at index, or nullptr when out of range.
const NoteRecord* NoteAt(const NotesList& list, int index);
// The first record with that id, or nullptr.
NoteRecord* FindNote(NotesList& list, qint32 id);
const NoteRecord* FindNote(const NotesList& list, qint32 id);
// Position of the first record with that id, or -1.
int IndexOfNote(const NotesList& list, qint32 id);
// Removes the first record with that id; false when there was none.
bool RemoveNote(NotesList& list, qint32 id);
// Removes every record with that id; the number removed.
int RemoveAllWithId(NotesList& list, qint32 id);
// The ids in list order.
NoteIdList NoteIds(const NotesList& list);

} // namespace NotesListOps
