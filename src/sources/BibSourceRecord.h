#pragma once

#include "format/SourceRecord.h"

class FieldReader;
class FieldWriter;

// One source as the print program receives it, in "Bib.dat" and in "PrintPreview.nbf":
// SourceGUID, SourceId, AuthorsText, Style, Type, IndentSpaces, AuthorsBeforeEtAl,
// AuthorIds (Integer list), Fields (Text list), CitationText, then MarkKinds, MarkStarts
// and MarkEnds (three Integer lists). YearOnly, DateSet and Date are not part of it.

// Formats the source with its own style first, so that the citation and marks are current.
void WriteBibSourceRecord(FieldWriter& writer, SourceRecord& source, const AuthorList& authors);
// Reads one record; the three mark lists are cut to their common length and to marks
// that lie inside the citation text, so a damaged file cannot misplace a mark.
SourceRecord ReadBibSourceRecord(FieldReader& reader);
