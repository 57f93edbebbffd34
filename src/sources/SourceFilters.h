#pragma once

#include "format/AuthorRecord.h"
#include "format/SourceRecord.h"

#include <QStringList>

// The three filters of "View Sources": by title (Field 0), by author text and by
// publication (Field 1).

// The author text a source is filtered by: its name list without punctuation, with
// initials, no blank after them, the middle name, "& " before the last name, ", "
// between names and at most 6 names ("Smith JM, & Doe J").
QString SourceFilterAuthorText(const SourceRecord& source, const AuthorList& authors);

// The entries of a filter drop-down after its "all" entry: the texts trimmed, empty
// ones skipped, a text equal to one already listed ignoring case left out, then sorted.
QStringList DistinctFilterValues(const QStringList& texts);

struct SourceFilter
{
    // An empty text is the "all" entry of its drop-down.
    QString title;
    QString author;
    QString publication;
};

// The sources that pass every filter, in list order. Each chosen text is trimmed and
// compared exactly with the source's text.
SourceList FilterSources(const SourceList& sources, const AuthorList& authors, const SourceFilter& filter);
