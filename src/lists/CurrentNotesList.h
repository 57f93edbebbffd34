#pragma once

#include "format/FileStatus.h"
#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "store/ListedNote.h"

#include <QString>
#include <functional>
#include <optional>

class NoteDatabase;

// The notes shown in the main view, in display order, held by the note database as
// listed notes: ids, sort keys and display state. A note's texts are read from its note
// file when it is drawn, printed, exported, edited or asked for (NoteAt, LoadNotes), so
// the list costs the same whatever the notes hold. The list is changed by SetCurrentList,
// which keeps what is already listed, reads each note file at most once for the notes it
// adds, and places them by the sort order in force; by RemoveFromCurrentList; by note
// deletion; and by the editor.
//
// "Data Files\LastViewList.dat" keeps the list's ids across runs (format/LastViewListFile).
class CurrentNotesList
{
public:
    // The view's part of a change. changeStarting: clear the hover and just-added
    // display state, release display resources, disable "Delete Note" (no note is
    // selected any more). redraw: show the list from the top (resetScroll when the list
    // became empty). Either may be empty.
    struct ViewHooks
    {
        std::function<void()> changeStarting;
        std::function<void(bool resetScroll)> redraw;
        std::function<void(const QString& statusText)> showCount;
    };

    explicit CurrentNotesList(NoteDatabase& database);

    void SetViewHooks(ViewHooks hooks) { m_hooks = std::move(hooks); }

    ListedNotes& Entries();
    const ListedNotes& Entries() const;
    int Count() const;
    NoteIdList NoteIds() const;

    // The note at index whole, with its display state and source (see
    // NoteDatabase::ListedRecord).
    NoteRecord NoteAt(int index) const;
    // The listed note with that id whole; none when the list does not hold it.
    std::optional<NoteRecord> FindNote(qint32 id) const;
    // count notes from first, whole, in list order, each note file read once; notes that
    // no file holds any more are left out.
    NotesList LoadNotes(int first, int count) const;
    NotesList LoadAllNotes() const { return LoadNotes(0, Count()); }

    // Makes the list hold exactly the wanted notes (those that exist). Notes no longer
    // wanted are removed; the others stay as they are. New notes are gathered in wanted
    // order (just-added flag set) and placed by noteSortId: 705 sorted by date added above
    // the list, 805 sorted by date added below it, anything else appended in wanted order
    // and then, when noteSortId > 0, the whole list sorted by it (sources attached first).
    // Returns true when the list changed; nothing is redrawn otherwise.
    bool SetCurrentList(const NoteIdList& wanted, qint32 noteSortId);
    // "Clear Current Notes".
    bool ClearCurrentNotes() { return SetCurrentList(NoteIdList(), -1); }
    // "Remove From Current List": the note stays in the database. False when absent.
    bool RemoveFromCurrentList(qint32 id);
    // Clears the just-added flag of every note.
    void ClearJustAdded();
    // "Add Note..." after the editor saved a new note: first in the list under 705,
    // otherwise last and the list re-sorted by noteSortId; the older notes lose their
    // just-added flag and the database total grows by one.
    void AddSavedNote(const NoteRecord& note, qint32 noteSortId);
    // Sources read afresh, then the list sorted by noteSortId (the placement-only orders
    // leave it as it is): after a sort order is chosen or notes or sources changed.
    void Sort(qint32 noteSortId);

    // Start-up: the saved ids are set with no sorting, so the saved order comes back; the
    // just-added flags are cleared afterwards.
    void RestoreLastViewList();
    // Written with the settings; a failure (the file and the reason) leaves the file as
    // it was.
    FileStatus SaveLastViewList() const;
    QString LastViewListPath() const;

    // "Notes In List:    %d".
    static QString NotesInListText(int count);

    // Placement-only sort ids.
    static constexpr qint32 kAddToTop = 705;
    static constexpr qint32 kAddToBottom = 805;

private:
    // The notes of toAdd that exist, file by file, each file read once.
    ListedNotes GatherNotes(const NoteIdList& toAdd);
    void PlaceGathered(ListedNotes gathered, const NoteIdList& wantedOrder, qint32 noteSortId);
    void ShowCount() const;

    NoteDatabase& m_database;
    ViewHooks m_hooks;
};
