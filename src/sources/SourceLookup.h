#pragma once

#include "format/AuthorRecord.h"
#include "format/SourceRecord.h"

// Finding sources and authors and issuing their ids. Searches are linear and the first
// match wins; nullptr / -1 mean nothing was found.

int IndexOfSource(const SourceList& sources, qint32 sourceId);
const SourceRecord* FindSource(const SourceList& sources, qint32 sourceId);
SourceRecord* FindSource(SourceList& sources, qint32 sourceId);
int IndexOfAuthor(const AuthorList& authors, qint32 authorId);
const AuthorRecord* FindAuthor(const AuthorList& authors, qint32 authorId);

// The larger of 1000 and the highest SourceId, plus one: ids of sources made by this
// program start at 1001.
qint32 NextSourceId(const SourceList& sources);
// The "MaxAuthorID" setting plus one. The setting is bumped in place so that the caller
// stores it back at once and an id is never issued twice.
qint32 NextAuthorId(qint32& maxAuthorId);

// The copy of a source that a note carries for display: the source with that id, or a
// fresh default record when there is none.
SourceRecord AttachedSourceFor(const SourceList& sources, qint32 sourceId);
