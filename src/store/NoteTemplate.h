#pragma once

#include "format/NoteRecord.h"
#include "store/ListedNote.h"

// "Add Note..." starts from the note added last (or the last of the current list): a
// researcher usually writes several notes from one source under one category.
namespace NoteTemplate {

// The template for the next new note: the kept template while it is still in the current
// list, otherwise the last note of the list (its id, source and categories), otherwise
// none (a cleared record).
NoteRecord Choose(const NoteRecord& kept, const ListedNotes& currentList);

// A new note filled from the template: its source (with the copy of the source record)
// and its category path; everything else is the cleared record's.
NoteRecord NewNote(const NoteRecord& templateNote);

} // namespace NoteTemplate
