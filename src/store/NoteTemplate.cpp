#include "store/NoteTemplate.h"

namespace NoteTemplate {

NoteRecord Choose(const NoteRecord& kept, const NotesList& currentList)
{
    NoteRecord chosen = kept;
    bool inList = false;
    for (const NoteRecord& note : currentList)
        inList = inList || (kept.NoteID > 0 && note.NoteID == kept.NoteID);
    if (!inList)
        chosen = NoteRecord();
    if (chosen.NoteID < 0 && !currentList.isEmpty())
        chosen = currentList.last();
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
