#include "lists/CurrentNotesList.h"

#include "format/LastViewListFile.h"
#include "lists/NoteSort.h"
#include "platform/ProgressReporter.h"
#include "store/NoteDatabase.h"
#include "store/NoteFileGroups.h"

#include <QHash>
#include <QSet>

CurrentNotesList::CurrentNotesList(NoteDatabase& database)
    : m_database(database)
{
}

ListedNotes& CurrentNotesList::Entries()
{
    return m_database.CurrentList();
}

const ListedNotes& CurrentNotesList::Entries() const
{
    return m_database.CurrentList();
}

int CurrentNotesList::Count() const
{
    return static_cast<int>(Entries().size());
}

NoteIdList CurrentNotesList::NoteIds() const
{
    return NotesListOps::NoteIds(Entries());
}

NoteRecord CurrentNotesList::NoteAt(int index) const
{
    return m_database.ListedRecord(Entries().at(index));
}

std::optional<NoteRecord> CurrentNotesList::FindNote(qint32 id) const
{
    if (const ListedNote* listed = NotesListOps::FindNote(Entries(), id))
        return m_database.ListedRecord(*listed);
    return std::nullopt;
}

NotesList CurrentNotesList::LoadNotes(int first, int count) const
{
    return m_database.LoadListed(Entries(), first, count);
}

QString CurrentNotesList::NotesInListText(int count)
{
    return QStringLiteral("Notes In List:    %1").arg(count);
}

void CurrentNotesList::ShowCount() const
{
    if (m_hooks.showCount)
        m_hooks.showCount(NotesInListText(Count()));
}

void CurrentNotesList::ClearJustAdded()
{
    for (ListedNote& note : Entries())
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
        ShowCount();
        return false;
    }

    if (m_hooks.changeStarting)
        m_hooks.changeStarting();
    ClearJustAdded();
    if (!toRemove.IsEmpty()) {
        QSet<qint32> removed(toRemove.begin(), toRemove.end());
        Entries().removeIf([&removed](const ListedNote& note) { return removed.contains(note.NoteID); });
    }

    if (wanted.IsEmpty()) {
        if (m_hooks.redraw)
            m_hooks.redraw(true);
    } else {
        PlaceGathered(GatherNotes(toAdd), toAdd, noteSortId);
        if (m_hooks.redraw)
            m_hooks.redraw(false);
    }
    progress.End();
    ShowCount();
    return true;
}

ListedNotes CurrentNotesList::GatherNotes(const NoteIdList& toAdd)
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
    ListedNotes& list = Entries();
    if (noteSortId == kAddToTop || noteSortId == kAddToBottom) {
        // The placement orders sort nothing, but the view draws each new note's citation
        // from its attached source.
        m_database.FillAttachedSources(gathered);
    }
    if (noteSortId == kAddToTop) {
        SortNotes(gathered, NoteSortId::DateAddedPastFirst);
        gathered.append(list);
        list = std::move(gathered);
        return;
    }
    if (noteSortId == kAddToBottom) {
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
    m_database.FillAttachedSources(list);
    if (noteSortId > 0)
        SortNotes(list, noteSortId);
}

bool CurrentNotesList::RemoveFromCurrentList(qint32 id)
{
    if (NotesListOps::RemoveAllWithId(Entries(), id) == 0)
        return false;
    if (m_hooks.redraw)
        m_hooks.redraw(Entries().isEmpty());
    ShowCount();
    return true;
}

void CurrentNotesList::AddSavedNote(const NoteRecord& note, qint32 noteSortId)
{
    ListedNotes& list = Entries();
    ClearJustAdded();
    ListedNote added = ListedNote::Of(note);
    added.JustAdded = true;
    if (noteSortId == kAddToTop) {
        ListedNotes one {added};
        m_database.FillAttachedSources(one);
        list.prepend(one.first());
    } else {
        list.append(added);
        m_database.FillAttachedSources(list);
        SortNotes(list, noteSortId); // the placement-only orders leave the list as it is
    }
    m_database.AdjustTotal(1);
    if (m_hooks.redraw)
        m_hooks.redraw(false);
    ShowCount();
}

void CurrentNotesList::Sort(qint32 noteSortId)
{
    m_database.FillAttachedSources(Entries());
    SortNotes(Entries(), noteSortId);
}

// --- "Data Files\LastViewList.dat" -------------------------------------------------------

QString CurrentNotesList::LastViewListPath() const
{
    return m_database.Folder().FullPath(QStringLiteral("Data Files\\LastViewList.dat"));
}

void CurrentNotesList::RestoreLastViewList()
{
    Entries().clear();
    // No sorting (-1): the list comes back in the order it was saved, dragged order
    // included.
    SetCurrentList(LastViewListFile::Read(LastViewListPath()), -1);
    ClearJustAdded();
}

FileStatus CurrentNotesList::SaveLastViewList() const
{
    return LastViewListFile::Write(LastViewListPath(), NoteIds());
}
