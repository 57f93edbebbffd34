#pragma once

#include "format/SourceRecord.h"

class FieldReader;
class FieldWriter;

// The exchange form of one source, inside export files ("_ExpNotes.dat"), fields of
// format/FieldFormat.h back to back:
//   the "Sources.dat" source record up to and including Date (format/SourcesFile.h)
//   Text     CitationText
//   Integer  number of authors N, then N author records as in "Authors.dat"
// so that an importing database can rebuild the source and its authors. A note without a
// source carries a cleared one (SourceId -1, no authors).

// Writes the source as it is: its CitationText and EmbeddedAuthors must be current
// (sources/SourceExchange.h formats the source and gathers its authors first).
void WriteSourceExchangeRecord(FieldWriter& writer, const SourceRecord& source);
// Reads one source written by a file of the given version. The exchange form always
// holds a SourceGUID and the full field list; files up to 1.20005 lack the date fields,
// which are then derived from the date text. Sets CitationText and EmbeddedAuthors.
SourceRecord ReadSourceExchange(FieldReader& reader, double version);
