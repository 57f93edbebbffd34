#include "exchange/ImportIntegrator.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/ImportSession.h"
#include "format/AttachmentRecord.h"
#include "format/AuthorsFile.h"
#include "format/FileSystem.h"
#include "format/FileTransaction.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "platform/ProgressReporter.h"
#include "store/NoteDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <sys/stat.h>

namespace {

// The text after the last dot of the name's last part.
QString StoredExtension(const QString& storedName)
{
    const QString base = storedName.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    const int dot = base.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? base.mid(dot + 1) : QString();
}

} // namespace

ImportIntegrator::ImportIntegrator(NoteDatabase& database, SourceStore& sources, QString importFolder)
    : m_database(database)
    , m_sources(sources)
    , m_importFolder(std::move(importFolder))
    , m_imagesFolder(database.Folder().ImagesFolder())
    , m_asideFolder(database.Folder().FullPath(QStringLiteral("Data Files\\ImportReplaced")))
{
}

FileStatus ImportIntegrator::Integrate(ImportSession& session, const QList<int>& selected,
                                       ProgressReporter& progress, NoteIdList* imported)
{
    // Ids, sources and authors are issued in memory and go back there unless stored.
    NoteDatabase::IdBatch ids(m_database);
    SourceStore::ImportBatch sources(m_sources);
    FileSystem& files = m_database.Folder().Files();
    FileStatus status = files.RemoveFolder(m_asideFolder); // a leftover of an interrupted run
    status.Keep(files.MakePath(m_asideFolder));
    status.Keep(files.MakePath(m_imagesFolder));
    if (status)
        status = IntegrateAll(session, selected, progress, imported, ids, sources);
    if (status)
        sources.Commit();
    else
        Undo();
    // Replaced files wait there only until now; a folder left behind goes with the next
    // import's first step.
    static_cast<void>(files.RemoveFolder(m_asideFolder));
    return status;
}

void ImportIntegrator::Undo()
{
    // The import has failed already and says so; what cannot be put back here stays as
    // it is (a new file no note names, a replaced one waiting in the aside folder).
    FileSystem& files = m_database.Folder().Files();
    for (const QString& created : std::as_const(m_createdFiles))
        static_cast<void>(files.Remove(created));
    for (const auto& [path, aside] : std::as_const(m_setAside))
        static_cast<void>(files.Rename(aside, path));
}

FileStatus ImportIntegrator::IntegrateAll(ImportSession& session, const QList<int>& selected,
                                          ProgressReporter& progress, NoteIdList* imported,
                                          NoteDatabase::IdBatch& ids, SourceStore::ImportBatch& sources)
{
    m_session = &session;
    for (int i = 0; i < int(session.DatabaseNotes().size()); ++i)
        m_existingByGuid[session.DatabaseNotes().at(i).NoteGUID].append(i);
    ScanAttachmentNumbers();
    // The chosen notes as they came in: the session's items change only on success.
    for (int index : selected) {
        const ImportItem& item = session.Items().at(index);
        NoteRecord note = item.note;
        const NoteRecord* existing = TakeExisting(session, note.NoteGUID);
        ResolveSource(note, sources);
        if (const FileStatus taken = ReplaceAttachments(note, existing); !taken)
            return taken;
        if (item.ImportStatus() == 22 && existing != nullptr) {
            note.NoteID = existing->NoteID;
            if (NoteFileName(*existing) != NoteFileName(note))
                RemoveFromFile(m_database.NoteFilePath(*existing), existing->NoteID);
        } else {
            note.NoteID = ids.Next();
        }
        const QString path = m_database.NoteFilePath(note);
        RemoveFromFile(path, note.NoteID);
        Plan(path).append({note.NoteID, -1, int(m_integrated.size())});
        m_integrated.append({index, std::move(note)});
        progress.Step();
    }
    if (const FileStatus written = WriteAll(ids, sources); !written)
        return written;
    for (auto& [index, note] : m_integrated) {
        imported->Append(note.NoteID);
        session.Items()[index].note = std::move(note);
    }
    return FileStatus::Ok();
}

const NoteRecord* ImportIntegrator::TakeExisting(const ImportSession& session, const QString& guid)
{
    auto found = m_existingByGuid.find(guid);
    if (found == m_existingByGuid.end() || found->isEmpty())
        return nullptr;
    return &session.DatabaseNotes().at(found->takeFirst());
}

void ImportIntegrator::ResolveSource(NoteRecord& note, SourceStore::ImportBatch& sources)
{
    if (note.SourceID <= 0) {
        note.SourceID = 0;
        note.AttachedSource = SourceRecord();
        return;
    }
    if (const SourceRecord* known = sources.FindByGuid(note.AttachedSource.SourceGUID)) {
        note.AttachedSource = *known;
        note.SourceID = known->SourceId;
        return;
    }
    SourceRecord source = note.AttachedSource;
    source.AuthorIds.clear();
    for (const AuthorRecord& author : note.AttachedSource.EmbeddedAuthors) {
        const qint32 id = sources.MatchOrAddAuthor(author);
        if (!source.AuthorIds.contains(id))
            source.AuthorIds.append(id);
    }
    source.EmbeddedAuthors.clear();
    source.SourceId = sources.AddSource(source);
    note.AttachedSource = source;
    note.SourceID = source.SourceId;
}

FileStatus ImportIntegrator::SetAside(const QString& path)
{
    const QString aside = QDir(m_asideFolder).filePath(QString::number(m_setAside.size()));
    const FileStatus moved = m_database.Folder().Files().Rename(path, aside);
    if (moved)
        m_setAside.append({path, aside});
    return moved;
}

FileStatus ImportIntegrator::ReplaceAttachments(NoteRecord& note, const NoteRecord* existing)
{
    // E's files leave the folder, as a deletion would, but wait aside until the import
    // is stored, so that a failed import can put them back.
    if (existing != nullptr) {
        for (const AttachmentRecord& old : existing->Attachments) {
            const QString path = QDir(m_imagesFolder).filePath(old.StoredName);
            if (!ExchangeFormat::IsPlainStoredName(old.StoredName) || !QFileInfo::exists(path))
                continue;
            if (const FileStatus moved = SetAside(path); !moved)
                return moved;
            auto number = m_attachmentNumbers.find(AttachmentNumber(old.StoredName));
            if (number != m_attachmentNumbers.end() && --number->second == 0)
                m_attachmentNumbers.erase(number);
        }
    }
    for (AttachmentRecord& attachment : note.Attachments) {
        // The largest number in the folder, as a fresh scan would find it, plus one.
        const int number = (m_attachmentNumbers.empty() ? 0 : m_attachmentNumbers.rbegin()->first) + 1;
        const QString newName = QString::asprintf("%.7d.", number) + StoredExtension(attachment.StoredName);
        if (ExchangeFormat::IsPlainStoredName(attachment.StoredName)) {
            if (const FileStatus taken = TakeAttachmentFile(attachment.StoredName, newName); !taken)
                return taken;
        }
        ++m_attachmentNumbers[number];
        attachment.StoredName = newName;
    }
    return FileStatus::Ok();
}

// The import folder is removed afterwards, so its files are moved rather than copied;
// a file that two attachments name is copied from where the first one put it. An
// existing file is never overwritten.
FileStatus ImportIntegrator::TakeAttachmentFile(const QString& storedName, const QString& newName)
{
    const QString target = QDir(m_imagesFolder).filePath(newName);
    const auto moved = m_takenFiles.constFind(storedName);
    if (moved != m_takenFiles.constEnd()) {
        if (QFileInfo::exists(target))
            return FileStatus::Ok(); // never overwritten: the record points at that file
        const FileStatus copied = m_database.Folder().Files().Copy(*moved, target);
        if (copied)
            m_createdFiles.append(target);
        return copied;
    }
    const QString from = QDir(m_importFolder).filePath(storedName);
    struct stat info
    {
    };
    if (::lstat(QFile::encodeName(from).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return FileStatus::Ok(); // missing from the archive (or no plain file): the record points at no file
    bool taken = false;
    const FileStatus status = MoveWithoutReplacing(from, target, &taken);
    if (taken) {
        m_takenFiles.insert(storedName, target);
        m_createdFiles.append(target);
    }
    return status;
}

FileStatus ImportIntegrator::MoveWithoutReplacing(const QString& from, const QString& target, bool* moved)
{
    *moved = false;
    if (QFileInfo::exists(target))
        return FileStatus::Ok();
    FileSystem& files = m_database.Folder().Files();
    FileStatus status = files.Rename(from, target);
    if (!status)
        status = files.Copy(from, target); // another file system, where no rename reaches
    *moved = status.IsOk();
    return status;
}

int ImportIntegrator::AttachmentNumber(const QString& fileName)
{
    return std::atoi(fileName.section(QLatin1Char('.'), 0, 0).toLatin1().constData());
}

void ImportIntegrator::ScanAttachmentNumbers()
{
    const QStringList names = QDir(m_imagesFolder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const int number = AttachmentNumber(name);
        if (number > 0)
            ++m_attachmentNumbers[number];
    }
}

void ImportIntegrator::KnowFiles(const QList<ImportDatabaseScan::File>& files)
{
    for (const ImportDatabaseScan::File& file : files)
        m_knownFiles.insert(file.path, file);
}

QList<ImportIntegrator::Slot>& ImportIntegrator::Plan(const QString& path)
{
    auto found = m_plans.find(path);
    if (found != m_plans.end())
        return *found;
    QList<qint32> ids;
    const auto known = m_knownFiles.constFind(path);
    if (known != m_knownFiles.cend() && FileStamp::Of(path) == known->stamp) {
        ids = known->ids;
    } else {
        for (const NoteRecord& note : ReadNoteFile(path))
            ids.append(note.NoteID);
    }
    QList<Slot> planned;
    planned.reserve(ids.size());
    for (int i = 0; i < int(ids.size()); ++i)
        planned.append({ids.at(i), i, -1});
    m_fileOrder.append(path);
    return *m_plans.insert(path, std::move(planned));
}

void ImportIntegrator::RemoveFromFile(const QString& path, qint32 id)
{
    Plan(path).removeIf([id](const Slot& slot) { return slot.id == id; });
}

// The file's records are read again: nothing has written it since it was planned.
NotesList ImportIntegrator::NotesOfPlan(const QString& path) const
{
    const NotesList stored = ReadNoteFile(path);
    NotesList notes;
    for (const Slot& slot : m_plans.value(path)) {
        if (slot.integrated >= 0) {
            const auto& [index, integrated] = m_integrated.at(slot.integrated);
            NoteRecord note = integrated;
            m_session->FillTexts(index, note);
            notes.append(std::move(note));
        } else if (slot.stored < stored.size() && stored.at(slot.stored).NoteID == slot.id) {
            notes.append(stored.at(slot.stored));
        } else {
            // Changed from outside after all: the record of that id, if any.
            const auto record = std::find_if(stored.begin(), stored.end(),
                                             [&](const NoteRecord& note) { return note.NoteID == slot.id; });
            if (record != stored.end())
                notes.append(*record);
        }
    }
    return notes;
}

FileStatus ImportIntegrator::WriteAll(NoteDatabase::IdBatch& ids, const SourceStore::ImportBatch& sources)
{
    FileSystem& files = m_database.Folder().Files();
    if (const FileStatus folder = files.MakePath(m_database.Folder().NotesFolder()); !folder)
        return folder;
    // The sources and authors first: a note never cites a source that is not stored.
    FileTransaction transaction(files);
    FileStatus status = transaction.Write(m_sources.SourcesFilePath(), sources.SourcesFileBytes());
    status.Keep(transaction.Write(m_sources.AuthorsFilePath(), sources.AuthorsFileBytes()));
    for (qsizetype i = 0; status && i < m_fileOrder.size(); ++i)
        status = transaction.Write(m_fileOrder.at(i), NoteFileDiskBytes(NotesOfPlan(m_fileOrder.at(i))));
    // One settings save for the whole batch keeps the raised counters durable.
    if (status)
        status = ids.Store();
    if (!status)
        return status; // the transaction puts the files back
    transaction.Commit();
    return FileStatus::Ok();
}
