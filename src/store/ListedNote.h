#pragma once

#include "format/CategoryAssignment.h"
#include "format/DateTime.h"
#include "format/NoteHighlight.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"
#include "store/NotesListOps.h"

#include <QList>
#include <memory>

// A note as the current list holds it: what ordering and drawing need, never the texts.
// The whole record is read from its note file when it is drawn, printed, exported, edited
// or asked for (NoteDatabase::ListedRecord), so a list of 100,000 notes costs its keys,
// not its texts.
struct ListedNote
{
    qint32 NoteID = -1;
    qint32 SourceID = 0;
    DateTime DateAdded;
    DateTime LastEdited;
    CategoryAssignment Categories;
    // The attached source with its citation formatted, shared by every listed note of
    // that source; none for a note without one (or before the sources are filled).
    std::shared_ptr<const SourceRecord> Source;
    // The plain text's shape, for guessing a height before the note is laid out.
    int TextLines = 0;
    int TextChars = 0;
    int AttachmentCount = 0;

    // Display state, as NoteRecord has it.
    bool JustAdded = false;
    std::shared_ptr<const NoteHighlight> Highlight;

    // The keys of a record; its display state comes along, its source does not.
    static ListedNote Of(const NoteRecord& note);
    // Takes the stored keys of a saved record, keeping the display state and the source
    // (the source only while the note cites the same one).
    void TakeKeys(const NoteRecord& note);
    // The same from the keys of the note as its file holds them now.
    void TakeKeys(const ListedNote& stored);
    // Gives a whole record of this note the list's display state and source.
    void GiveDisplayState(NoteRecord& note) const;
    // The citation a sort by source compares: the attached source's, empty without one.
    const QString& CitationText() const;
};

using ListedNotes = QList<ListedNote>;

// The listed form of whole records, in the same order.
ListedNotes ListedNotesOf(const NotesList& notes);
