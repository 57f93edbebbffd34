#include "store/NoteEditorSave.h"

#include "format/NoteIdList.h"
#include "store/NoteDatabase.h"
#include "store/SourceStore.h"

namespace NoteEditorSave {

QString NoTextMessage()
{
    return QStringLiteral("Note must contain some text.");
}

QString NoTextCaption()
{
    return QStringLiteral("No Text In Note");
}

bool SaveFromEditor(NoteDatabase& database, const NoteRecord& previous, NoteRecord& edited, QString* error)
{
    if (edited.PlainText.isEmpty()) {
        if (error)
            *error = NoTextMessage();
        return false;
    }
    // What is stamped here is put back when the save fails.
    const DateTime added = edited.DateAdded;
    const DateTime lastEdited = edited.LastEdited;
    const QString keyWords = edited.KeyWords;
    const DateTime now = DateTime::CurrentLocal();
    if (edited.NoteID <= 0)
        edited.DateAdded = now;
    edited.LastEdited = now;
    edited.KeyWords = edited.KeyWords.trimmed();
    if (const FileStatus saved = database.SaveNote(previous, edited); !saved) {
        edited.DateAdded = added;
        edited.LastEdited = lastEdited;
        edited.KeyWords = keyWords;
        if (error)
            *error = saved.Message();
        return false;
    }
    return true;
}

qint32 AddNote(NoteDatabase& database, const SourceStore& sources,
               const NoteEditorFields::NoteEditorChanges& changes, QString* error)
{
    const NoteRecord previous;
    NoteRecord edited = previous;
    if (!NoteEditorFields::Apply(edited, changes, sources, error)
        || !SaveFromEditor(database, previous, edited, error))
        return 0;
    database.AdjustTotal(1);
    return edited.NoteID;
}

bool EditNote(NoteDatabase& database, const SourceStore& sources, qint32 id,
              const NoteEditorFields::NoteEditorChanges& changes, QString* error)
{
    NotesList found = database.LoadNotesByIds(NoteIdList {id});
    if (found.isEmpty()) {
        *error = QStringLiteral("No note has the id %1.").arg(id);
        return false;
    }
    sources.FillAttachedSources(found);
    const NoteRecord previous = found.first();
    NoteRecord edited = previous;
    return NoteEditorFields::Apply(edited, changes, sources, error)
        && SaveFromEditor(database, previous, edited, error);
}

} // namespace NoteEditorSave
