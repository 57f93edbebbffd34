#pragma once

#include "format/SourceExchangeRecord.h"
#include "format/SourceRecord.h"

class FieldWriter;

// Writes the exchange form of one source (layout and reader in
// format/SourceExchangeRecord.h): formats the source, fills its EmbeddedAuthors with a
// copy of each author of AuthorIds found in authors (in AuthorIds order; ids without an
// author are skipped) and writes it.
void WriteSourceExchange(FieldWriter& writer, SourceRecord& source, const AuthorList& authors);
