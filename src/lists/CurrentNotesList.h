#pragma once

#include "format/FileStatus.h"
#include "format/NoteIdList.h"
#include "format/NoteRecord.h"
#include "store/ChangeNotice.h"
#include "store/ListedNote.h"

#include <QString>
#include <optional>

class NoteDatabase;
class SourceStore;

// The notes shown in the main view, in display order, as listed notes: ids, sort keys and
// display state. A note's texts are read from its note file when it is drawn, printed,
// exported, edited or asked for (NoteAt, LoadNotes), so the list costs the same whatever
// the notes hold. The list is changed by SetCurrentList, which keeps what is already
// listed, reads each note file at most once for the notes it adds, and places them by the
// sort order in force; by RemoveFromCurrentList; by the editor's "Add Note..."; by a
// search; by dragging a note; and by the database's changes, which it follows.
//
// "Data Files\LastViewList.dat" keeps the list's ids across runs (format/LastViewListFile).
//
// Every change of the list is told through the ChangeNotice: ListNotes when notes join or
// leave it, ListOrder when the same notes take a new order, keys or sources, ListHits when
// their search hits change. The list follows the database's changes itself, before later
// listeners hear of them: deleted notes leave it, saved notes take their stored keys and
// source, and every note takes its source afresh when sources or authors change.
class CurrentNotesList
{
public:
    // changes must outlive the list; the list listens to it from now on.
    CurrentNotesList(NoteDatabase& database, const SourceStore& sources, ChangeNotice& changes);

    const ListedNotes& Entries() const { return m_notes; }
    int Count() const { return static_cast<int>(m_notes.size()); }
    NoteIdList NoteIds() const;

    // A listed note whole: its stored record with the list's display state and source. A
    // note that no file holds any more comes back with its keys alone.
    NoteRecord ListedRecord(const ListedNote& listed) const;
    // The note at index whole (see ListedRecord).
    NoteRecord NoteAt(int index) const;
    // The listed note with that id whole; none when the list does not hold it.
    std::optional<NoteRecord> FindNote(qint32 id) const;
    // count notes from first (all to the end when count < 0), whole, in list order, each
    // note file read once; notes that no file holds any more are left out.
    NotesList LoadNotes(int first, int count) const;
    NotesList LoadAllNotes() const { return LoadNotes(0, -1); }

    // Makes the list hold exactly the wanted notes (those that exist). Notes no longer
    // wanted are removed; the others stay as they are. New notes are gathered in wanted
    // order (just-added flag set) and placed by noteSortId: 705 sorted by date added above
    // the list, 805 sorted by date added below it, anything else appended in wanted order
    // and then, when noteSortId > 0, the whole list sorted by it (sources attached first).
    // Returns true when the list changed; nothing is told otherwise.
    bool SetCurrentList(const NoteIdList& wanted, qint32 noteSortId);
    // "Clear Current Notes".
    bool ClearCurrentNotes() { return SetCurrentList(NoteIdList(), -1); }
    // "Remove From Current List": the note stays in the database. False when absent.
    bool RemoveFromCurrentList(qint32 id);
    // Every listed note with one of these ids leaves the list (they stay in the database).
    void RemoveNotes(const NoteIdList& ids);
    // A note dragged onto another: the note at from goes next to the note at to, after it
    // when dragged downwards, before it when dragged upwards; nothing when from == to or
    // either is out of range.
    void MoveNote(int from, int to);
    // Clears the just-added flag of every note.
    void ClearJustAdded();
    // "Add Note..." after the editor saved a new note: first in the list under 705,
    // otherwise last and the list re-sorted by noteSortId; the older notes lose their
    // just-added flag and the database total grows by one.
    void AddSavedNote(const NoteRecord& note, qint32 noteSortId);
    // Sources read afresh, then the list sorted by noteSortId (the placement-only orders
    // leave it as it is): after a sort order is chosen or notes or sources changed.
    void Sort(qint32 noteSortId);

    // A search's part. Before it: every just-added flag and search hit is cleared.
    void ClearSearchState();
    // After it: results already listed hand over their hits; the others join the list
    // above it for 705 and below it otherwise (see MergeSearchResults). With sort, the
    // sources are filled and the whole list is sorted by noteSortId (705 and 805 keep the
    // order).
    void TakeSearchResults(ListedNotes results, qint32 noteSortId, bool sort);

    // Start-up: the saved ids are set with no sorting, so the saved order comes back; the
    // just-added flags are cleared afterwards.
    void RestoreLastViewList();
    // Written with the settings; a failure (the file and the reason) leaves the file as
    // it was.
    FileStatus SaveLastViewList() const;
    QString LastViewListPath() const;

    // "Notes In List:    %d".
    static QString NotesInListText(int count);

private:
    // The notes of toAdd that exist, file by file, each file read once.
    ListedNotes GatherNotes(const NoteIdList& toAdd) const;
    void PlaceGathered(ListedNotes gathered, const NoteIdList& wantedOrder, qint32 noteSortId);
    void Tell(DataChange::Aspects aspects);
    // The list's part of a change of the database.
    void Follow(const DataChange& change);
    // Listed notes among saved take their keys as stored and their sources afresh.
    void TakeSavedKeys(const NoteIdList& saved);

    NoteDatabase& m_database;
    const SourceStore& m_sources;
    ChangeNotice& m_changes;
    ListedNotes m_notes;
    ChangeNotice::Subscription m_following;
};
