#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// One entry of an outside bibliography file (BibTeX, BibLaTeX, RIS, EndNote, MEDLINE,
// ISI, MODS, CSL-JSON), held in one vocabulary whatever format it came in: BibLaTeX's
// lower-case entry types and field names, values as plain Unicode text (no braces, no
// LaTeX). Each reader translates its own tags into this vocabulary and each writer from
// it; how an entry becomes one of our sources is written down once, in
// format/SourceMapping.md, and done in sources/SourceMapping.h.
//
// The fields used (others are kept and ignored):
//   title journaltitle booktitle maintitle eventtitle venue publisher organization
//   institution location volume number pages edition series chapter section type
//   entrysubtype howpublished url urldate doi isbn issn date note
// date is "YYYY", "YYYY-MM" or "YYYY-MM-DD" (the readers turn year, month and day, and
// each format's own date forms, into it).

// One person or body of an author or editor list. A literal name (a corporate author, or
// a name that could not be split) has only family set and literal true.
struct BibName
{
    QString family; // with its particles and suffix: "de la Fontaine", "King Jr."
    QString given; // the given names as written: "John M.", "J. R. R."
    bool literal = false;

    friend bool operator==(const BibName&, const BibName&) = default;
};

struct BibEntry
{
    QString type; // BibLaTeX entry type, lower case: "article", "book", "thesis"...
    QString key; // the citation key; empty when the file has none
    QList<QPair<QString, QString>> fields; // in file order, names lower case
    QList<BibName> authors;
    QList<BibName> editors;
    int line = 0; // the line of the file where the entry starts (1-based); 0 when unknown
    QString problem; // why the entry cannot be taken (a damaged entry); empty when sound

    // The value of a field, empty when missing.
    QString Field(const QString& name) const;
    bool Has(const QString& name) const { return !Field(name).isEmpty(); }
    // Replaces the field's value, or appends the field; an empty value removes it.
    void Set(const QString& name, const QString& value);
};

using BibEntries = QList<BibEntry>;

// The outcome of reading a whole file: its entries (damaged ones carry their problem),
// or the error that the file is not of its format at all.
struct BibReadResult
{
    BibEntries entries;
    QString error; // "... is not a BibTeX file: line 3: ..."; empty when read
    bool Ok() const { return error.isEmpty(); }
};
