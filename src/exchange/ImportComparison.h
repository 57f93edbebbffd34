#pragma once

#include "format/NoteRecord.h"

#include <QString>

// How an incoming note compares with the database note of the same NoteGUID. Only
// LastEdited decides; a date that is not valid on either side makes the notes the same.
enum class ImportComparison
{
    New,
    Newer,
    Older,
    Same
};

// existing is the database note with the same NoteGUID, or nullptr when there is none.
ImportComparison CompareImportNote(const NoteRecord& incoming, const NoteRecord* existing);

// The list's status text; position is the note's 1-based place in the import list:
// " 3. - <NEW NOTE>", " 3. - EXISTS (newer)", " 3. - EXISTS (older)", " 3. - EXISTS (same)".
QString ImportStatusText(int position, ImportComparison comparison);
// The check image of a selected row: 2 new, 3 newer, 4 older, 5 same (1 is unselected).
int ImportCheckImage(ImportComparison comparison);
// The stored import status: 11 for a new note, 22 for one that exists in the database.
int ImportStatusCode(ImportComparison comparison);
// "new", "newer", "older", "same": the names the command line prints.
QString ImportComparisonName(ImportComparison comparison);
