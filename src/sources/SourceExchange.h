#pragma once

#include "format/SourceRecord.h"

class FieldReader;
class FieldWriter;

// The exchange form of one source inside export files (layout in SourceFormat.h): the
// stored record, the citation text and copies of its authors, so that an importing
// database can rebuild the source and its authors.

// Formats the source, fills its EmbeddedAuthors with a copy of each author of AuthorIds
// found in authors (in AuthorIds order; ids without an author are skipped) and writes it.
void WriteSourceExchange(FieldWriter& writer, SourceRecord& source, const AuthorList& authors);
// Reads one source written by a file of the given version. The exchange form always
// holds a SourceGUID and the full field list; files up to 1.20005 lack the date fields,
// which are then derived from the date text. Sets CitationText and EmbeddedAuthors.
SourceRecord ReadSourceExchange(FieldReader& reader, double version);
