#include "lists/DeleteCommands.h"

#include "lists/CurrentNotesList.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "store/NoteDatabase.h"
#include "store/NotesListOps.h"

namespace {

// Notes of the current list read whole at a time when all of them are deleted, so that a
// long list never has every text in memory at once.
constexpr int kDeleteBatch = 2000;

void ShowFailure(const NoteWriteResult& result, UserPrompt& prompt)
{
    if (!result.Ok())
        prompt.Tell(result.failure.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
}

bool AskDeleteNotes(qsizetype count, UserPrompt& prompt)
{
    const QString question = count == 1
        ? QStringLiteral("Are you sure you wish to delete the note?\n"
                         "This will permanently remove it from your Quorvel database!")
        : QStringLiteral("Are you sure you wish to delete these notes?\n"
                         "This will permanently remove them from your Quorvel database!");
    return prompt.AskYesNo(question, QStringLiteral("Delete Notes?"));
}

// Deletes with "Deleting current notes...." shown and lowers the total.
NoteWriteResult DeleteShown(NoteDatabase& database, const NotesList& notes)
{
    ProgressReporter& progress = database.Progress();
    progress.Notify(QStringLiteral("Deleting current notes...."));
    NoteWriteResult result = database.DeleteNotes(notes);
    database.AdjustTotal(-result.changed.Count());
    progress.End();
    return result;
}

} // namespace

namespace DeleteCommands {

int DeleteSelectedNote(NoteDatabase& database, const NoteRecord& note, UserPrompt& prompt)
{
    if (note.NoteID <= 0)
        return 0;
    if (!prompt.AskYesNo(QStringLiteral("Do you wish to permanently delete this note?"),
                         QStringLiteral("Delete Note?")))
        return 0;
    const NoteWriteResult result = database.DeleteNotes(NotesList {note});
    database.AdjustTotal(-result.changed.Count());
    ShowFailure(result, prompt);
    return result.changed.Count();
}

int DeleteCurrentNotes(NoteDatabase& database, CurrentNotesList& current, UserPrompt& prompt)
{
    const int count = current.Count();
    if (count == 0)
        return 0;
    const QString question = count == 1
        ? QStringLiteral("Do you wish to permanently delete the current note?")
        : QStringLiteral("Do you wish to permanently delete all %1 current notes?").arg(count);
    if (!prompt.AskYesNo(question, QStringLiteral("Delete Current Notes?")))
        return 0;
    ProgressReporter& progress = database.Progress();
    progress.Notify(QStringLiteral("Deleting current notes...."));
    int deleted = 0;
    NoteWriteResult result;
    // Each batch is the head of the list: the notes deleted have left it.
    while (current.Count() > 0 && result.Ok()) {
        const NoteIdList window = NotesListOps::NoteIds(current.Entries().mid(0, kDeleteBatch));
        result = database.DeleteNotes(current.LoadNotes(0, kDeleteBatch));
        deleted += result.changed.Count();
        // A listed note that no file holds, or one never saved, leaves the list as well.
        if (result.Ok())
            current.RemoveNotes(window);
    }
    database.AdjustTotal(-deleted);
    progress.End();
    ShowFailure(result, prompt);
    return deleted;
}

int DeleteNotes(NoteDatabase& database, const NotesList& notes, UserPrompt& prompt)
{
    if (notes.isEmpty() || !AskDeleteNotes(notes.size(), prompt))
        return 0;
    const NoteWriteResult result = DeleteShown(database, notes);
    ShowFailure(result, prompt);
    return result.changed.Count();
}

bool DeleteNotesByIds(NoteDatabase& database, const QList<qint32>& ids, UserPrompt& prompt,
                      QList<qint32>* deleted, QString* error)
{
    deleted->clear();
    const NotesList found = database.LoadNotesByIds(NoteIdList(ids));
    NotesList notes;
    for (qint32 id : ids) {
        const NoteRecord* note = NotesListOps::FindNote(found, id);
        if (!note) {
            *error = QStringLiteral("No note has the id %1.").arg(id);
            return false;
        }
        if (!NotesListOps::FindNote(notes, id))
            notes.append(*note);
    }
    if (notes.isEmpty() || !AskDeleteNotes(notes.size(), prompt))
        return true;
    const NoteWriteResult result = DeleteShown(database, notes);
    *deleted = result.changed.Ids();
    if (!result.Ok()) {
        *error = result.failure.Message();
        return false;
    }
    return true;
}

} // namespace DeleteCommands
