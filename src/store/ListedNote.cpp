#include "store/ListedNote.h"

ListedNote ListedNote::Of(const NoteRecord& note)
{
    ListedNote listed;
    listed.TakeKeys(note);
    listed.JustAdded = note.JustAdded;
    listed.Highlight = note.Highlight;
    return listed;
}

void ListedNote::TakeKeys(const NoteRecord& note)
{
    if (note.SourceID != SourceID)
        Source.reset();
    NoteID = note.NoteID;
    SourceID = note.SourceID;
    DateAdded = note.DateAdded;
    LastEdited = note.LastEdited;
    Categories = note.Categories;
    TextLines = note.PlainText.isEmpty() ? 0 : int(note.PlainText.count(QLatin1Char('\n'))) + 1;
    TextChars = int(note.PlainText.size());
    AttachmentCount = int(note.Attachments.size());
}

void ListedNote::TakeKeys(const ListedNote& stored)
{
    if (stored.SourceID != SourceID)
        Source.reset();
    NoteID = stored.NoteID;
    SourceID = stored.SourceID;
    DateAdded = stored.DateAdded;
    LastEdited = stored.LastEdited;
    Categories = stored.Categories;
    TextLines = stored.TextLines;
    TextChars = stored.TextChars;
    AttachmentCount = stored.AttachmentCount;
}

void ListedNote::GiveDisplayState(NoteRecord& note) const
{
    if (Source)
        note.AttachedSource = *Source;
    note.JustAdded = JustAdded;
    note.Highlight = Highlight;
}

const QString& ListedNote::CitationText() const
{
    static const QString none;
    return Source ? Source->CitationText : none;
}

ListedNotes ListedNotesOf(const NotesList& notes)
{
    ListedNotes list;
    list.reserve(notes.size());
    for (const NoteRecord& note : notes)
        list.append(ListedNote::Of(note));
    return list;
}
