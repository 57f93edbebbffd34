#pragma once

#include "store/NoteWriteResult.h"

#include <QString>

class CategoryTree;
class CurrentNotesList;
class NoteDatabase;

// The organising commands as the desktop program and the command line both run them:
// the database does the re-filing and writing, this layer keeps the current notes list
// in order afterwards.
namespace OrganiseCommands {

// The category editor's "Save": the working trees (with their "<UNASSIGNED>" node)
// replace the database's, every note is re-filed, and the current list is sorted again
// by noteSortId.
NoteWriteResult SaveCategoryTrees(NoteDatabase& database, CurrentNotesList& current, CategoryTree working,
                                  int noteSortId);

// The key word page's two list-wide commands over the current notes list; afterwards the
// just-added marks of the list are cleared, as a search does.
NoteWriteResult AttachKeyWordToCurrentNotes(NoteDatabase& database, CurrentNotesList& current,
                                            const QString& word);
NoteWriteResult RemoveKeyWordFromCurrentNotes(NoteDatabase& database, CurrentNotesList& current,
                                              const QString& word);

} // namespace OrganiseCommands
