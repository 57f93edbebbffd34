#pragma once

#include "richtext/RichDocument.h"

#include <QList>
#include <QPair>

// Gives ranges of a document's plain text (RichDocument::PlainText positions: start,
// length) a background colour, splitting runs where a range begins or ends. Ranges may
// overlap, cross paragraph breaks or reach past the end; the parts outside the text are
// ignored. Nothing else in the document changes.
class RichRangeHighlighter
{
public:
    static void Apply(RichDocument& document, const QList<QPair<int, int>>& ranges, quint32 colour);
};
