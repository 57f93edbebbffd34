#include "lists/OrganiseCommands.h"

#include "categories/CategoryTree.h"
#include "lists/CurrentNotesList.h"
#include "lists/NoteSort.h"
#include "store/NoteDatabase.h"

NoteWriteResult OrganiseCommands::SaveCategoryTrees(NoteDatabase& database, CategoryTree working,
                                                    int noteSortId)
{
    NoteWriteResult result = database.SaveCategoryTrees(std::move(working));
    NotesList& current = database.CurrentList();
    if (noteSortId > 0 && !current.isEmpty()) {
        database.FillAttachedSources(current);
        SortNotes(current, noteSortId);
    }
    return result;
}

NoteWriteResult OrganiseCommands::AttachKeyWordToCurrentNotes(NoteDatabase& database,
                                                              CurrentNotesList& current, const QString& word)
{
    NoteWriteResult result = database.AttachKeyWordToNotes(word, current.Notes());
    current.ClearJustAdded();
    return result;
}

NoteWriteResult OrganiseCommands::RemoveKeyWordFromCurrentNotes(NoteDatabase& database,
                                                                CurrentNotesList& current,
                                                                const QString& word)
{
    NoteWriteResult result = database.RemoveKeyWordFromNotes(word, current.Notes());
    current.ClearJustAdded();
    return result;
}
