#include "exchange/ImportIntegrator.h"

#include "exchange/ImportSession.h"
#include "format/AttachmentRecord.h"
#include "format/AuthorsFile.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "platform/ProgressReporter.h"
#include "store/NoteDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

bool IsPlainFileName(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
        && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

// The text after the last dot of the name's last part.
QString StoredExtension(const QString& storedName)
{
    const QString base = storedName.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    const int dot = base.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 ? base.mid(dot + 1) : QString();
}

bool SameNames(const AuthorRecord& a, const AuthorRecord& b)
{
    return a.FirstName == b.FirstName && a.MiddleInitial == b.MiddleInitial && a.LastName == b.LastName
        && a.AuthorText4 == b.AuthorText4 && a.AuthorText5 == b.AuthorText5;
}

} // namespace

ImportIntegrator::ImportIntegrator(NoteDatabase& database, QString importFolder)
    : m_database(database)
    , m_importFolder(std::move(importFolder))
    , m_imagesFolder(database.Folder().ImagesFolder())
{
}

NoteIdList ImportIntegrator::Integrate(ImportSession& session, const QList<int>& selected,
                                       ProgressReporter& progress)
{
    for (int i = 0; i < int(session.DatabaseNotes().size()); ++i)
        m_existingByGuid[session.DatabaseNotes().at(i).NoteGUID].append(i);
    ScanAttachmentNumbers();
    QDir().mkpath(m_imagesFolder);
    NoteIdList imported;
    for (int index : selected) {
        ImportItem& item = session.Items()[index];
        NoteRecord note = item.note;
        const NoteRecord* existing = TakeExisting(session, note.NoteGUID);
        if (existing == nullptr)
            m_database.AdjustTotal(1);
        ResolveSource(note);
        ReplaceAttachments(note, existing);
        if (item.ImportStatus() == 22 && existing != nullptr) {
            note.NoteID = existing->NoteID;
            if (NoteFileName(*existing) != NoteFileName(note))
                RemoveFromFile(m_database.NoteFilePath(*existing), existing->NoteID);
        } else {
            note.NoteID = m_database.RaiseMaxNoteId();
        }
        const QString path = m_database.NoteFilePath(note);
        RemoveFromFile(path, note.NoteID);
        NoteFile(path).append(note);
        item.note = note;
        imported.Append(note.NoteID);
        progress.Step();
    }
    WriteAll();
    // One settings save for the whole batch keeps the raised MaxNoteID durable.
    m_database.StoreCounters();
    return imported;
}

const NoteRecord* ImportIntegrator::TakeExisting(const ImportSession& session, const QString& guid)
{
    auto found = m_existingByGuid.find(guid);
    if (found == m_existingByGuid.end() || found->isEmpty())
        return nullptr;
    return &session.DatabaseNotes().at(found->takeFirst());
}

void ImportIntegrator::ResolveSource(NoteRecord& note)
{
    if (note.SourceID <= 0) {
        note.SourceID = 0;
        note.AttachedSource = SourceRecord();
        return;
    }
    SourceList& sources = m_database.Sources();
    for (const SourceRecord& known : sources) {
        if (known.SourceGUID == note.AttachedSource.SourceGUID) {
            note.AttachedSource = known;
            note.SourceID = known.SourceId;
            return;
        }
    }
    SourceRecord source = note.AttachedSource;
    source.AuthorIds.clear();
    for (const AuthorRecord& author : note.AttachedSource.EmbeddedAuthors) {
        const qint32 id = MatchOrAddAuthor(author);
        if (!source.AuthorIds.contains(id))
            source.AuthorIds.append(id);
    }
    source.EmbeddedAuthors.clear();
    source.CitingNoteIds = NoteIdList();
    source.SourceId = m_database.NextSourceId();
    sources.append(source);
    note.AttachedSource = source;
    note.SourceID = source.SourceId;
}

qint32 ImportIntegrator::MatchOrAddAuthor(const AuthorRecord& incoming)
{
    for (const AuthorRecord& known : m_database.Authors()) {
        if (SameNames(known, incoming))
            return known.AuthorId;
    }
    AuthorRecord added = incoming;
    added.AuthorId = m_database.NextAuthorId();
    m_database.Authors().append(added);
    return added.AuthorId;
}

void ImportIntegrator::ReplaceAttachments(NoteRecord& note, const NoteRecord* existing)
{
    if (existing != nullptr) {
        for (const AttachmentRecord& old : existing->Attachments) {
            if (IsPlainFileName(old.StoredName)
                && QFile::remove(QDir(m_imagesFolder).filePath(old.StoredName))) {
                auto number = m_attachmentNumbers.find(AttachmentNumber(old.StoredName));
                if (number != m_attachmentNumbers.end() && --number->second == 0)
                    m_attachmentNumbers.erase(number);
            }
        }
    }
    for (AttachmentRecord& attachment : note.Attachments) {
        // The largest number in the folder, as a fresh scan would find it, plus one.
        const int number = (m_attachmentNumbers.empty() ? 0 : m_attachmentNumbers.rbegin()->first) + 1;
        const QString newName = QString::asprintf("%.7d.", number) + StoredExtension(attachment.StoredName);
        if (IsPlainFileName(attachment.StoredName))
            TakeAttachmentFile(attachment.StoredName, newName);
        ++m_attachmentNumbers[number];
        attachment.StoredName = newName;
    }
}

// The import folder is removed afterwards, so its files are moved rather than copied;
// a file that two attachments name is copied from where the first one put it. An
// existing file is never overwritten.
void ImportIntegrator::TakeAttachmentFile(const QString& storedName, const QString& newName)
{
    const QString target = QDir(m_imagesFolder).filePath(newName);
    const auto moved = m_takenFiles.constFind(storedName);
    if (moved != m_takenFiles.constEnd()) {
        QFile::copy(*moved, target); // refuses an existing target
        return;
    }
    const QString from = QDir(m_importFolder).filePath(storedName);
    struct stat info
    {
    };
    if (::lstat(QFile::encodeName(from).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return; // missing from the archive (or no plain file): the record points at no file
    if (MoveWithoutReplacing(from, target))
        m_takenFiles.insert(storedName, target);
}

bool ImportIntegrator::MoveWithoutReplacing(const QString& from, const QString& target)
{
    // One call that refuses an existing target, where the file system offers it.
    const QByteArray source = QFile::encodeName(from);
    const QByteArray destination = QFile::encodeName(target);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, destination.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno == EEXIST || QFileInfo::exists(target))
        return false;
    return QFile::rename(from, target) || QFile::copy(from, target);
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

void ImportIntegrator::KnowFiles(const QList<NoteFileContents>& files)
{
    for (const NoteFileContents& file : files)
        m_knownFiles.insert(file.path, file);
}

NotesList ImportIntegrator::ReadFile(const QString& path)
{
    const auto known = m_knownFiles.constFind(path);
    if (known != m_knownFiles.cend() && FileStamp::Of(path) == known->stamp)
        return known->notes;
    return ReadNoteFile(path);
}

NotesList& ImportIntegrator::NoteFile(const QString& path)
{
    auto found = m_files.find(path);
    if (found == m_files.end()) {
        found = m_files.insert(path, ReadFile(path));
        m_fileOrder.append(path);
    }
    return *found;
}

void ImportIntegrator::RemoveFromFile(const QString& path, qint32 id)
{
    NotesList& notes = NoteFile(path);
    notes.removeIf([id](const NoteRecord& record) { return record.NoteID == id; });
}

void ImportIntegrator::WriteAll()
{
    QDir().mkpath(m_database.Folder().NotesFolder());
    for (const QString& path : m_fileOrder)
        WriteNoteFile(path, m_files.value(path));
    WriteAuthorsFile(m_database.AuthorsFilePath(), m_database.Authors());
    WriteSourcesFile(m_database.SourcesFilePath(), m_database.Sources());
}
