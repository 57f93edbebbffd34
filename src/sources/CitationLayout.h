#pragma once

#include "format/SourceRecord.h"

#include <QList>
#include <QString>

// A citation wrapped for display in a fixed-pitch font, with its marks moved so that
// they cover the same characters as before.
struct CitationLayout
{
    QString Text;
    QList<qint32> MarkKinds;
    QList<qint32> MarkStarts; // inclusive indices into Text
    QList<qint32> MarkEnds;
};

// Wraps the source's CitationText (as FormatCitation left it) at width characters:
// lines break at the last blank that fits, or hard at the width when no blank does; the
// second and later lines begin after a line feed and IndentSpaces blanks (negative
// counts as 0), and from the first line broken at a blank on, lines are IndentSpaces
// narrower. A width of 0 or less leaves the trimmed text on one line.
CitationLayout LayoutCitation(const SourceRecord& source, int width);
