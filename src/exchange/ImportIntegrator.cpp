#include "exchange/ImportIntegrator.h"

#include "exchange/ExchangeFormat.h"
#include "exchange/ImportSession.h"
#include "format/AttachmentRecord.h"
#include "format/AuthorsFile.h"
#include "format/FieldWriter.h"
#include "format/FileSystem.h"
#include "format/NoteFile.h"
#include "format/RecordList.h"
#include "format/SourcesFile.h"
#include "format/StoredNoteRecords.h"
#include "format/Version.h"
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
{
}

void ImportIntegrator::SetStoredTexts(std::function<QByteArray(int index)> storedTexts,
                                      std::function<void()> staged)
{
    m_storedTexts = std::move(storedTexts);
    m_staged = std::move(staged);
}

FileStatus ImportIntegrator::Integrate(ImportSession& session, const QList<int>& selected,
                                       ProgressReporter& progress, NoteIdList* imported)
{
    // Ids, sources and authors are issued in memory and go back there unless stored.
    NoteDatabase::IdBatch ids(m_database);
    SourceStore::ImportBatch sources(m_sources);
    FileSystem& files = m_database.Folder().Files();
    m_batch.emplace(files, m_database.Folder().BatchJournalPath());
    FileStatus status = files.MakePath(m_imagesFolder);
    if (status)
        status = IntegrateAll(session, selected, progress, imported, ids, sources);
    // On a failure the ids, sources and authors go back as the batches end; the files
    // were never changed, or are put back by the file batch.
    if (status)
        sources.Commit();
    m_batch.reset(); // removes whatever was staged and not committed
    return status;
}

FileStatus ImportIntegrator::IntegrateAll(ImportSession& session, const QList<int>& selected,
                                          ProgressReporter& progress, NoteIdList* imported,
                                          NoteDatabase::IdBatch& ids, SourceStore::ImportBatch& sources)
{
    m_session = &session;
    for (int i = 0; i < int(session.DatabaseNotes().size()); ++i)
        m_existingByGuid[session.DatabaseNotes().at(i).NoteGUID].append(i);
    ScanAttachmentNumbers();
    m_integrated.reserve(selected.size());
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

FileStatus ImportIntegrator::ReplaceAttachments(NoteRecord& note, const NoteRecord* existing)
{
    // E's files leave the folder when the import goes in (the batch keeps them until it is
    // done, so that a failed import can put them back); their numbers are free again.
    if (existing != nullptr) {
        for (const AttachmentRecord& old : existing->Attachments) {
            const QString path = QDir(m_imagesFolder).filePath(old.StoredName);
            if (!ExchangeFormat::IsPlainStoredName(old.StoredName) || !QFileInfo::exists(path))
                continue;
            if (const FileStatus removed = m_batch->Remove(path); !removed)
                return removed;
            m_leaving.insert(path);
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

// The import folder is removed afterwards, so its files are moved rather than copied
// (when the import goes in); a file that two attachments name is copied for the second
// within the import folder. An existing file is never overwritten.
FileStatus ImportIntegrator::TakeAttachmentFile(const QString& storedName, const QString& newName)
{
    const QString target = QDir(m_imagesFolder).filePath(newName);
    QString from = QDir(m_importFolder).filePath(storedName);
    struct stat info
    {
    };
    if (::lstat(QFile::encodeName(from).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return FileStatus::Ok(); // missing from the archive (or no plain file): the record points at no file
    // Never overwritten: the record points at that file. A file that the import removes
    // (a replaced note's) frees its name first.
    if (QFileInfo::exists(target) && !m_leaving.contains(target))
        return FileStatus::Ok();
    const int copies = m_takenFiles.value(storedName, -1) + 1;
    m_takenFiles.insert(storedName, copies);
    if (copies > 0) {
        const QString copy = from + QStringLiteral(".copy%1").arg(copies);
        if (const FileStatus copied = m_database.Folder().Files().Copy(from, copy); !copied)
            return copied;
        from = copy;
    }
    m_batch->Move(from, target);
    return FileStatus::Ok();
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
    const std::optional<FileStamp> stamp = FileStamp::Of(path);
    if (known != m_knownFiles.cend() && stamp == known->stamp) {
        ids = known->ids;
    } else if (stamp) {
        // Written since it was read (or not read then): its records as they are now.
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

void ImportIntegrator::WriteIntegrated(const std::pair<int, NoteRecord>& integrated,
                                       FieldWriter& writer) const
{
    const auto& [index, note] = integrated;
    if (!m_session->Items().at(index).textsHeld) {
        // The texts as the archive stores them: nothing to decode and encode again.
        if (const QByteArray stored = m_storedTexts ? m_storedTexts(index) : QByteArray();
            !stored.isEmpty()) {
            note.Write(writer, stored);
            return;
        }
    }
    NoteRecord whole = note;
    m_session->FillTexts(index, whole);
    whole.Write(writer);
}

// The file's records are read again: nothing has written it since it was planned.
QByteArray ImportIntegrator::FileBytesOfPlan(const QString& path) const
{
    const QList<Slot>& plan = m_plans.value(path);
    const bool keepsStored
        = std::any_of(plan.cbegin(), plan.cend(), [](const Slot& slot) { return slot.integrated < 0; });
    const StoredNoteRecords stored = keepsStored ? StoredNoteRecords::Read(path) : StoredNoteRecords();
    // Each slot's record: an integrated note (>= 0) or a stored record (-1 - its index);
    // a stored one changed from outside since is looked for by its id, and left out
    // when gone.
    QList<int> records;
    for (const Slot& slot : plan) {
        if (slot.integrated >= 0) {
            records.append(slot.integrated);
            continue;
        }
        int at = slot.stored < stored.Count() && stored.IdAt(slot.stored) == slot.id ? slot.stored : -1;
        for (int i = 0; at < 0 && i < stored.Count(); ++i) {
            if (stored.IdAt(i) == slot.id)
                at = i;
        }
        if (at >= 0)
            records.append(-1 - at);
    }
    FieldWriter writer;
    RecordListWriter::WriteHead(writer, Version::kNumber, records.size());
    for (int record : std::as_const(records)) {
        if (record >= 0)
            WriteIntegrated(m_integrated.at(record), writer);
        else
            stored.WriteRecord(-1 - record, writer);
    }
    return writer.DiskBytes();
}

FileStatus ImportIntegrator::WriteAll(NoteDatabase::IdBatch& ids, const SourceStore::ImportBatch& sources)
{
    FileSystem& files = m_database.Folder().Files();
    if (const FileStatus folder = files.MakePath(m_database.Folder().NotesFolder()); !folder)
        return folder;
    // Everything is staged beside its place, then goes in at once: the sources and
    // authors with the notes that cite them.
    FileStatus status = m_batch->Write(m_sources.SourcesFilePath(), sources.SourcesFileBytes());
    if (status)
        status = m_batch->Write(m_sources.AuthorsFilePath(), sources.AuthorsFileBytes());
    for (qsizetype i = 0; status && i < m_fileOrder.size(); ++i)
        status = m_batch->Write(m_fileOrder.at(i), FileBytesOfPlan(m_fileOrder.at(i)));
    if (!status)
        return status; // the batch removes what it staged
    if (m_staged)
        m_staged();
    if (status = m_batch->Commit(); !status)
        return status;
    // One settings save for the whole batch keeps the raised counters durable; a stop
    // before it is covered by the next load, which raises the counters past every id.
    if (status = ids.Store(); !status) {
        // A put-back that fails leaves its journal: the next load puts the files back.
        static_cast<void>(m_batch->Rollback());
        return status;
    }
    m_batch->Finish();
    for (const QString& path : std::as_const(m_fileOrder)) {
        if (m_batch->Writes(path))
            m_written.append(path);
    }
    return FileStatus::Ok();
}
