#include "lists/CurrentNotesList.h"

#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/NoteFile.h"
#include "lists/NoteSort.h"
#include "platform/ProgressReporter.h"
#include "store/NoteDatabase.h"
#include "store/NotesListOps.h"

#include <QFile>
#include <QHash>
#include <QSet>

CurrentNotesList::CurrentNotesList(NoteDatabase& database)
    : m_database(database)
{
}

NotesList& CurrentNotesList::Notes()
{
    return m_database.CurrentList();
}

const NotesList& CurrentNotesList::Notes() const
{
    return m_database.CurrentList();
}

int CurrentNotesList::Count() const
{
    return static_cast<int>(Notes().size());
}

NoteIdList CurrentNotesList::NoteIds() const
{
    return NotesListOps::NoteIds(Notes());
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
    for (NoteRecord& note : Notes())
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
        Notes().removeIf([&removed](const NoteRecord& note) { return removed.contains(note.NoteID); });
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

NotesList CurrentNotesList::GatherNotes(const NoteIdList& toAdd)
{
    // Group the ids by note file, files in the order their first id comes, so that each
    // file is read once however many of the wanted notes it holds.
    QList<QString> files;
    QHash<QString, QList<qint32>> idsByFile;
    for (qint32 id : toAdd) {
        const std::optional<QString> path = m_database.FileIndex().FileOfNote(id);
        if (!path)
            continue; // deleted since, or never stored: skipped silently
        auto found = idsByFile.find(*path);
        if (found == idsByFile.end()) {
            files.append(*path);
            found = idsByFile.insert(*path, {});
        }
        found->append(id);
    }

    NotesList gathered;
    QSet<qint32> taken;
    for (const QString& path : std::as_const(files)) {
        const NotesList stored = ReadNoteFile(path);
        QHash<qint32, int> positions;
        for (int i = static_cast<int>(stored.size()) - 1; i >= 0; --i)
            positions.insert(stored.at(i).NoteID, i); // the first record of an id wins
        for (qint32 id : idsByFile.value(path)) {
            const auto found = positions.constFind(id);
            if (found == positions.cend() || taken.contains(id))
                continue;
            taken.insert(id);
            gathered.append(stored.at(*found));
            gathered.last().JustAdded = true;
        }
    }
    return gathered;
}

void CurrentNotesList::PlaceGathered(NotesList gathered, const NoteIdList& wantedOrder, qint32 noteSortId)
{
    NotesList& list = Notes();
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
    if (NotesListOps::RemoveAllWithId(Notes(), id) == 0)
        return false;
    if (m_hooks.redraw)
        m_hooks.redraw(Notes().isEmpty());
    ShowCount();
    return true;
}

void CurrentNotesList::AddSavedNote(const NoteRecord& note, qint32 noteSortId)
{
    NotesList& list = Notes();
    ClearJustAdded();
    NoteRecord added = note;
    added.JustAdded = true;
    if (noteSortId == kAddToTop) {
        list.prepend(added);
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

// --- "Data Files\LastViewList.dat" -------------------------------------------------------

QString CurrentNotesList::LastViewListPath() const
{
    return m_database.Folder().FullPath(QStringLiteral("Data Files\\LastViewList.dat"));
}

NoteIdList CurrentNotesList::ParseLastViewList(const QByteArray& logicalBytes)
{
    FieldReader reader(logicalBytes);
    NoteIdList ids;
    ids.Read(reader);
    return ids;
}

NoteIdList CurrentNotesList::ReadLastViewList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return NoteIdList();
    return ParseLastViewList(FieldReader::FromDiskBytes(file.readAll()));
}

QByteArray CurrentNotesList::SerializeLastViewList(const NoteIdList& ids)
{
    FieldWriter writer;
    ids.Write(writer);
    return writer.DiskBytes();
}

FileStatus CurrentNotesList::WriteLastViewList(const QString& path, const NoteIdList& ids)
{
    return SaveFileAtomically(path, SerializeLastViewList(ids));
}

void CurrentNotesList::RestoreLastViewList()
{
    Notes().clear();
    // No sorting (-1): the list comes back in the order it was saved, dragged order
    // included.
    SetCurrentList(ReadLastViewList(LastViewListPath()), -1);
    ClearJustAdded();
}

FileStatus CurrentNotesList::SaveLastViewList() const
{
    return WriteLastViewList(LastViewListPath(), NoteIds());
}
