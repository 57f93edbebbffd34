#pragma once

#include "format/AuthorRecord.h"
#include "format/BibEntry.h"
#include "format/SourceRecord.h"

#include <QList>
#include <QString>

// The one mapping between entries of outside bibliography files (format/BibEntry.h, in
// BibLaTeX's vocabulary) and our sources: the entry type to one of the seven source
// types, the entry's fields to the fifteen fields, its date to Date/DateSet/YearOnly,
// its names to authors. Written down, with each format's own names, in
// format/SourceMapping.md; this is the code of that table, both ways, so that an
// export read back gives the same source.

// An entry as a source, before it is stored: Type, Fields and the date are set (Style,
// ids and GUID are the importer's); authors holds the author names in order, as records
// without ids. problem is set, and nothing else, when the entry cannot be a source (it
// is damaged, or it has no title).
struct MappedSource
{
    SourceRecord source;
    QList<AuthorRecord> authors;
    QString problem;
};

MappedSource SourceFromEntry(const BibEntry& entry);

// The source as an entry with the given citation key; authors holds the source's
// authors (ids of AuthorIds without an author are left out).
BibEntry EntryFromSource(const SourceRecord& source, const AuthorList& authors, const QString& key);

// A name as our author record: the first given name is FirstName, the rest MiddleInitial
// ("John M." -> John / M, "J. R. R." -> J / R. R, the period after a single letter
// dropped, since the formatter writes it); a literal name (a corporate author) is kept
// whole as FirstName, which every style prints as it is.
AuthorRecord AuthorFromName(const BibName& name);
// The reverse: "John M." from John / M; an author without a last name is literal.
BibName NameFromAuthor(const AuthorRecord& author);

// The "Editors" text of a book as names and back: "Ann Editor and Bob von Other" <->
// {Editor, Ann}, {Other, "Bob von"}; a text holding ",", ";" or "&" is one literal name.
QList<BibName> NamesFromEditorsText(const QString& text);
QString EditorsText(const QList<BibName>& names);
