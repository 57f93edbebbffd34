#pragma once

#include "format/NoteRecord.h"

#include <QList>
#include <QString>

class CurrentNotesList;
class NoteDatabase;
class UserPrompt;

// The three commands that delete notes permanently, as every front end runs them: each
// asks first (Yes and No, question icon) and goes on only on Yes, deletes through
// NoteDatabase::DeleteNotes, lowers the total by the number deleted and returns it. A
// note file that cannot be rewritten stops the deletions: its failure is shown
// (FileStatus::Caption(), warning icon) and the notes not yet deleted stay.
namespace DeleteCommands {

// The context menu's "Delete Note Permanently" and the "Delete Note" command: "Do you
// wish to permanently delete this note?" ("Delete Note?"). Asks nothing for a note that
// was never saved (NoteID 0 or less).
int DeleteSelectedNote(NoteDatabase& database, const NoteRecord& note, UserPrompt& prompt);

// "Delete Current Notes": every note of the current list, first to last, after "Do you
// wish to permanently delete the current note?" or "Do you wish to permanently delete all
// %d current notes?" ("Delete Current Notes?"), with "Deleting current notes...." shown.
// A listed note that was never saved leaves the list all the same.
int DeleteCurrentNotes(NoteDatabase& database, CurrentNotesList& current, UserPrompt& prompt);

// The control bar's delete of the notes of a category, key word or source: "Are you sure
// you wish to delete the note?" / "... these notes?" ("Delete Notes?").
int DeleteNotes(NoteDatabase& database, const NotesList& notes, UserPrompt& prompt);

// DeleteNotes for the notes with these ids (the command line). Every id is looked up
// before anything is deleted: an id no note has refuses the whole deletion (false, error
// "No note has the id N."). deleted receives the ids deleted, each once, in the order
// given (none when the question is answered No). A note file that cannot be rewritten
// stops the deletions: false, error the failure, and the notes not yet deleted stay.
bool DeleteNotesByIds(NoteDatabase& database, const QList<qint32>& ids, UserPrompt& prompt,
                      QList<qint32>* deleted, QString* error);

} // namespace DeleteCommands
