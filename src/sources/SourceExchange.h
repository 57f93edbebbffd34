#pragma once

#include "format/SourceExchangeRecord.h"
#include "format/SourceRecord.h"

class FieldWriter;

// The exchange form of one source inside export files (layout and reader in
// format/SourceExchangeRecord.h) carries the citation and copies of the source's authors.

// Formats the source and fills its EmbeddedAuthors with a copy of each author of
// AuthorIds found in authors (in AuthorIds order; ids without an author are skipped).
void PrepareSourceExchange(SourceRecord& source, const AuthorList& authors);
// Prepares the source, then writes it.
void WriteSourceExchange(FieldWriter& writer, SourceRecord& source, const AuthorList& authors);
