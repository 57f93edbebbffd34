#include "format/AuthorsFile.h"
#include "format/FileSystem.h"
#include "format/FileTransaction.h"
#include "format/Guid.h"
#include "format/SourcesFile.h"
#include "sources/CitationFormatter.h"
#include "store/NoteDatabase.h"

#include <QHash>

FileStatus NoteDatabase::AddSourceBatch(SourceBatch& batch)
{
    const SourceList sourcesBefore = m_sources;
    const AuthorList authorsBefore = m_authors;
    const qint32 maxNoteIdBefore = *m_maxNoteId;
    const qint32 maxAuthorIdBefore = *m_maxAuthorId;
    QHash<qint32, qint32> idOf;
    for (AuthorRecord& author : batch.authors) {
        const qint32 placeholder = author.AuthorId;
        author.AuthorId = ++*m_maxAuthorId;
        idOf.insert(placeholder, author.AuthorId);
        m_authors.append(author);
    }
    qint32 nextId = NextSourceId();
    for (SourceRecord& source : batch.sources) {
        source.SourceId = nextId++;
        source.SourceGUID = NewGuidText();
        for (qint32& id : source.AuthorIds)
            id = id < 0 ? idOf.value(id) : id;
        source.CitingNoteIds = NoteIdList();
        FormatCitation(source, m_authors);
        m_sources.append(source);
    }
    FileTransaction transaction(FileSystem::Current());
    FileStatus status;
    if (!batch.authors.isEmpty())
        status = transaction.Write(AuthorsFilePath(), SerializeAuthorsFile(m_authors));
    if (status && !batch.sources.isEmpty())
        status = transaction.Write(SourcesFilePath(), SerializeSourcesFile(m_sources));
    if (status && !batch.authors.isEmpty())
        status = StoreCounters();
    if (!status) {
        m_sources = sourcesBefore;
        m_authors = authorsBefore;
        RestoreCounters(maxNoteIdBefore, maxAuthorIdBefore);
        return status; // the transaction puts the files back
    }
    transaction.Commit();
    return FileStatus::Ok();
}
