#include "store/NoteTemplate.h"

namespace NoteTemplate {

NoteRecord Choose(const NoteRecord& kept, const ListedNotes& currentList)
{
    if (kept.NoteID > 0 && NotesListOps::FindNote(currentList, kept.NoteID))
        return kept;
    NoteRecord chosen;
    if (currentList.isEmpty())
        return chosen;
    const ListedNote& last = currentList.last();
    chosen.NoteID = last.NoteID;
    chosen.SourceID = last.SourceID;
    chosen.Categories = last.Categories;
    last.GiveDisplayState(chosen);
    return chosen;
}

NoteRecord NewNote(const NoteRecord& templateNote)
{
    NoteRecord note;
    if (templateNote.NoteID <= 0)
        return note;
    note.SourceID = templateNote.SourceID;
    note.AttachedSource = templateNote.AttachedSource;
    note.Categories = templateNote.Categories;
    return note;
}

} // namespace NoteTemplate
