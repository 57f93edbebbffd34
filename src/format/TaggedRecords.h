#pragma once

#include "format/BibEntry.h"

#include <QList>
#include <QRegularExpression>
#include <QString>

// The line-tagged bibliography formats (RIS, EndNote's tagged export) split into records
// of (tag, value, line). A line that does not start with a tag continues the value of
// the line before it.
struct TaggedLine
{
    QString tag;
    QString value;
    int line = 0;
};

struct TaggedRecord
{
    QList<TaggedLine> lines;
    int line = 0; // the record's first line
    QString problem; // set when the record is damaged

    QString First(const QString& tag) const;
    QStringList All(const QString& tag) const;
};

struct TaggedSyntax
{
    QRegularExpression tagLine; // captures the tag (1) and the value (2)
    QString startTag; // "TY", "0"
    QString endTag; // "ER"; empty: a blank line or the next start ends a record
    QString formatName; // "RIS", for messages
    QString example; // "TY  - JOUR"
};

struct TaggedReadResult
{
    QList<TaggedRecord> records;
    QString error; // the text is not of the format
};

TaggedReadResult ReadTaggedRecords(const QString& text, const TaggedSyntax& syntax, const QString& fileName);

// "Smith, John M." -> {Smith, John M.}; "King, Martin Luther, Jr." -> {"King Jr.",
// "Martin Luther"}. Without a comma the name is literal when literalWithoutComma is set,
// else "First Last" (the last word the family name). "World Health Organization," (a
// comma at the end and nothing after it) is literal when trailingCommaIsLiteral is set,
// else a family name alone.
BibName ParseCommaName(const QString& text, bool literalWithoutComma, bool trailingCommaIsLiteral);

// "2007/03/05/", "2007///", "2007-03-05", "2007" -> "2007-03-05", "2007"; empty when it
// holds no year.
QString DateFromSlashes(const QString& text);
