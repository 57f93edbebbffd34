#include "lists/CurrentNotesList.h"

#include "format/LastViewListFile.h"
#include "lists/NoteSort.h"
#include "lists/SearchCommands.h"
#include "platform/ProgressReporter.h"
#include "store/NoteDatabase.h"
#include "store/NoteFileGroups.h"
#include "store/SourceStore.h"

#include <QHash>
#include <QSet>
#include <algorithm>

CurrentNotesList::CurrentNotesList(NoteDatabase& database, const SourceStore& sources, ChangeNotice& changes)
    : m_database(database)
    , m_sources(sources)
    , m_changes(changes)
    , m_following(changes.Subscribe([this](const DataChange& change) { Follow(change); }))
{
}

void CurrentNotesList::Tell(DataChange::Aspects aspects)
{
    DataChange change;
    change.aspects = aspects;
    m_changes.Raise(change);
}

void CurrentNotesList::Follow(const DataChange& change)
{
    if (m_notes.isEmpty())
        return;
    bool left = false;
    if (change.Has(DataChange::NotesDeleted)) {
        QSet<qint32> deleted;
        for (const DataChange::DeletedNote& note : change.deleted)
            deleted.insert(note.id);
        left = m_notes.removeIf([&deleted](const ListedNote& note) { return deleted.contains(note.NoteID); })
            > 0;
    }
    if (change.Has(DataChange::NotesSaved))
        TakeSavedKeys(change.notes);
    // Citations are drawn from the attached sources: every note takes its own afresh.
    if (change.HasAny(DataChange::Sources | DataChange::Authors | DataChange::Reloaded))
        m_sources.FillAttachedSources(m_notes);
    // Told before the deletion reaches later listeners: they find the list as it is now.
    if (left)
        Tell(DataChange::ListNotes);
}

void CurrentNotesList::TakeSavedKeys(const NoteIdList& saved)
{
    QList<int> positions;
    QList<qint32> ids;
    for (int i = 0; i < m_notes.size(); ++i) {
        if (saved.Contains(m_notes.at(i).NoteID)) {
            positions.append(i);
            ids.append(m_notes.at(i).NoteID);
        }
    }
    if (positions.isEmpty())
        return;
    // Each file read once; a note no file holds any more keeps what it had.
    NoteFileGroups(m_database.FileIndex(), NoteIdList(ids)).ReadListed([&](int place, ListedNote stored) {
        m_notes[positions.at(place)].TakeKeys(stored);
    });
    ListedNotes taken;
    for (int position : positions)
        taken.append(m_notes.at(position));
    m_sources.FillAttachedSources(taken);
    for (int i = 0; i < positions.size(); ++i)
        m_notes[positions.at(i)].Source = taken.at(i).Source;
}

NoteIdList CurrentNotesList::NoteIds() const
{
    return NotesListOps::NoteIds(m_notes);
}

NoteRecord CurrentNotesList::ListedRecord(const ListedNote& listed) const
{
    NoteRecord record;
    if (std::optional<NoteRecord> stored = m_database.ReadNote(listed.NoteID)) {
        record = std::move(*stored);
    } else {
        record.NoteID = listed.NoteID;
        record.SourceID = listed.SourceID;
        record.DateAdded = listed.DateAdded;
        record.LastEdited = listed.LastEdited;
        record.Categories = listed.Categories;
    }
    listed.GiveDisplayState(record);
    return record;
}

NoteRecord CurrentNotesList::NoteAt(int index) const
{
    return ListedRecord(m_notes.at(index));
}

std::optional<NoteRecord> CurrentNotesList::FindNote(qint32 id) const
{
    if (const ListedNote* listed = NotesListOps::FindNote(m_notes, id))
        return ListedRecord(*listed);
    return std::nullopt;
}

NotesList CurrentNotesList::LoadNotes(int first, int count) const
{
    const int size = Count();
    first = std::clamp(first, 0, size);
    const int end = count < 0 ? size : first + std::clamp(count, 0, size - first);
    NoteIdList ids;
    for (int i = first; i < end; ++i)
        ids.Append(m_notes.at(i).NoteID);
    QList<std::optional<NoteRecord>> read(end - first);
    NoteFileGroups(m_database.FileIndex(), ids).Read([&read](int place, const NoteRecord& note) {
        read[place] = note;
        return true;
    });
    NotesList notes;
    for (int place = 0; place < read.size(); ++place) {
        if (!read.at(place))
            continue;
        NoteRecord note = std::move(*read[place]);
        m_notes.at(first + place).GiveDisplayState(note);
        notes.append(std::move(note));
    }
    return notes;
}

QString CurrentNotesList::NotesInListText(int count)
{
    return QStringLiteral("Notes In List:    %1").arg(count);
}

void CurrentNotesList::ClearJustAdded()
{
    for (ListedNote& note : m_notes)
        note.JustAdded = false;
}

bool CurrentNotesList::SetCurrentList(const NoteIdList& wanted, qint32 noteSortId)
{
    ProgressReporter& progress = m_database.Progress();
    const NoteIdList current = NoteIds();
    progress.Notify(QStringLiteral("Gathering Selected Notes...."));
    const NoteIdList toAdd = wanted.Without(current);
    const NoteIdList toRemove = current.Without(wanted);
    if (toAdd.IsEmpty() && toRemove.IsEmpty()) {
        progress.End();
        return false;
    }

    ClearJustAdded();
    if (!toRemove.IsEmpty()) {
        QSet<qint32> removed(toRemove.begin(), toRemove.end());
        m_notes.removeIf([&removed](const ListedNote& note) { return removed.contains(note.NoteID); });
    }
    if (!wanted.IsEmpty())
        PlaceGathered(GatherNotes(toAdd), toAdd, noteSortId);
    progress.End();
    Tell(DataChange::ListNotes);
    return true;
}

ListedNotes CurrentNotesList::GatherNotes(const NoteIdList& toAdd) const
{
    ListedNotes gathered;
    QSet<qint32> taken;
    NoteFileGroups(m_database.FileIndex(), toAdd).ReadListed([&](int, ListedNote note) {
        if (taken.contains(note.NoteID))
            return;
        taken.insert(note.NoteID);
        note.JustAdded = true;
        gathered.append(std::move(note));
    });
    return gathered;
}

void CurrentNotesList::PlaceGathered(ListedNotes gathered, const NoteIdList& wantedOrder, qint32 noteSortId)
{
    ListedNotes& list = m_notes;
    if (noteSortId == NoteSortId::AddToTop || noteSortId == NoteSortId::AddToBottom) {
        // The placement orders sort nothing, but the view draws each new note's citation
        // from its attached source.
        m_sources.FillAttachedSources(gathered);
    }
    if (noteSortId == NoteSortId::AddToTop) {
        SortNotes(gathered, NoteSortId::DateAddedPastFirst);
        gathered.append(list);
        list = std::move(gathered);
        return;
    }
    if (noteSortId == NoteSortId::AddToBottom) {
        SortNotes(gathered, NoteSortId::DateAddedPastFirst);
        list.append(gathered);
        return;
    }
    // Gathering went file by file; the list takes the new notes in the order wanted.
    QHash<qint32, int> gatheredAt;
    for (int i = 0; i < gathered.size(); ++i)
        gatheredAt.insert(gathered.at(i).NoteID, i);
    for (qint32 id : wantedOrder) {
        const auto found = gatheredAt.constFind(id);
        if (found != gatheredAt.cend()) {
            list.append(gathered.at(*found));
            gatheredAt.erase(found);
        }
    }
    m_sources.FillAttachedSources(list);
    if (noteSortId > 0)
        SortNotes(list, noteSortId);
}

bool CurrentNotesList::RemoveFromCurrentList(qint32 id)
{
    if (NotesListOps::RemoveAllWithId(m_notes, id) == 0)
        return false;
    Tell(DataChange::ListNotes);
    return true;
}

void CurrentNotesList::RemoveNotes(const NoteIdList& ids)
{
    const QSet<qint32> removed(ids.begin(), ids.end());
    if (m_notes.removeIf([&removed](const ListedNote& note) { return removed.contains(note.NoteID); }) > 0)
        Tell(DataChange::ListNotes);
}

void CurrentNotesList::MoveNote(int from, int to)
{
    if (from == to || from < 0 || to < 0 || from >= Count() || to >= Count())
        return;
    // Taking the note out shifts the later ones up by one, so "after the target" when
    // moving down lands on the target's old index, and "before it" when moving up too.
    m_notes.move(from, to);
    Tell(DataChange::ListOrder);
}

void CurrentNotesList::AddSavedNote(const NoteRecord& note, qint32 noteSortId)
{
    ListedNotes& list = m_notes;
    ClearJustAdded();
    ListedNote added = ListedNote::Of(note);
    added.JustAdded = true;
    if (noteSortId == NoteSortId::AddToTop) {
        ListedNotes one {added};
        m_sources.FillAttachedSources(one);
        list.prepend(one.first());
    } else {
        list.append(added);
        m_sources.FillAttachedSources(list);
        SortNotes(list, noteSortId); // the placement-only orders leave the list as it is
    }
    m_database.AdjustTotal(1);
    Tell(DataChange::ListNotes);
}

void CurrentNotesList::Sort(qint32 noteSortId)
{
    m_sources.FillAttachedSources(m_notes);
    SortNotes(m_notes, noteSortId);
    Tell(DataChange::ListOrder);
}

void CurrentNotesList::ClearSearchState()
{
    bool hits = false;
    for (ListedNote& note : m_notes) {
        note.JustAdded = false;
        hits = hits || note.Highlight;
        note.Highlight.reset();
    }
    if (hits)
        Tell(DataChange::ListHits);
}

void CurrentNotesList::TakeSearchResults(ListedNotes results, qint32 noteSortId, bool sort)
{
    ListedNotes& list = m_notes;
    const bool hits = !results.isEmpty();
    const int added = MergeSearchResults(list, std::move(results), noteSortId);
    DataChange::Aspects aspects;
    if (added > 0)
        aspects |= DataChange::ListNotes;
    if (hits)
        aspects |= DataChange::ListHits;
    if (sort) {
        m_sources.FillAttachedSources(list);
        SortNotes(list, noteSortId); // placement-only ids keep the order
        aspects |= DataChange::ListOrder;
    }
    Tell(aspects);
}

// --- "Data Files\LastViewList.dat" -------------------------------------------------------

QString CurrentNotesList::LastViewListPath() const
{
    return m_database.Folder().FullPath(QStringLiteral("Data Files\\LastViewList.dat"));
}

void CurrentNotesList::RestoreLastViewList()
{
    m_notes.clear();
    // No sorting (-1): the list comes back in the order it was saved, dragged order
    // included.
    SetCurrentList(LastViewListFile::Read(LastViewListPath()), -1);
    ClearJustAdded();
}

FileStatus CurrentNotesList::SaveLastViewList() const
{
    return LastViewListFile::Write(m_database.Folder().Files(), LastViewListPath(), NoteIds());
}
