#pragma once

#include "format/NoteIdList.h"
#include "store/ListedNote.h"

#include <QString>

class CurrentNotesList;
class NoteDatabase;
class SearchIndex;
class UserPrompt;

// The search bar's two runs, "Run Database Search" and "Run Current Notes Search", as one
// operation for every front end: the desktop program shows the messages in message boxes
// and follows the list's changes like any other, the command line answers from a script
// and prints the outcome.

struct SearchRun
{
    // False when nothing was searched: an empty text, or an invalid query (its message
    // has been shown and nothing changed).
    bool ran = false;
    // The number of matches, counting those already in the current list.
    int count = 0;
    // Their ids in the order found.
    NoteIdList matches;
};

// "Run Database Search": text is trimmed of blanks at both ends (empty: nothing happens);
// the list's just-added flags and hits are cleared and the text is parsed (an invalid
// query shows its message to prompt and stops). While "Searching Notes...." is shown,
// every note file is searched. Matches already in the
// current list give it their highlighted display text; the others join it (above the
// list under "Add: To Top", 705; below it otherwise) with their just-added flag set. The
// list's sources are filled and it is sorted by noteSortId (705 and 805 keep the
// order). Ends with "Your search returned  *N*  results." ("Finished Search!",
// information icon).
// With an index, the matches come from it when it can answer (the same notes in the same
// order), else from reading the note files.
SearchRun RunDatabaseSearch(const QString& text, const NoteDatabase& database, CurrentNotesList& current,
                            qint32 noteSortId, UserPrompt& prompt, SearchIndex* index = nullptr);

// "Run Current Notes Search": the same over the notes of the current list only. The list
// keeps its notes and their order; the notes that match show their hits.
SearchRun RunCurrentNotesSearch(const QString& text, const NoteDatabase& database, CurrentNotesList& current,
                                UserPrompt& prompt, SearchIndex* index = nullptr);

// Puts search results into the current list (the merge of a database search): results
// already in the list hand over their display text; the rest go above the list for 705,
// below it otherwise. Returns the number of notes added.
int MergeSearchResults(ListedNotes& current, ListedNotes results, qint32 noteSortId);

// "Your search returned  *%d*  results."
QString SearchResultText(int count);
// "Finished Search!"
QString SearchResultCaption();
// "Searching Notes...."
QString SearchingNotesText();
