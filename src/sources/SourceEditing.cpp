#include "sources/SourceEditing.h"

#include "format/AuthorsFile.h"
#include "format/Guid.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "platform/UserPrompt.h"
#include "sources/NameList.h"
#include "sources/SourceLookup.h"

SourceRecord NewSourceRecord(const SourceList& sources, qint32 defaultStyle)
{
    SourceRecord source;
    source.Style = defaultStyle;
    source.SourceId = NextSourceId(sources);
    source.SourceGUID = NewGuidText();
    return source;
}

FileStatus AddSource(SourceList& sources, const SourceRecord& source, const QString& sourcesPath)
{
    sources.append(source);
    const FileStatus written = WriteSourcesFile(sourcesPath, sources);
    if (!written)
        sources.removeLast();
    return written;
}

namespace {

// A failed rewrite is told to the user and handed back to the caller.
void ReportFailure(const FileStatus& written, UserPrompt& prompt, FileStatus* failure)
{
    prompt.Tell(written.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
    if (failure)
        *failure = written;
}

} // namespace

DeleteSourceResult DeleteSource(SourceList& sources, qint32 sourceId,
                                const std::function<bool(const SourceRecord&)>& hasNotes, UserPrompt& prompt,
                                const QString& sourcesPath, FileStatus* failure)
{
    if (failure)
        *failure = FileStatus::Ok();
    const int index = IndexOfSource(sources, sourceId);
    if (index < 0)
        return DeleteSourceResult::NotFound;
    if (hasNotes && hasNotes(sources[index])) {
        prompt.Tell(QStringLiteral("This source has notes tied to it, you may not delete it."),
                    QStringLiteral("Notes Attached!"), UserPrompt::Icon::Warning);
        return DeleteSourceResult::HasNotes;
    }
    if (!prompt.AskYesNo(QStringLiteral("Do you wish to delete this source?"),
                         QStringLiteral("Delete Source?")))
        return DeleteSourceResult::Declined;
    const SourceRecord removed = sources.takeAt(index);
    if (const FileStatus written = WriteSourcesFile(sourcesPath, sources); !written) {
        sources.insert(index, removed);
        ReportFailure(written, prompt, failure);
        return DeleteSourceResult::NotWritten;
    }
    return DeleteSourceResult::Deleted;
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

qint32 CreateAuthor(AuthorList& authors, const QString& first, const QString& middle, const QString& last,
                    qint32& maxAuthorId, const QString& authorsPath, FileStatus* failure)
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
    if (const FileStatus written = WriteAuthorsFile(authorsPath, authors); !written) {
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

bool UpdateAuthorNames(AuthorList& authors, qint32 authorId, const QString& first, const QString& middle,
                       const QString& last, const QString& authorsPath, FileStatus* failure)
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
    if (const FileStatus written = WriteAuthorsFile(authorsPath, authors); !written) {
        authors[index] = before;
        if (failure)
            *failure = written;
        return false;
    }
    return true;
}

bool DeleteAuthor(AuthorList& authors, qint32 authorId, UserPrompt& prompt, const QString& authorsPath,
                  FileStatus* failure)
{
    if (failure)
        *failure = FileStatus::Ok();
    const int index = IndexOfAuthor(authors, authorId);
    if (index < 0)
        return false;
    const QString question = QStringLiteral("Deleting *%1* will remove it from any sources that contain it.  "
                                            "Do you wish to continue?")
                                 .arg(AuthorDisplayName(authors[index]));
    if (!prompt.AskYesNo(question, QStringLiteral("Delete Author?")))
        return false;
    // Sources keep the id until they are next formatted and saved.
    const AuthorRecord removed = authors.takeAt(index);
    if (const FileStatus written = WriteAuthorsFile(authorsPath, authors); !written) {
        authors.insert(index, removed);
        ReportFailure(written, prompt, failure);
        return false;
    }
    return true;
}
