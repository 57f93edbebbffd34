#include "store/ListedNote.h"

#include "format/NoteIdList.h"

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

namespace ListedNotesOps {

int IndexOfNote(const ListedNotes& list, qint32 id)
{
    for (int i = 0; i < list.size(); ++i) {
        if (list.at(i).NoteID == id)
            return i;
    }
    return -1;
}

ListedNote* FindNote(ListedNotes& list, qint32 id)
{
    const int index = IndexOfNote(list, id);
    return index < 0 ? nullptr : &list[index];
}

const ListedNote* FindNote(const ListedNotes& list, qint32 id)
{
    const int index = IndexOfNote(list, id);
    return index < 0 ? nullptr : &list.at(index);
}

int RemoveAllWithId(ListedNotes& list, qint32 id)
{
    return int(list.removeIf([id](const ListedNote& note) { return note.NoteID == id; }));
}

NoteIdList NoteIds(const ListedNotes& list)
{
    NoteIdList ids;
    for (const ListedNote& note : list)
        ids.Append(note.NoteID);
    return ids;
}

ListedNotes ListOf(const NotesList& notes)
{
    ListedNotes list;
    list.reserve(notes.size());
    for (const NoteRecord& note : notes)
        list.append(ListedNote::Of(note));
    return list;
}

} // namespace ListedNotesOps
