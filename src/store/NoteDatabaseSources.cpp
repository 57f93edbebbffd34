// The operations of NoteDatabase on sources and authors.
#include "format/AuthorsFile.h"
#include "format/Guid.h"
#include "format/SourcesFile.h"
#include "sources/CitationFormatter.h"
#include "sources/SourceEditing.h"
#include "sources/SourceLookup.h"
#include "store/NoteDatabase.h"

#include <QHash>

SourceRecord* NoteDatabase::FindSource(qint32 sourceId)
{
    return ::FindSource(m_sources, sourceId);
}

const SourceRecord* NoteDatabase::FindSource(qint32 sourceId) const
{
    return ::FindSource(m_sources, sourceId);
}

const AuthorRecord* NoteDatabase::FindAuthor(qint32 authorId) const
{
    return ::FindAuthor(m_authors, authorId);
}

FileStatus NoteDatabase::WriteSources() const
{
    return WriteSourcesFile(SourcesFilePath(), m_sources);
}

FileStatus NoteDatabase::WriteAuthors() const
{
    return WriteAuthorsFile(AuthorsFilePath(), m_authors);
}

namespace {

bool Report(const FileStatus& status, FileStatus* failure)
{
    if (failure)
        *failure = status;
    return status.IsOk();
}

} // namespace

void NoteDatabase::FillAttachedSources(NotesList& notes) const
{
    // Read afresh, so that a note shows its source as last saved by any window.
    SourceList sources = LoadSourcesFile(SourcesFilePath());
    QHash<qint32, int> indexById;
    for (int i = static_cast<int>(sources.size()) - 1; i >= 0; --i)
        indexById.insert(sources.at(i).SourceId, i); // the first of equal ids wins
    // The citation is what a sort by source compares; each source is formatted once.
    QList<bool> formatted(sources.size(), false);
    for (NoteRecord& note : notes) {
        const auto found = note.SourceID > 0 ? indexById.constFind(note.SourceID) : indexById.cend();
        if (found == indexById.cend()) {
            note.AttachedSource = SourceRecord();
            continue;
        }
        if (!formatted.at(*found)) {
            FormatCitation(sources[*found], m_authors);
            formatted[*found] = true;
        }
        note.AttachedSource = sources.at(*found);
    }
}

void NoteDatabase::FillAttachedSources(ListedNotes& notes) const
{
    const SourceList sources = LoadSourcesFile(SourcesFilePath());
    QHash<qint32, int> indexById;
    for (int i = static_cast<int>(sources.size()) - 1; i >= 0; --i)
        indexById.insert(sources.at(i).SourceId, i); // the first of equal ids wins
    QHash<qint32, std::shared_ptr<const SourceRecord>> shared;
    for (ListedNote& note : notes) {
        const auto found = note.SourceID > 0 ? indexById.constFind(note.SourceID) : indexById.cend();
        if (found == indexById.cend()) {
            note.Source.reset();
            continue;
        }
        std::shared_ptr<const SourceRecord>& source = shared[note.SourceID];
        if (!source) {
            SourceRecord formatted = sources.at(*found);
            FormatCitation(formatted, m_authors);
            source = std::make_shared<const SourceRecord>(std::move(formatted));
        }
        note.Source = source;
    }
}

SourceRecord NoteDatabase::NewSource(qint32 sourceFormat) const
{
    return NewSourceRecord(m_sources, sourceFormat);
}

FileStatus NoteDatabase::AddSource(const SourceRecord& source)
{
    return ::AddSource(m_sources, source, SourcesFilePath());
}

bool NoteDatabase::UpdateSource(const SourceRecord& source, FileStatus* failure)
{
    Report(FileStatus::Ok(), failure);
    SourceRecord* stored = FindSource(source.SourceId);
    if (!stored)
        return false;
    const SourceRecord before = *stored;
    const bool typeChanged = stored->Type != source.Type;
    *stored = source;
    stored->CitingNoteIds = before.CitingNoteIds; // the index is the database's, not the editor's
    if (typeChanged)
        stored->SourceGUID = NewGuidText();
    if (const FileStatus written = WriteSources(); !written) {
        *FindSource(source.SourceId) = before;
        return Report(written, failure);
    }
    // A new type changes every citation of the source: its notes count as edited.
    if (typeChanged)
        return Report(StampNotesEdited(0, source.SourceId, DateTime::CurrentLocal()), failure);
    return true;
}

bool NoteDatabase::DeleteSource(qint32 sourceId, UserPrompt& prompt, FileStatus* failure)
{
    const auto hasNotes = [this](const SourceRecord& source) {
        return NoteFileHasNotes(m_folder.FullPath(SourceNoteFileName(source.SourceId)));
    };
    return ::DeleteSource(m_sources, sourceId, hasNotes, prompt, SourcesFilePath(), failure)
        == DeleteSourceResult::Deleted;
}

qint32 NoteDatabase::AddAuthor(AuthorRecord author, FileStatus* failure)
{
    Report(FileStatus::Ok(), failure);
    author.FirstName = author.FirstName.trimmed();
    author.MiddleInitial = author.MiddleInitial.trimmed();
    author.LastName = author.LastName.trimmed();
    if (author.FirstName.isEmpty() && author.LastName.isEmpty())
        return -1;
    const qint32 maxAuthorId = *m_maxAuthorId;
    FileStatus status;
    author.AuthorId = NextAuthorId(&status);
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
    return author.AuthorId;
}

bool NoteDatabase::UpdateAuthor(const AuthorRecord& author, FileStatus* failure)
{
    Report(FileStatus::Ok(), failure);
    const int index = IndexOfAuthor(m_authors, author.AuthorId);
    if (index < 0)
        return false;
    const AuthorRecord before = m_authors.at(index);
    m_authors[index] = author;
    const FileStatus written = WriteAuthors();
    if (!written)
        m_authors[index] = before;
    return Report(written, failure);
}

bool NoteDatabase::DeleteAuthor(qint32 authorId, UserPrompt& prompt, FileStatus* failure)
{
    return ::DeleteAuthor(m_authors, authorId, prompt, AuthorsFilePath(), failure);
}
