// The operations of NoteDatabase that change or read notes on disk.
#include "categories/CategoryTree.h"
#include "categories/KeyWordList.h"
#include "format/Guid.h"
#include "format/NoteFile.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"
#include "sources/SourceLookup.h"
#include "store/NoteDatabase.h"
#include "store/NotesListOps.h"

#include <QFile>

void NoteDatabase::SaveNote(const NoteRecord& previous, NoteRecord& edited)
{
    ProgressReporter& progress = Progress();
    progress.Notify(QStringLiteral("Saving Information...."));
    bool isNew = false;
    if (edited.NoteID > 0) {
        m_categories->UnfileNote(edited.NoteID, previous.Categories);
        if (SourceRecord* source = FindSource(previous.SourceID))
            source->CitingNoteIds.RemoveAll(edited.NoteID);
        m_keyWords->RemoveNoteKeyWords(edited.NoteID);
    } else {
        // A new note (-1). An id of 0 is no stored note either: written as it is, the
        // note would be dropped by the next read of its file.
        edited.NoteID = IssueNoteId();
        edited.LastEdited = edited.DateAdded;
        // The GUID recognises the note in later imports; it must be stored with it.
        if (edited.NoteGUID.isEmpty())
            edited.NoteGUID = NewGuidText();
        isNew = true;
    }
    const qint32 id = edited.NoteID;

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

    progress.Notify(QStringLiteral("Copying in new attachments...."));
    m_copier.CopyInNewAttachments(edited);

    progress.Notify(QStringLiteral("Saving Final Information...."));
    WriteNoteToDisk(previous, edited, isNew);

    // The copy shown in the current list takes the saved record; its display flags stay.
    for (NoteRecord& shown : m_current) {
        if (shown.NoteID == id) {
            const bool justAdded = shown.JustAdded;
            shown = edited;
            shown.JustAdded = justAdded;
        }
    }
    progress.End();
}

void NoteDatabase::WriteNoteToDisk(const NoteRecord& previous, const NoteRecord& edited, bool isNew)
{
    const qint32 id = edited.NoteID;
    const QString newPath = NoteFilePath(edited);
    bool moved = false;
    if (!isNew && edited.SourceID != previous.SourceID) {
        const QString oldPath = NoteFilePath(previous);
        NotesList oldNotes = ReadNoteFile(oldPath);
        NotesListOps::RemoveAllWithId(oldNotes, id);
        WriteNoteFile(oldPath, oldNotes);
        moved = true;
    }

    NotesList notes;
    if (QFile::exists(newPath)) {
        notes = ReadNoteFile(newPath);
        bool replaced = false;
        if (!isNew && !moved) {
            for (NoteRecord& stored : notes) {
                if (stored.NoteID == id) {
                    stored = edited;
                    replaced = true;
                }
            }
        }
        // A note missing from its own file (the file was changed from outside) is
        // appended rather than lost.
        if (!replaced)
            notes.append(edited);
    } else {
        notes.append(edited);
    }
    WriteNoteFile(newPath, notes);

    m_fileIndex.RemoveNoteFromIndex(id);
    m_fileIndex.AddFileEntry(newPath, id);
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
    const DateTime now = DateTime::CurrentLocal();
    if (edited.NoteID <= 0)
        edited.DateAdded = now;
    edited.LastEdited = now;
    edited.KeyWords = edited.KeyWords.trimmed();
    SaveNote(previous, edited);
    return true;
}

bool NoteDatabase::DeleteNote(const NoteRecord& note)
{
    const qint32 id = note.NoteID;
    if (id <= 0)
        return false;
    // A file left without notes is removed by the next clean-up at start.
    const QString path = NoteFilePath(note);
    NotesList notes = ReadNoteFile(path);
    NotesListOps::RemoveAllWithId(notes, id);
    WriteNoteFile(path, notes);

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
    const int deleted = DeleteNote(copy) ? 1 : 0;
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
    while (!m_current.isEmpty()) {
        const NoteRecord first = m_current.first();
        if (DeleteNote(first))
            ++deleted;
        // A record that cannot be deleted (never saved) still leaves the list.
        if (!m_current.isEmpty() && m_current.first().NoteID == first.NoteID)
            m_current.removeFirst();
    }
    m_total -= deleted;
    Progress().End();
    return deleted;
}

int NoteDatabase::DeleteNotes(const NotesList& notes, UserPrompt& prompt)
{
    if (notes.isEmpty())
        return 0;
    const QString question = notes.size() == 1
        ? QStringLiteral("Are you sure you wish to delete the note?\n"
                         "This will permanently remove it from your Quorvel database!")
        : QStringLiteral("Are you sure you wish to delete these notes?\n"
                         "This will permanently remove them from your Quorvel database!");
    if (!prompt.AskYesNo(question, QStringLiteral("Delete Notes?")))
        return 0;
    Progress().Notify(QStringLiteral("Deleting current notes...."));
    const NotesList copies = notes; // notes may be the current list itself
    int deleted = 0;
    for (const NoteRecord& note : copies) {
        if (DeleteNote(note))
            ++deleted;
    }
    m_total -= deleted;
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
    if (DeleteNotes(notes, prompt) > 0) {
        for (const NoteRecord& note : std::as_const(notes))
            deleted->append(note.NoteID);
    }
    return true;
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

void NoteDatabase::StampNotesEdited(qint32 noteId, qint32 sourceId, const DateTime& when)
{
    const auto matches = [noteId, sourceId](const NoteRecord& note) {
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
        WriteNoteFile(path, notes);
    }
    // The copies on show are stamped too, so the view agrees with the files.
    for (NoteRecord& note : m_current) {
        if (matches(note))
            note.LastEdited = when;
    }
}
