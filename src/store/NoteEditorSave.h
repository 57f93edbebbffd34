#pragma once

#include "store/NoteEditorFields.h"

class NoteDatabase;

// The note editor's OK for front ends that have no editor window: the record the editor
// would open on, the changes made as its controls make them, the save as its OK saves.
namespace NoteEditorSave {

// "Add Note...": the editor opens on a cleared record; the saved note is counted into the
// total. The new note's id, or 0 with the editor's message in error.
qint32 AddNote(NoteDatabase& database, const NoteEditorFields::NoteEditorChanges& changes, QString* error);

// The editor opens on a copy of the stored note with its source attached. False, with a
// message, for an id no note has or a change or save the editor refuses.
bool EditNote(NoteDatabase& database, qint32 id, const NoteEditorFields::NoteEditorChanges& changes,
              QString* error);

} // namespace NoteEditorSave
