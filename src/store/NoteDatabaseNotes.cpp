// The operations of NoteDatabase that change or read notes on disk.
#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "format/FileSystem.h"
#include "format/FileTransaction.h"
#include "format/Guid.h"
#include "format/NoteFile.h"
#include "platform/ProgressReporter.h"
#include "store/ChangeNotice.h"
#include "store/NoteDatabase.h"
#include "store/NotesListOps.h"

#include <QFile>

namespace {

// What SaveNote may change in the caller's record, kept to put back after a failure.
struct EditedFields
{
    explicit EditedFields(const NoteRecord& note)
        : noteId(note.NoteID)
        , lastEdited(note.LastEdited)
        , guid(note.NoteGUID)
        , attachments(note.Attachments)
    {
    }
    void RestoreInto(NoteRecord& note) const
    {
        note.NoteID = noteId;
        note.LastEdited = lastEdited;
        note.NoteGUID = guid;
        note.Attachments = attachments;
    }

    qint32 noteId;
    DateTime lastEdited;
    QString guid;
    QList<AttachmentRecord> attachments;
};

} // namespace

FileStatus NoteDatabase::SaveNote(const NoteRecord& previous, NoteRecord& edited)
{
    ProgressReporter& progress = Progress();
    progress.Notify(QStringLiteral("Saving Information...."));
    const EditedFields handedIn(edited);
    const qint32 maxNoteId = *m_maxNoteId;
    // Every step that can fail comes first; the indexes change only once all succeeded.
    const auto fail = [&](const FileStatus& failure) {
        handedIn.RestoreInto(edited);
        *m_maxNoteId = maxNoteId;
        progress.End();
        return failure;
    };
    // A new note (-1). An id of 0 is no stored note either: written as it is, the note
    // would be dropped by the next read of its file.
    const bool isNew = edited.NoteID <= 0;
    if (isNew) {
        FileStatus stored;
        edited.NoteID = IssueNoteId(&stored);
        if (!stored)
            return fail(stored);
        edited.LastEdited = edited.DateAdded;
        // The GUID recognises the note in later imports; it must be stored with it.
        if (edited.NoteGUID.isEmpty())
            edited.NoteGUID = NewGuidText();
    }

    progress.Notify(QStringLiteral("Copying in new attachments...."));
    QStringList created;
    if (const FileStatus copied = m_copier.CopyInNewAttachments(edited, &created); !copied)
        return fail(copied);

    progress.Notify(QStringLiteral("Saving Final Information...."));
    if (const FileStatus written = WriteNoteToDisk(previous, edited, isNew); !written) {
        m_copier.RemoveCreatedFiles(created);
        return fail(written);
    }
    m_copier.DeleteRemovedAttachmentFiles(edited);
    IndexSavedNote(previous, edited, isNew);
    progress.End();

    DataChange change;
    change.aspects = DataChange::NotesSaved | DataChange::Aspects(DataChange::kIndexes);
    change.notes.Append(edited.NoteID);
    change.AddWrittenFile(NoteFilePath(edited));
    if (!isNew && edited.SourceID != previous.SourceID) {
        change.aspects |= DataChange::NotesMoved;
        change.AddWrittenFile(NoteFilePath(previous));
    }
    Tell(change);
    return FileStatus::Ok();
}

void NoteDatabase::IndexSavedNote(const NoteRecord& previous, const NoteRecord& edited, bool isNew)
{
    const qint32 id = edited.NoteID;
    if (!isNew) {
        m_categories->UnfileNote(id, previous.Categories);
        UnciteNote(previous.SourceID, id);
        m_keyWords->RemoveNoteKeyWords(id);
    }
    m_categories->FileNote(id, edited.Categories);
    if (edited.Categories.IsUnassigned())
        m_unassigned.AddIfAbsent(id);
    else
        m_unassigned.RemoveAll(id);

    if (edited.SourceID > 0) {
        CiteNote(edited.SourceID, id);
        m_noSource.RemoveAll(id);
    } else {
        m_noSource.AddIfAbsent(id);
    }
    m_keyWords->AddNoteKeyWords(id, edited.KeyWords);

    m_fileIndex.RemoveNoteFromIndex(id);
    m_fileIndex.AddFileEntry(NoteFilePath(edited), id);
}

FileStatus NoteDatabase::WriteNoteToDisk(const NoteRecord& previous, const NoteRecord& edited, bool isNew)
{
    const qint32 id = edited.NoteID;
    const QString newPath = NoteFilePath(edited);
    const bool moved = !isNew && edited.SourceID != previous.SourceID;

    NotesList notes = ReadNoteFile(newPath);
    bool replaced = false;
    if (!isNew && !moved) {
        for (NoteRecord& stored : notes) {
            if (stored.NoteID == id) {
                stored = edited;
                replaced = true;
            }
        }
    }
    // A note missing from its own file (the file was changed from outside) is appended
    // rather than lost.
    if (!replaced)
        notes.append(edited);
    if (!moved)
        return WriteNoteFile(m_folder.Files(), newPath, notes);

    // A moved note goes into its new file first and leaves the old one second: a failure
    // of the first changes nothing, a failure of the second undoes the first, so the note
    // is never in neither file (nor, when the undo can be made, in both).
    FileTransaction files(m_folder.Files());
    if (const FileStatus written = files.Write(newPath, NoteFileDiskBytes(notes)); !written)
        return written;
    const QString oldPath = NoteFilePath(previous);
    NotesList oldNotes = ReadNoteFile(oldPath);
    NotesListOps::RemoveAllWithId(oldNotes, id);
    if (const FileStatus left = files.Write(oldPath, NoteFileDiskBytes(oldNotes)); !left)
        return left; // the transaction rolls back as it goes
    files.Commit();
    return FileStatus::Ok();
}

NoteWriteResult NoteDatabase::DeleteNotes(const NotesList& notes)
{
    const NotesList copies = notes; // notes may be read from the current list itself
    NoteWriteResult result;
    DataChange change;
    for (const NoteRecord& note : copies) {
        if (note.NoteID <= 0)
            continue;
        const FileStatus deleted = DeleteOne(note, change);
        result.Record(NoteFilePath(note), deleted);
        if (!deleted)
            break; // the notes after it stay
        result.changed.Append(note.NoteID);
    }
    if (!change.deleted.isEmpty()) {
        change.aspects |= DataChange::NotesDeleted | DataChange::Aspects(DataChange::kIndexes);
        Tell(change);
    }
    return result;
}

FileStatus NoteDatabase::DeleteOne(const NoteRecord& note, DataChange& change)
{
    const qint32 id = note.NoteID;
    // A file left without notes is removed by the next clean-up at start.
    const QString path = NoteFilePath(note);
    NotesList notes = ReadNoteFile(path);
    NotesListOps::RemoveAllWithId(notes, id);
    if (const FileStatus written = WriteNoteFile(m_folder.Files(), path, notes); !written)
        return written;

    // Taken out of both source indexes: a stale record must not leave the id behind.
    m_unassigned.RemoveAll(id);
    m_noSource.RemoveAll(id);
    UnciteNote(note.SourceID, id);
    m_categories->UnfileNote(id, note.Categories);
    m_keyWords->RemoveNoteKeyWords(id);
    m_fileIndex.RemoveNoteFromIndex(id);
    m_copier.DeleteAttachmentFiles(note);
    change.deleted.append({id, note.NoteGUID});
    change.AddWrittenFile(path);
    return FileStatus::Ok();
}

FileStatus NoteDatabase::StoreAttachmentSettings(const NoteRecord& note)
{
    const QString path = NoteFilePath(note);
    NotesList file = ReadNoteFile(path);
    NoteRecord* stored = NotesListOps::FindNote(file, note.NoteID);
    if (!stored)
        return FileStatus::Ok();
    // Only the stored fields go to disk; the display state stays with the list's copy.
    stored->Attachments = note.Attachments;
    if (const FileStatus written = WriteNoteFile(m_folder.Files(), path, file); !written)
        return written;
    DataChange change;
    change.aspects = DataChange::NotesSaved;
    change.notes.Append(note.NoteID);
    change.AddWrittenFile(path);
    Tell(change);
    return FileStatus::Ok();
}

NoteWriteResult NoteDatabase::StoreNoteGuids(const QStringList& paths)
{
    NoteWriteResult result;
    DataChange change;
    change.aspects = DataChange::NotesSaved;
    for (const QString& path : paths) {
        // The reading gives every note without a GUID a new one.
        const NotesList notes = ReadNoteFile(path);
        if (notes.isEmpty())
            continue;
        const FileStatus written = WriteNoteFile(m_folder.Files(), path, notes);
        result.Record(path, written);
        if (!written)
            break;
        for (const NoteRecord& note : notes)
            result.changed.Append(note.NoteID);
        change.AddWrittenFile(path);
    }
    change.notes = result.changed;
    if (!change.writtenFiles.isEmpty())
        Tell(change);
    return result;
}

std::optional<NoteRecord> NoteDatabase::ReadNote(qint32 id) const
{
    const std::optional<QString> path = m_fileIndex.FileOfNote(id);
    if (!path)
        return std::nullopt;
    return m_noteCache.Find(*path, id);
}

NotesList NoteDatabase::LoadNotesByIds(const NoteIdList& ids) const
{
    ProgressReporter& progress = Progress();
    progress.Begin(QStringLiteral("Loading Notes..."), ids.Count() + 1);
    progress.Step();
    NotesList result;
    // Ids of one file usually come together: the last file read is kept for the next id.
    QString lastPath;
    NotesList lastNotes;
    for (qint32 id : ids) {
        const std::optional<QString> path = m_fileIndex.FileOfNote(id);
        if (path) {
            if (*path != lastPath) {
                lastNotes = ReadNoteFile(*path);
                lastPath = *path;
            }
            if (const NoteRecord* note = NotesListOps::FindNote(lastNotes, id))
                result.append(*note);
        }
        progress.Step();
    }
    progress.End();
    return result;
}

NotesList NoteDatabase::LoadAllNotes() const
{
    NotesList result;
    result.reserve(m_total);
    for (const QString& name : NoteFileNames())
        result.append(ReadNoteFile(m_folder.NoteFilePath(name)));
    return result;
}

QList<NoteFileContents> NoteDatabase::ReadAllNoteFiles(const DataFolder& folder)
{
    QList<NoteFileContents> files;
    for (const QString& name : NoteFileNames(folder)) {
        NoteFileContents file;
        file.path = folder.NoteFilePath(name);
        file.notes = ReadNoteFile(file.path, &file.stamp);
        files.append(std::move(file));
    }
    return files;
}

NotesList NoteDatabase::Flatten(const QList<NoteFileContents>& files)
{
    qsizetype count = 0;
    for (const NoteFileContents& file : files)
        count += file.notes.size();
    NotesList notes;
    notes.reserve(count);
    for (const NoteFileContents& file : files)
        notes.append(file.notes);
    return notes;
}

FileStatus NoteDatabase::StampNotesEdited(qint32 noteId, qint32 sourceId, const DateTime& when)
{
    const auto matches = [noteId, sourceId](const auto& note) {
        if (noteId >= 1)
            return note.NoteID == noteId;
        if (sourceId >= 1)
            return note.SourceID == sourceId;
        return false;
    };
    DataChange change;
    FileStatus status;
    for (const QString& name : NoteFileNames()) {
        const QString path = m_folder.NoteFilePath(name);
        NotesList notes = ReadNoteFile(path);
        NoteIdList stamped;
        for (NoteRecord& note : notes) {
            if (matches(note)) {
                note.LastEdited = when;
                stamped.AddIfAbsent(note.NoteID);
            }
        }
        status = WriteNoteFile(m_folder.Files(), path, notes);
        if (!status)
            break;
        // Written whether or not a note of it was stamped: its stamp on disk changed.
        change.AddWrittenFile(path);
        change.notes.UnionAppend(stamped);
    }
    if (!change.notes.IsEmpty()) {
        change.aspects = DataChange::NotesSaved;
        Tell(change);
    }
    return status;
}
