// The operations of NoteDatabase on sources and authors.
#include "format/AuthorsFile.h"
#include "format/Guid.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"
#include "platform/UserPrompt.h"
#include "sources/CitationFormatter.h"
#include "sources/NameList.h"
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

void NoteDatabase::WriteSources() const
{
    WriteSourcesFile(SourcesFilePath(), m_sources);
}

void NoteDatabase::WriteAuthors() const
{
    WriteAuthorsFile(AuthorsFilePath(), m_authors);
}

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

SourceRecord NoteDatabase::NewSource(qint32 sourceFormat) const
{
    SourceRecord source;
    source.Style = sourceFormat;
    source.SourceId = NextSourceId();
    source.SourceGUID = NewGuidText();
    return source;
}

void NoteDatabase::AddSource(const SourceRecord& source)
{
    m_sources.append(source);
    WriteSources();
}

bool NoteDatabase::UpdateSource(const SourceRecord& source)
{
    SourceRecord* stored = FindSource(source.SourceId);
    if (!stored)
        return false;
    const bool typeChanged = stored->Type != source.Type;
    const NoteIdList citing = stored->CitingNoteIds; // the index is the database's, not the editor's
    *stored = source;
    stored->CitingNoteIds = citing;
    if (typeChanged)
        stored->SourceGUID = NewGuidText();
    WriteSources();
    // A new type changes every citation of the source: its notes count as edited.
    if (typeChanged)
        StampNotesEdited(0, source.SourceId, DateTime::CurrentLocal());
    return true;
}

bool NoteDatabase::DeleteSource(qint32 sourceId, UserPrompt& prompt)
{
    // A source may go only while its note file holds no note.
    const auto hasNotes = [this](const SourceRecord& source) {
        NoteRecord probe;
        probe.SourceID = source.SourceId;
        return !ReadNoteFile(NoteFilePath(probe)).isEmpty();
    };
    return ::DeleteSource(m_sources, sourceId, hasNotes, prompt, SourcesFilePath())
        == DeleteSourceResult::Deleted;
}

qint32 NoteDatabase::AddAuthor(AuthorRecord author)
{
    const qint32 id = ::CreateAuthor(m_authors, author.FirstName, author.MiddleInitial, author.LastName,
                                     *m_maxAuthorId, AuthorsFilePath());
    if (id <= 0)
        return -1;
    SaveSettings(); // an issued author id is never issued again
    return id;
}

bool NoteDatabase::UpdateAuthor(const AuthorRecord& author)
{
    const int index = IndexOfAuthor(m_authors, author.AuthorId);
    if (index < 0)
        return false;
    m_authors[index] = author;
    WriteAuthors();
    return true;
}

bool NoteDatabase::DeleteAuthor(qint32 authorId, UserPrompt& prompt)
{
    return ::DeleteAuthor(m_authors, authorId, prompt, AuthorsFilePath());
}
