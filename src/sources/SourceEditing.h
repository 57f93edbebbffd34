#pragma once

#include "format/AuthorRecord.h"
#include "format/FileStatus.h"
#include "format/SourceRecord.h"

#include <QString>
#include <functional>

class UserPrompt;

// Creating and deleting sources and authors: the rules, questions and refusals, and the
// rewrite of the file that holds the changed list. Paths are full paths of
// "Data Files\Sources.dat" and "Data Files\Authors.dat"; when the file cannot be written
// the list in memory is put back as it was and the failure is handed back (shown through
// the prompt by the operations that take one).

// A fresh source for the editor: the given default style (the "SourceFormat" setting),
// the next source id and a new GUID.
SourceRecord NewSourceRecord(const SourceList& sources, qint32 defaultStyle);
// Appends a source the user has filled in and rewrites the sources file.
FileStatus AddSource(SourceList& sources, const SourceRecord& source, const QString& sourcesPath);

enum class DeleteSourceResult
{
    Deleted,
    HasNotes, // refused: "This source has notes tied to it, you may not delete it."
    Declined, // the user answered No
    NotFound,
    NotWritten, // the sources file could not be rewritten (shown); the source stays
};
// Refuses when hasNotes says the source's note file holds a note; otherwise asks "Do you
// wish to delete this source?" and on Yes removes it and rewrites the sources file. A
// failed rewrite is shown and also handed back in failure (Ok in every other case).
DeleteSourceResult DeleteSource(SourceList& sources, qint32 sourceId,
                                const std::function<bool(const SourceRecord&)>& hasNotes, UserPrompt& prompt,
                                const QString& sourcesPath, FileStatus* failure = nullptr);
// "Data Files\Notes\SRC0000001001.dat": the note file of the notes citing a source.
QString SourceNoteFileName(qint32 sourceId);
// True when the note file at fullPath holds at least one note (a missing file holds none).
bool NoteFileHasNotes(const QString& fullPath);

// Trims the three names; when first and last name are both empty nothing is created
// and 0 is returned (the editor beeps). Otherwise the author gets NextAuthorId (bumping
// maxAuthorId, which the caller stores back), is appended, the authors file is
// rewritten, and its id is returned.
// When the file cannot be written: 0, maxAuthorId and the list as they were, and the
// failure in failure.
qint32 CreateAuthor(AuthorList& authors, const QString& first, const QString& middle, const QString& last,
                    qint32& maxAuthorId, const QString& authorsPath, FileStatus* failure = nullptr);
// The first author whose three names equal the given ones trimmed, or 0.
qint32 FindAuthorByNames(const AuthorList& authors, const QString& first, const QString& middle,
                         const QString& last);
// "Update" of an author: the three names, trimmed, replace those of the author and the
// authors file is rewritten. Refused (false) when first and last name are both empty or
// no author has the id, or when the file cannot be written (the names put back, the
// failure in failure).
bool UpdateAuthorNames(AuthorList& authors, qint32 authorId, const QString& first, const QString& middle,
                       const QString& last, const QString& authorsPath, FileStatus* failure = nullptr);
// Asks "Deleting *Smith, John M.* will remove it from any sources that contain it.  Do
// you wish to continue?"; on Yes removes the author and rewrites the authors file.
// Sources keep the id until they are next formatted. False when declined, not found or
// not written (the failure shown, and handed back in failure).
bool DeleteAuthor(AuthorList& authors, qint32 authorId, UserPrompt& prompt, const QString& authorsPath,
                  FileStatus* failure = nullptr);
