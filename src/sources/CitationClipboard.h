#pragma once

#include "format/SourceRecord.h"

#include <QByteArray>
#include <QString>

// Formatted citations as a word processor takes them from the clipboard: HTML and RTF
// that carry the italic, bold and underline marks, and plain text. Each source is one
// paragraph (with a hanging indent of its IndentSpaces in the rich forms); a character
// takes the kind of the first mark that covers it, as the citation windows draw it.
//
//   "Doe, J. (2007). Cell growth. Nature Today, 12(3), 45-50." with italic marks over
//   "Nature Today" and "12(3)" gives the HTML run "<i>Nature Today</i>" and the RTF group
//   "{\i Nature Today}".
struct CitationClip
{
    QString plain; // the citations trimmed, one a line
    QString html; // a complete HTML document
    QByteArray rtf; // a complete RTF document (7-bit, other characters as \uN?)
};

// The sources must be formatted (FormatCitation) so that CitationText and the marks are
// current.
CitationClip CitationClipFor(const SourceList& formatted);
