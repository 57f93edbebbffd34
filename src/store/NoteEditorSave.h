#pragma once

#include "store/NoteEditorFields.h"

#include <QString>

class NoteDatabase;
class SourceStore;

// The note editor's Save, as every front end runs it: the editor window, and the command
// line's add and edit, which have no window but make the changes its controls make.
namespace NoteEditorSave {

// "Note must contain some text." with the caption "No Text In Note": the refusal of a
// note without text.
QString NoTextMessage();
QString NoTextCaption();

// The editor's Save: refuses a note without text (error NoTextMessage()); otherwise
// stamps the dates (DateAdded only for a new note), trims the key words at both ends and
// saves through NoteDatabase::SaveNote. True when saved; false with the message in error
// (the file's failure when the save failed) and edited as it was handed in.
bool SaveFromEditor(NoteDatabase& database, const NoteRecord& previous, NoteRecord& edited,
                    QString* error = nullptr);

// "Add Note...": the editor opens on a cleared record; the saved note is counted into the
// total. The new note's id, or 0 with the editor's message in error.
qint32 AddNote(NoteDatabase& database, const SourceStore& sources,
               const NoteEditorFields::NoteEditorChanges& changes, QString* error);

// The editor opens on a copy of the stored note with its source attached. False, with a
// message, for an id no note has or a change or save the editor refuses.
bool EditNote(NoteDatabase& database, const SourceStore& sources, qint32 id,
              const NoteEditorFields::NoteEditorChanges& changes, QString* error);

} // namespace NoteEditorSave
