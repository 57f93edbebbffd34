#include "store/SourceStore.h"

#include "format/AuthorsFile.h"
#include "format/FieldReader.h"
#include "format/FileTransaction.h"
#include "format/Guid.h"
#include "format/SourcesFile.h"
#include "sources/CitationFormatter.h"
#include "sources/SourceEditing.h"
#include "sources/SourceLookup.h"
#include "store/ChangeNotice.h"

#include <QFile>
#include <QHash>

namespace {

QByteArray ReadWholeFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Report(const FileStatus& status, FileStatus* failure)
{
    if (failure)
        *failure = status;
    return status.IsOk();
}

bool SameNames(const AuthorRecord& a, const AuthorRecord& b)
{
    return a.FirstName == b.FirstName && a.MiddleInitial == b.MiddleInitial && a.LastName == b.LastName
        && a.AuthorText4 == b.AuthorText4 && a.AuthorText5 == b.AuthorText5;
}

} // namespace

SourceStore::SourceStore(DataFolder folder, ChangeNotice& changes)
    : m_folder(std::move(folder))
    , m_changes(changes)
{
}

void SourceStore::BindAuthorCounter(qint32* maxAuthorId)
{
    m_maxAuthorId = maxAuthorId ? maxAuthorId : &m_ownMaxAuthorId;
}

void SourceStore::SetSettingsSaver(std::function<FileStatus()> saveSettings)
{
    m_saveSettings = std::move(saveSettings);
}

QString SourceStore::SourcesFilePath() const
{
    return m_folder.SourcesFilePath();
}

QString SourceStore::AuthorsFilePath() const
{
    return m_folder.AuthorsFilePath();
}

void SourceStore::Load()
{
    const std::optional<FileStamp> authorsStamp = FileStamp::Of(AuthorsFilePath());
    m_authors = LoadAuthorsFile(AuthorsFilePath());
    const std::optional<FileStamp> sourcesStamp = FileStamp::Of(SourcesFilePath());
    const QByteArray onDisk = ReadWholeFile(SourcesFilePath());
    m_sources = ParseSourcesFile(FieldReader::FromDiskBytes(onDisk));
    m_attached.Keep(m_sources, sourcesStamp, authorsStamp);
    // Stores the GUIDs made for sources read without one (and brings an old file up to
    // date); a file that would come out byte for byte the same is left as it is.
    // A file that cannot be written now gets the same GUIDs made again at the next start.
    // A read-only data folder keeps its file as it is; the GUIDs live for the run.
    if (!m_folder.IsReadOnly() && !SourcesFileHolds(m_sources, onDisk))
        static_cast<void>(WriteSourcesFile(m_folder.Files(), SourcesFilePath(), m_sources));
}

void SourceStore::RaiseAuthorCounter()
{
    qint32 highest = 0;
    for (const AuthorRecord& author : std::as_const(m_authors))
        highest = qMax(highest, author.AuthorId);
    *m_maxAuthorId = highest > *m_maxAuthorId ? highest + 1 : *m_maxAuthorId + 1;
}

const SourceRecord* SourceStore::FindSource(qint32 sourceId) const
{
    return ::FindSource(m_sources, sourceId);
}

const AuthorRecord* SourceStore::FindAuthor(qint32 authorId) const
{
    return ::FindAuthor(m_authors, authorId);
}

qint32 SourceStore::NextSourceId() const
{
    return ::NextSourceId(m_sources);
}

SourceRecord SourceStore::NewSource(qint32 sourceFormat) const
{
    return NewSourceRecord(m_sources, sourceFormat);
}

FileStatus SourceStore::WriteSources() const
{
    return WriteSourcesFile(m_folder.Files(), SourcesFilePath(), m_sources);
}

FileStatus SourceStore::WriteAuthors() const
{
    return WriteAuthorsFile(m_folder.Files(), AuthorsFilePath(), m_authors);
}

void SourceStore::Tell(bool sources, bool authors)
{
    m_attached.Forget();
    DataChange change;
    if (sources)
        change.aspects |= DataChange::Sources;
    if (authors)
        change.aspects |= DataChange::Authors;
    m_changes.Raise(change);
}

// --- Sources -----------------------------------------------------------------------------

FileStatus SourceStore::AddSource(const SourceRecord& source)
{
    const FileStatus added = ::AddSource(m_folder.Files(), m_sources, source, SourcesFilePath());
    if (added)
        Tell(true, false);
    return added;
}

SourceStore::Update SourceStore::UpdateSource(const SourceRecord& source, FileStatus* failure)
{
    Report(FileStatus::Ok(), failure);
    const int index = IndexOfSource(m_sources, source.SourceId);
    if (index < 0)
        return Update::NotFound;
    const SourceRecord before = m_sources.at(index);
    const bool typeChanged = before.Type != source.Type;
    m_sources[index] = source;
    if (typeChanged)
        m_sources[index].SourceGUID = NewGuidText();
    if (const FileStatus written = WriteSources(); !written) {
        m_sources[index] = before;
        Report(written, failure);
        return Update::NotWritten;
    }
    Tell(true, false);
    return typeChanged ? Update::TypeChanged : Update::Stored;
}

bool SourceStore::SourceHasNotes(qint32 sourceId) const
{
    return NoteFileHasNotes(m_folder.FullPath(SourceNoteFileName(sourceId)));
}

FileStatus SourceStore::RemoveSource(qint32 sourceId)
{
    const int index = IndexOfSource(m_sources, sourceId);
    if (index < 0)
        return FileStatus::Ok();
    const SourceRecord removed = m_sources.takeAt(index);
    if (const FileStatus written = WriteSources(); !written) {
        m_sources.insert(index, removed);
        return written;
    }
    Tell(true, false);
    return FileStatus::Ok();
}

// --- Authors -----------------------------------------------------------------------------

qint32 SourceStore::AddAuthor(AuthorRecord author, FileStatus* failure)
{
    Report(FileStatus::Ok(), failure);
    author.FirstName = author.FirstName.trimmed();
    author.MiddleInitial = author.MiddleInitial.trimmed();
    author.LastName = author.LastName.trimmed();
    if (author.FirstName.isEmpty() && author.LastName.isEmpty())
        return -1;
    const qint32 maxAuthorId = *m_maxAuthorId;
    author.AuthorId = NextAuthorId(*m_maxAuthorId);
    FileStatus status = m_saveSettings ? m_saveSettings() : FileStatus::Ok();
    if (status) {
        m_authors.append(author);
        status = WriteAuthors();
        if (!status)
            m_authors.removeLast();
    }
    if (!status) {
        *m_maxAuthorId = maxAuthorId;
        Report(status, failure);
        return -1;
    }
    Tell(false, true);
    return author.AuthorId;
}

bool SourceStore::UpdateAuthor(const AuthorRecord& author, FileStatus* failure)
{
    Report(FileStatus::Ok(), failure);
    const int index = IndexOfAuthor(m_authors, author.AuthorId);
    if (index < 0)
        return false;
    const AuthorRecord before = m_authors.at(index);
    m_authors[index] = author;
    if (const FileStatus written = WriteAuthors(); !written) {
        m_authors[index] = before;
        return Report(written, failure);
    }
    Tell(false, true);
    return true;
}

bool SourceStore::RenameAuthor(qint32 authorId, const QString& first, const QString& middle,
                               const QString& last, FileStatus* failure)
{
    if (!UpdateAuthorNames(m_folder.Files(), m_authors, authorId, first, middle, last, AuthorsFilePath(),
                           failure))
        return false;
    Tell(false, true);
    return true;
}

FileStatus SourceStore::RemoveAuthor(qint32 authorId)
{
    const int index = IndexOfAuthor(m_authors, authorId);
    if (index < 0)
        return FileStatus::Ok();
    const AuthorRecord removed = m_authors.takeAt(index);
    if (const FileStatus written = WriteAuthors(); !written) {
        m_authors.insert(index, removed);
        return written;
    }
    Tell(false, true);
    return FileStatus::Ok();
}

// --- A batch of new sources --------------------------------------------------------------

FileStatus SourceStore::AddSourceBatch(SourceBatch& batch)
{
    if (batch.sources.isEmpty() && batch.authors.isEmpty())
        return FileStatus::Ok();
    const SourceList sourcesBefore = m_sources;
    const AuthorList authorsBefore = m_authors;
    const qint32 maxAuthorIdBefore = *m_maxAuthorId;
    QHash<qint32, qint32> idOfPlaceholder;
    for (AuthorRecord& author : batch.authors) {
        const qint32 placeholder = author.AuthorId;
        author.AuthorId = NextAuthorId(*m_maxAuthorId);
        idOfPlaceholder.insert(placeholder, author.AuthorId);
        m_authors.append(author);
    }
    qint32 nextId = NextSourceId();
    for (SourceRecord& source : batch.sources) {
        source.SourceId = nextId++;
        source.SourceGUID = NewGuidText();
        for (qint32& id : source.AuthorIds)
            id = id < 0 ? idOfPlaceholder.value(id) : id;
        FormatCitation(source, m_authors);
        m_sources.append(source);
    }
    FileTransaction transaction(m_folder.Files());
    FileStatus status;
    if (!batch.authors.isEmpty())
        status = transaction.Write(AuthorsFilePath(), SerializeAuthorsFile(m_authors));
    if (status && !batch.sources.isEmpty())
        status = transaction.Write(SourcesFilePath(), SerializeSourcesFile(m_sources));
    if (status && !batch.authors.isEmpty() && m_saveSettings)
        status = m_saveSettings();
    if (!status) {
        // The transaction puts the files back as it ends.
        m_sources = sourcesBefore;
        m_authors = authorsBefore;
        *m_maxAuthorId = maxAuthorIdBefore;
        return status;
    }
    transaction.Commit();
    Tell(!batch.sources.isEmpty(), !batch.authors.isEmpty());
    return FileStatus::Ok();
}

// --- The copies notes carry --------------------------------------------------------------

void SourceStore::FillAttachedSources(NotesList& notes) const
{
    m_attached.Check(SourcesFilePath(), AuthorsFilePath());
    for (NoteRecord& note : notes) {
        const std::shared_ptr<const SourceRecord> source
            = note.SourceID > 0 ? m_attached.Formatted(note.SourceID, m_authors) : nullptr;
        note.AttachedSource = source ? *source : SourceRecord();
    }
}

void SourceStore::FillAttachedSources(ListedNotes& notes) const
{
    m_attached.Check(SourcesFilePath(), AuthorsFilePath());
    for (ListedNote& note : notes)
        note.Source = note.SourceID > 0 ? m_attached.Formatted(note.SourceID, m_authors) : nullptr;
}

// --- The import's batch ------------------------------------------------------------------

SourceStore::ImportBatch::ImportBatch(SourceStore& store)
    : m_store(store)
    , m_sourcesBefore(store.m_sources)
    , m_authorsBefore(store.m_authors)
    , m_maxAuthorIdBefore(*store.m_maxAuthorId)
{
    // Sources and authors change in memory before their files do.
    m_store.m_attached.Forget();
    // Backwards, so that the first of a GUID given twice wins.
    for (qsizetype i = store.m_sources.size() - 1; i >= 0; --i)
        m_byGuid.insert(store.m_sources.at(i).SourceGUID, i);
}

SourceStore::ImportBatch::~ImportBatch()
{
    m_store.m_attached.Forget();
    if (m_committed)
        return;
    m_store.m_sources = m_sourcesBefore;
    m_store.m_authors = m_authorsBefore;
    *m_store.m_maxAuthorId = m_maxAuthorIdBefore;
}

const SourceRecord* SourceStore::ImportBatch::FindByGuid(const QString& guid) const
{
    const auto found = m_byGuid.constFind(guid);
    return found != m_byGuid.cend() ? &m_store.m_sources.at(*found) : nullptr;
}

qint32 SourceStore::ImportBatch::MatchOrAddAuthor(const AuthorRecord& incoming)
{
    for (const AuthorRecord& known : std::as_const(m_store.m_authors)) {
        if (SameNames(known, incoming))
            return known.AuthorId;
    }
    AuthorRecord added = incoming;
    // Stored with the settings when the import stores its counters.
    added.AuthorId = NextAuthorId(*m_store.m_maxAuthorId);
    m_store.m_authors.append(added);
    return added.AuthorId;
}

qint32 SourceStore::ImportBatch::AddSource(SourceRecord source)
{
    source.SourceId = m_store.NextSourceId();
    if (!m_byGuid.contains(source.SourceGUID))
        m_byGuid.insert(source.SourceGUID, m_store.m_sources.size());
    m_store.m_sources.append(source);
    return source.SourceId;
}

QByteArray SourceStore::ImportBatch::SourcesFileBytes() const
{
    return SerializeSourcesFile(m_store.m_sources);
}

QByteArray SourceStore::ImportBatch::AuthorsFileBytes() const
{
    return SerializeAuthorsFile(m_store.m_authors);
}
