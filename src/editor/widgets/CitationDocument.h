#pragma once

#include "format/SourceRecord.h"

class QTextDocument;

// A source's citation as rich text: its CitationText with each mark's characters in
// italics (kind 1), bold (2) or underlined (3). Marks outside the text are skipped.
namespace CitationDocument {

// Replaces the document's contents; an empty text leaves it empty.
void Fill(QTextDocument& document, const SourceRecord& source);

// The citation of a source that arrived with a note from elsewhere: formatted again from
// its own fields and the authors it brought, so that the marks are there as well; the
// text it arrived with when it cannot be formatted.
SourceRecord FormattedIncoming(const SourceRecord& source);

} // namespace CitationDocument
