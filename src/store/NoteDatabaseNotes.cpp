// The operations of NoteDatabase that change or read notes on disk.
#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "format/FileSystem.h"
#include "format/FileTransaction.h"
#include "format/Guid.h"
#include "format/NoteFile.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "sources/SourceLookup.h"
#include "store/NoteDatabase.h"
#include "store/NoteFileGroups.h"
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

    // The note shown in the current list takes the saved keys; its display flags stay.
    for (ListedNote& shown : m_current) {
        if (shown.NoteID == edited.NoteID)
            shown.TakeKeys(edited);
    }
    progress.End();
    return FileStatus::Ok();
}

void NoteDatabase::IndexSavedNote(const NoteRecord& previous, const NoteRecord& edited, bool isNew)
{
    const qint32 id = edited.NoteID;
    if (!isNew) {
        m_categories->UnfileNote(id, previous.Categories);
        if (SourceRecord* source = FindSource(previous.SourceID))
            source->CitingNoteIds.RemoveAll(id);
        m_keyWords->RemoveNoteKeyWords(id);
    }
    m_categories->FileNote(id, edited.Categories);
    if (edited.Categories.IsUnassigned())
        m_unassigned.AddIfAbsent(id);
    else
        m_unassigned.RemoveAll(id);

    if (edited.SourceID > 0) {
        if (SourceRecord* source = FindSource(edited.SourceID))
            source->CitingNoteIds.AddIfAbsent(id);
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
        return WriteNoteFile(newPath, notes);

    // A moved note goes into its new file first and leaves the old one second: a failure
    // of the first changes nothing, a failure of the second undoes the first, so the note
    // is never in neither file (nor, when the undo can be made, in both).
    FileTransaction files(FileSystem::Current());
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

QString NoteDatabase::NoTextMessage()
{
    return QStringLiteral("Note must contain some text.");
}

QString NoteDatabase::NoTextCaption()
{
    return QStringLiteral("No Text In Note");
}

bool NoteDatabase::SaveNoteFromEditor(const NoteRecord& previous, NoteRecord& edited, QString* error)
{
    if (edited.PlainText.isEmpty()) {
        if (error)
            *error = NoTextMessage();
        return false;
    }
    // What is stamped here is put back when the save fails.
    const DateTime added = edited.DateAdded;
    const DateTime lastEdited = edited.LastEdited;
    const QString keyWords = edited.KeyWords;
    const DateTime now = DateTime::CurrentLocal();
    if (edited.NoteID <= 0)
        edited.DateAdded = now;
    edited.LastEdited = now;
    edited.KeyWords = edited.KeyWords.trimmed();
    if (const FileStatus saved = SaveNote(previous, edited); !saved) {
        edited.DateAdded = added;
        edited.LastEdited = lastEdited;
        edited.KeyWords = keyWords;
        if (error)
            *error = saved.Message();
        return false;
    }
    return true;
}

bool NoteDatabase::DeleteNote(const NoteRecord& note, FileStatus* failure)
{
    if (failure)
        *failure = FileStatus::Ok();
    const qint32 id = note.NoteID;
    if (id <= 0)
        return false;
    // A file left without notes is removed by the next clean-up at start.
    const QString path = NoteFilePath(note);
    NotesList notes = ReadNoteFile(path);
    NotesListOps::RemoveAllWithId(notes, id);
    if (const FileStatus written = WriteNoteFile(path, notes); !written) {
        if (failure)
            *failure = written;
        return false;
    }

    // Taken out of both source indexes: a stale record must not leave the id behind.
    m_unassigned.RemoveAll(id);
    m_noSource.RemoveAll(id);
    if (SourceRecord* source = FindSource(note.SourceID))
        source->CitingNoteIds.RemoveAll(id);
    m_categories->UnfileNote(id, note.Categories);
    m_keyWords->RemoveNoteKeyWords(id);
    m_fileIndex.RemoveNoteFromIndex(id);
    NotesListOps::RemoveAllWithId(m_current, id);
    m_copier.DeleteAttachmentFiles(note);
    return true;
}

int NoteDatabase::DeleteSelectedNote(const NoteRecord& note, UserPrompt& prompt)
{
    if (note.NoteID <= 0)
        return 0;
    if (!prompt.AskYesNo(QStringLiteral("Do you wish to permanently delete this note?"),
                         QStringLiteral("Delete Note?")))
        return 0;
    const NoteRecord copy = note; // note may be the list's own copy, which DeleteNote drops
    FileStatus failure;
    const int deleted = DeleteNote(copy, &failure) ? 1 : 0;
    if (!failure)
        ShowFailure(failure, prompt);
    m_total -= deleted;
    return deleted;
}

int NoteDatabase::DeleteCurrentNotes(UserPrompt& prompt)
{
    const int count = static_cast<int>(m_current.size());
    if (count == 0)
        return 0;
    const QString question = count == 1
        ? QStringLiteral("Do you wish to permanently delete the current note?")
        : QStringLiteral("Do you wish to permanently delete all %1 current notes?").arg(count);
    if (!prompt.AskYesNo(question, QStringLiteral("Delete Current Notes?")))
        return 0;
    Progress().Notify(QStringLiteral("Deleting current notes...."));
    int deleted = 0;
    FileStatus failure;
    while (!m_current.isEmpty()) {
        const NoteRecord first = ListedRecord(m_current.first());
        if (DeleteNote(first, &failure))
            ++deleted;
        if (!failure)
            break; // the notes not deleted stay in the list
        // A record that cannot be deleted (never saved) still leaves the list.
        if (!m_current.isEmpty() && m_current.first().NoteID == first.NoteID)
            m_current.removeFirst();
    }
    m_total -= deleted;
    Progress().End();
    if (!failure)
        ShowFailure(failure, prompt);
    return deleted;
}

int NoteDatabase::DeleteNotes(const NotesList& notes, UserPrompt& prompt)
{
    if (notes.isEmpty() || !AskDeleteNotes(notes.size(), prompt))
        return 0;
    FileStatus failure;
    const int deleted = static_cast<int>(DeleteListed(notes, &failure).size());
    if (!failure)
        ShowFailure(failure, prompt);
    return deleted;
}

bool NoteDatabase::AskDeleteNotes(qsizetype count, UserPrompt& prompt)
{
    const QString question = count == 1
        ? QStringLiteral("Are you sure you wish to delete the note?\n"
                         "This will permanently remove it from your Quorvel database!")
        : QStringLiteral("Are you sure you wish to delete these notes?\n"
                         "This will permanently remove them from your Quorvel database!");
    return prompt.AskYesNo(question, QStringLiteral("Delete Notes?"));
}

QList<qint32> NoteDatabase::DeleteListed(const NotesList& notes, FileStatus* failure)
{
    Progress().Notify(QStringLiteral("Deleting current notes...."));
    const NotesList copies = notes; // notes may be the current list itself
    QList<qint32> deleted;
    for (const NoteRecord& note : copies) {
        if (DeleteNote(note, failure))
            deleted.append(note.NoteID);
        if (!*failure)
            break; // the notes after it stay
    }
    m_total -= static_cast<int>(deleted.size());
    Progress().End();
    return deleted;
}

bool NoteDatabase::DeleteNotesByIds(const QList<qint32>& ids, UserPrompt& prompt, QList<qint32>* deleted,
                                    QString* error)
{
    deleted->clear();
    const NotesList found = LoadNotesByIds(NoteIdList(ids));
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
    FileStatus failure;
    *deleted = DeleteListed(notes, &failure);
    if (!failure) {
        *error = failure.Message();
        return false;
    }
    return true;
}

std::optional<NoteRecord> NoteDatabase::ReadNote(qint32 id) const
{
    const std::optional<QString> path = m_fileIndex.FileOfNote(id);
    if (!path)
        return std::nullopt;
    return m_noteCache.Find(*path, id);
}

NoteRecord NoteDatabase::ListedRecord(const ListedNote& listed) const
{
    NoteRecord record;
    if (std::optional<NoteRecord> stored = ReadNote(listed.NoteID)) {
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

NotesList NoteDatabase::LoadListed(const ListedNotes& list, int first, int count) const
{
    const int size = static_cast<int>(list.size());
    first = std::clamp(first, 0, size);
    const int end = count < 0 ? size : first + std::clamp(count, 0, size - first);
    NoteIdList ids;
    for (int i = first; i < end; ++i)
        ids.Append(list.at(i).NoteID);
    QList<std::optional<NoteRecord>> read(end - first);
    NoteFileGroups(m_fileIndex, ids).Read([&read](int place, const NoteRecord& note) {
        read[place] = note;
        return true;
    });
    NotesList notes;
    for (int place = 0; place < read.size(); ++place) {
        if (!read.at(place))
            continue;
        NoteRecord note = std::move(*read[place]);
        list.at(first + place).GiveDisplayState(note);
        notes.append(std::move(note));
    }
    return notes;
}

NotesList NoteDatabase::LoadNotesByIds(const NoteIdList& ids)
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
        result.append(ReadNoteFile(m_folder.FullPath(QStringLiteral("Data Files\\Notes\\") + name)));
    return result;
}

QList<NoteFileContents> NoteDatabase::ReadAllNoteFiles(const DataFolder& folder)
{
    QList<NoteFileContents> files;
    for (const QString& name : NoteFileNames(folder)) {
        NoteFileContents file;
        file.path = folder.FullPath(QStringLiteral("Data Files\\Notes\\") + name);
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
    for (const QString& name : NoteFileNames()) {
        const QString path = m_folder.FullPath(QStringLiteral("Data Files\\Notes\\") + name);
        NotesList notes = ReadNoteFile(path);
        for (NoteRecord& note : notes) {
            if (matches(note))
                note.LastEdited = when;
        }
        if (const FileStatus written = WriteNoteFile(path, notes); !written)
            return written;
    }
    // The notes on show are stamped too, so the view agrees with the files.
    for (ListedNote& note : m_current) {
        if (matches(note))
            note.LastEdited = when;
    }
    return FileStatus::Ok();
}
