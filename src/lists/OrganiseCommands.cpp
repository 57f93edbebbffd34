#include "lists/OrganiseCommands.h"

#include "categories/CategoryTree.h"
#include "lists/CurrentNotesList.h"
#include "store/NoteDatabase.h"

namespace {

// The list-wide key word commands read the listed notes whole a batch at a time, so that
// a long list never has every text in memory at once.
constexpr int kKeyWordBatch = 2000;

template<typename Change> NoteWriteResult ChangeListedNotes(CurrentNotesList& current, Change change)
{
    NoteWriteResult result;
    for (int first = 0; first < current.Count(); first += kKeyWordBatch) {
        NotesList batch = current.LoadNotes(first, kKeyWordBatch);
        result.Absorb(change(batch));
    }
    current.ClearJustAdded();
    return result;
}

} // namespace

NoteWriteResult OrganiseCommands::SaveCategoryTrees(NoteDatabase& database, CurrentNotesList& current,
                                                    CategoryTree working, int noteSortId)
{
    NoteWriteResult result = database.SaveCategoryTrees(std::move(working));
    if (noteSortId > 0 && current.Count() > 0)
        current.Sort(noteSortId);
    return result;
}

NoteWriteResult OrganiseCommands::AttachKeyWordToCurrentNotes(NoteDatabase& database,
                                                              CurrentNotesList& current, const QString& word)
{
    return ChangeListedNotes(current,
                             [&](NotesList& batch) { return database.AttachKeyWordToNotes(word, batch); });
}

NoteWriteResult OrganiseCommands::RemoveKeyWordFromCurrentNotes(NoteDatabase& database,
                                                                CurrentNotesList& current,
                                                                const QString& word)
{
    return ChangeListedNotes(current,
                             [&](NotesList& batch) { return database.RemoveKeyWordFromNotes(word, batch); });
}
