#pragma once

#include "format/AuthorRecord.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QList>
#include <QString>

// The data of the differences report between an incoming note and the database note it
// would replace.
struct DifferenceRow
{
    QString label; // "Text Changed:", "         Level 1:", ... ; empty for attachment titles
    QString importValue;
    QString databaseValue;

    friend bool operator==(const DifferenceRow&, const DifferenceRow&) = default;
};

// Rows in report order: the dates always; then, when they differ, text lengths,
// categories (with one row per level that both notes have), source (type, title,
// publication, authors, date), key words; then the attachments when either note has
// any. The incoming source is the note's AttachedSource (with its embedded authors); the
// database note's source is looked up by its SourceID in sources (none: an empty source).
QList<DifferenceRow> BuildDifferenceRows(const NoteRecord& incoming, const NoteRecord& database,
                                         const SourceList& sources, const AuthorList& authors);

// "The import note is 2 days, 3 hours, and 4 minutes NEWER than the same note currently
// in the database." (or OLDER), from the two LastEdited values; empty when they are equal
// or either is not valid.
QString ImportAgeSentence(const DateTime& incoming, const DateTime& database);

// "%m/%d/%Y  -  %I:%M:%S %p", the form the report and the note viewer show dates in.
QString ImportDateText(const DateTime& value);
