#include "store/NoteEditorSave.h"

#include "format/NoteIdList.h"
#include "store/NoteDatabase.h"

namespace NoteEditorSave {

qint32 AddNote(NoteDatabase& database, const NoteEditorFields::NoteEditorChanges& changes, QString* error)
{
    const NoteRecord previous;
    NoteRecord edited = previous;
    if (!NoteEditorFields::Apply(edited, changes, database, error)
        || !database.SaveNoteFromEditor(previous, edited, error))
        return 0;
    database.AdjustTotal(1);
    return edited.NoteID;
}

bool EditNote(NoteDatabase& database, qint32 id, const NoteEditorFields::NoteEditorChanges& changes,
              QString* error)
{
    NotesList found = database.LoadNotesByIds(NoteIdList {id});
    if (found.isEmpty()) {
        *error = QStringLiteral("No note has the id %1.").arg(id);
        return false;
    }
    database.FillAttachedSources(found);
    const NoteRecord previous = found.first();
    NoteRecord edited = previous;
    return NoteEditorFields::Apply(edited, changes, database, error)
        && database.SaveNoteFromEditor(previous, edited, error);
}

} // namespace NoteEditorSave
