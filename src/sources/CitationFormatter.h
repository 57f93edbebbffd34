#pragma once

#include "format/SourceRecord.h"
#include "sources/NameList.h"

#include <QString>

// Turning a source into its citation: a plain text (CitationText) plus marks, each a
// kind and an inclusive range of QString indices into that text.

namespace MarkKind {
constexpr int Italic = 1;
constexpr int Bold = 2;
constexpr int Underline = 3;
} // namespace MarkKind

// Rebuilds Marks, AuthorsText, Field 2 (the date text) and CitationText of the source in
// its Style and Type. Ids in AuthorIds that name no author in authors are removed first.
// A Type outside 1 to 7 leaves the citation text, date text and AuthorsText as they were;
// a Style outside 0 to 13 gives an empty citation.
void FormatCitation(SourceRecord& source, const AuthorList& authors);

// Field index's text between prefix and suffix + suffix2, or empty when the field is
// empty. With ordinal set a text holding no letters and none of ",.;[]=-!@#$%^&*()_+{}|:<>?"
// is first given its ordinal ending ("2" becomes "2nd", "3/4" becomes "3/4th").
QString AppendField(const SourceRecord& source, int index, const QString& prefix, const QString& suffix,
                    const QString& suffix2, bool ordinal);
// True when the field's text is not empty.
bool IsFieldSet(const SourceRecord& source, int index);
// Marks the first occurrence in citation of the field's text (without surrounding
// blanks). Texts of one character, and texts not found, get no mark.
void MarkField(SourceRecord& source, int index, int kind, const QString& citation);
// "1st", "2nd", "3rd", "11th", "22nd", "113th", "10th"; empty stays empty.
QString MakeOrdinal(const QString& text);

// The name-list options of a style for a source type, with MaxNames taken from maxNames.
NameListOptions StyleNameListOptions(int style, int type, int maxNames);
// The strftime pattern of the date text (Field 2) of a style and type when the source
// has a full date: "%Y" for books, dissertations and the styles that write month and
// day later in the citation.
const char* StyleDatePattern(int style, int type);
// Field 2 as formatting writes it: empty without a date, the year alone when YearOnly is
// 1, else the style's pattern. Month names come from the C library's current locale.
QString DateText(const SourceRecord& source);
// The name list of the source in its style with the style's extra rule (upper case for
// ACM, no periods for Harvard) and a final "." when not empty.
QString AuthorsTextFor(const SourceRecord& source, const AuthorList& authors);
