#include "sources/SourceEditing.h"

#include "format/AuthorsFile.h"
#include "format/Guid.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "sources/SourceLookup.h"

SourceRecord NewSourceRecord(const SourceList& sources, qint32 defaultStyle)
{
    SourceRecord source;
    source.Style = defaultStyle;
    source.SourceId = NextSourceId(sources);
    source.SourceGUID = NewGuidText();
    return source;
}

FileStatus AddSource(FileSystem& files, SourceList& sources, const SourceRecord& source,
                     const QString& sourcesPath)
{
    sources.append(source);
    const FileStatus written = WriteSourcesFile(files, sourcesPath, sources);
    if (!written)
        sources.removeLast();
    return written;
}

QString SourceNoteFileName(qint32 sourceId)
{
    NoteRecord note;
    note.SourceID = sourceId;
    return NoteFileName(note);
}

bool NoteFileHasNotes(const QString& fullPath)
{
    return !ReadNoteFile(fullPath).isEmpty();
}

qint32 CreateAuthor(FileSystem& files, AuthorList& authors, const QString& first, const QString& middle,
                    const QString& last, qint32& maxAuthorId, const QString& authorsPath, FileStatus* failure)
{
    if (failure)
        *failure = FileStatus::Ok();
    AuthorRecord author;
    author.FirstName = first.trimmed();
    author.MiddleInitial = middle.trimmed();
    author.LastName = last.trimmed();
    if (author.FirstName.isEmpty() && author.LastName.isEmpty())
        return 0;
    const qint32 formerMax = maxAuthorId;
    author.AuthorId = NextAuthorId(maxAuthorId);
    authors.append(author);
    if (const FileStatus written = WriteAuthorsFile(files, authorsPath, authors); !written) {
        authors.removeLast();
        maxAuthorId = formerMax;
        if (failure)
            *failure = written;
        return 0;
    }
    return author.AuthorId;
}

qint32 FindAuthorByNames(const AuthorList& authors, const QString& first, const QString& middle,
                         const QString& last)
{
    for (const AuthorRecord& author : authors) {
        if (author.FirstName == first.trimmed() && author.MiddleInitial == middle.trimmed()
            && author.LastName == last.trimmed())
            return author.AuthorId;
    }
    return 0;
}

bool UpdateAuthorNames(FileSystem& files, AuthorList& authors, qint32 authorId, const QString& first,
                       const QString& middle, const QString& last, const QString& authorsPath,
                       FileStatus* failure)
{
    if (failure)
        *failure = FileStatus::Ok();
    const int index = IndexOfAuthor(authors, authorId);
    if (index < 0 || (first.trimmed().isEmpty() && last.trimmed().isEmpty()))
        return false;
    const AuthorRecord before = authors[index];
    AuthorRecord& author = authors[index];
    author.FirstName = first.trimmed();
    author.MiddleInitial = middle.trimmed();
    author.LastName = last.trimmed();
    if (const FileStatus written = WriteAuthorsFile(files, authorsPath, authors); !written) {
        authors[index] = before;
        if (failure)
            *failure = written;
        return false;
    }
    return true;
}
