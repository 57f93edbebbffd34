#pragma once

#include "format/AuthorRecord.h"
#include "format/FileStatus.h"
#include "format/FileSystem.h"
#include "format/SourceRecord.h"

#include <QString>

// Creating sources and authors: the rules and the rewrite of the file that holds the
// changed list. Paths are full paths of "Data Files\Sources.dat" and
// "Data Files\Authors.dat"; when the file cannot be written the list in memory is put
// back as it was and the failure is handed back. Deleting, with its questions, is
// SourceCommands'.

// A fresh source for the editor: the given default style (the "SourceFormat" setting),
// the next source id and a new GUID.
SourceRecord NewSourceRecord(const SourceList& sources, qint32 defaultStyle);
// Appends a source the user has filled in and rewrites the sources file.
FileStatus AddSource(FileSystem& files, SourceList& sources, const SourceRecord& source,
                     const QString& sourcesPath);

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
qint32 CreateAuthor(FileSystem& files, AuthorList& authors, const QString& first, const QString& middle,
                    const QString& last, qint32& maxAuthorId, const QString& authorsPath,
                    FileStatus* failure = nullptr);
// The first author whose three names equal the given ones trimmed, or 0.
qint32 FindAuthorByNames(const AuthorList& authors, const QString& first, const QString& middle,
                         const QString& last);
// "Update" of an author: the three names, trimmed, replace those of the author and the
// authors file is rewritten. Refused (false) when first and last name are both empty or
// no author has the id, or when the file cannot be written (the names put back, the
// failure in failure).
bool UpdateAuthorNames(FileSystem& files, AuthorList& authors, qint32 authorId, const QString& first,
                       const QString& middle, const QString& last, const QString& authorsPath,
                       FileStatus* failure = nullptr);
