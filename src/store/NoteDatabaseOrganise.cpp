// The operations of NoteDatabase that rewrite many notes at once: saving edited category
// trees and the list-wide key word commands.
#include "categories/CategoryRefiling.h"
#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "platform/ProgressReporter.h"
#include "store/ChangeNotice.h"
#include "store/NoteDatabase.h"

#include <QHash>

namespace {

// Re-files the notes from the trees; returns whether any path changed. changed gains the
// notes whose path changed, LastEdited is stamped as the trees' rule says. One time stamp
// serves the whole run, so every note changed by one save carries the same LastEdited.
bool ApplyTrees(const CategoryRefiling& trees, NotesList& notes, const DateTime& now, NoteIdList* changed)
{
    bool any = false;
    for (auto& note : notes) {
        const bool wasAssigned = !note.Categories.IsUnassigned();
        const bool stamped = trees.ApplyToNote(note.NoteID, note.Categories);
        if (stamped)
            note.LastEdited = now;
        // A note that no tree holds any more loses its path without being stamped.
        if (stamped || (wasAssigned && note.Categories.IsUnassigned())) {
            if (changed)
                changed->AddIfAbsent(note.NoteID);
            any = true;
        }
    }
    return any;
}

KeyWordEntry EntryFor(const KeyWordList& list, const QString& word)
{
    if (const KeyWordEntry* entry = list.Find(word))
        return *entry;
    KeyWordEntry entry;
    entry.word = word;
    return entry;
}

// The organising commands change the trees or the key word list before they write the
// note files, each on its own; on a read-only folder they refuse first.
NoteWriteResult RefusedAsReadOnly(const DataFolder& folder)
{
    NoteWriteResult refused;
    refused.Record(
        folder.NotesFolder(),
        FileStatus::Failed(FileStatus::Action::Write, folder.NotesFolder(), DataFolder::ReadOnlyReason()));
    return refused;
}

} // namespace

NoteWriteResult NoteDatabase::SaveCategoryTrees(CategoryTree edited)
{
    if (m_folder.IsReadOnly())
        return RefusedAsReadOnly(m_folder);
    m_unassigned = edited.TakeUnassignedNode();
    *m_categories = std::move(edited);

    NoteWriteResult result;
    DataChange change;
    const QStringList names = NoteFileNames();
    ProgressReporter& progress = Progress();
    progress.Begin(QStringLiteral("Updating Category Changes...."), static_cast<int>(names.size()));
    const DateTime now = DateTime::CurrentLocal();
    const CategoryRefiling refiling(*m_categories);
    for (const QString& name : names) {
        const QString path = m_folder.NoteFilePath(name);
        NotesList notes = ReadNoteFile(path);
        NoteIdList changedHere;
        ApplyTrees(refiling, notes, now, &changedHere);
        // The list of unassigned notes follows the files, whatever the trees held.
        for (const NoteRecord& note : notes) {
            if (note.Categories.IsUnassigned())
                m_unassigned.AddIfAbsent(note.NoteID);
            else
                m_unassigned.RemoveAll(note.NoteID);
        }
        // Every file is written back, changed or not: a re-filed path also drops what the
        // trees do not hold (the parent name of Level 1, levels below a deleted category).
        const FileStatus written = WriteNoteFile(m_folder.Files(), path, notes);
        if (written) {
            result.changed.UnionAppend(changedHere);
            change.AddWrittenFile(path);
        }
        result.Record(path, written);
        progress.Step();
    }
    progress.End();

    change.aspects = DataChange::CategoryTrees;
    if (!result.changed.IsEmpty())
        change.aspects |= DataChange::NotesSaved;
    change.notes = result.changed;
    Tell(change);
    return result;
}

NoteWriteResult NoteDatabase::AttachKeyWordToNotes(const QString& word, NotesList& notes)
{
    if (m_folder.IsReadOnly())
        return RefusedAsReadOnly(m_folder);
    const QList<int> positions = m_keyWords->AttachKeyWordToNotes(EntryFor(*m_keyWords, word), notes);
    return WriteChangedNotes(notes, positions);
}

NoteWriteResult NoteDatabase::RemoveKeyWordFromNotes(const QString& word, NotesList& notes)
{
    if (m_folder.IsReadOnly())
        return RefusedAsReadOnly(m_folder);
    const QList<int> positions = m_keyWords->RemoveKeyWordFromNotes(EntryFor(*m_keyWords, word), notes);
    return WriteChangedNotes(notes, positions);
}

NoteWriteResult NoteDatabase::WriteChangedNotes(const NotesList& notes, const QList<int>& positions)
{
    // Grouped by file, in the order the files are first met, so that each file is read
    // and written once however many of its notes changed.
    QStringList paths;
    QHash<QString, QList<int>> byPath;
    for (int position : positions) {
        // Where the load found the note; a file changed from outside may not follow the
        // naming rule, and writing the note elsewhere would leave it twice on disk.
        const qint32 id = notes.at(position).NoteID;
        const QString path = m_fileIndex.FileOfNote(id).value_or(NoteFilePath(notes.at(position)));
        if (!byPath.contains(path))
            paths.append(path);
        byPath[path].append(position);
    }
    NoteWriteResult result;
    DataChange change;
    for (const QString& path : paths) {
        NotesList stored = ReadNoteFile(path);
        NoteIdList written;
        QHash<qint32, QString> kept;
        for (int position : byPath.value(path)) {
            const NoteRecord& changed = notes.at(position);
            for (NoteRecord& note : stored) {
                if (note.NoteID == changed.NoteID) {
                    kept.insert(note.NoteID, note.KeyWords);
                    note.KeyWords = changed.KeyWords;
                    written.AddIfAbsent(changed.NoteID);
                }
            }
        }
        if (written.IsEmpty())
            continue; // the note is no longer in its file: nothing to write
        const FileStatus status = WriteNoteFile(m_folder.Files(), path, stored);
        if (status) {
            result.changed.UnionAppend(written);
            change.AddWrittenFile(path);
        } else {
            // The index files the notes of an unwritten file as they are on disk.
            for (auto it = kept.cbegin(); it != kept.cend(); ++it) {
                m_keyWords->RemoveNoteKeyWords(it.key());
                m_keyWords->AddNoteKeyWords(it.key(), it.value());
            }
        }
        result.Record(path, status);
    }
    if (!result.changed.IsEmpty()) {
        change.aspects = DataChange::NotesSaved | DataChange::KeyWords;
        change.notes = result.changed;
        Tell(change);
    }
    return result;
}
