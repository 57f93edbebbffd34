#pragma once

#include "richtext/RichParagraph.h"

#include <QList>
#include <QString>

// A rich-text document: the paragraphs of a note, in order. This is what the RTF reader
// produces and the writer consumes, and what the editor maps to and from its text
// document: a paragraph is a text block with its block format, a run a fragment with its
// character format (a link is an anchor with the URL as href), a list format a text list
// whose indent is the paragraph's; U+2028 is the text document's own line separator. A document read from RTF
// has one paragraph per paragraph mark, plus one for text after the last mark.
struct RichDocument
{
    QList<RichParagraph> paragraphs;

    // The text a user sees: paragraphs joined by "\n", line breaks also as "\n", tabs
    // kept. "A\par B\par" gives "A\nB". Each paragraph break and line break is one
    // character, so positions in this text are positions in the document.
    QString PlainText() const;

    // Joins adjacent runs of equal format and drops empty runs.
    void Normalize();

    bool operator==(const RichDocument&) const = default;
};
