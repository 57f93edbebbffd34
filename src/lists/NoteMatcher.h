#pragma once

#include "format/NoteRecord.h"
#include "lists/SearchQuery.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <memory>

// Decides whether notes match a query, and highlights their hits. A matcher changes
// nothing once made, so threads may share one.
//
// A note is searched in its text as the note view shows it (its RichText read as RTF).
// Each term is searched from the start of that text to its end, letter case ignored,
// continuing after each occurrence; a term written in double quotes loses its first and
// last characters and is searched as a whole word. A term with at least one occurrence
// is a hit. The note matches when some term is a hit and, for AND, every term is.
//
// Reading RTF is costly, so a note is first tried on its stored PlainText, which the
// editor saves from the same text: when no term that the rule needs occurs in it (as a
// substring, case ignored) the note cannot match and its RTF is never read. The test on
// the raw UTF-8 bytes of a note file (MayMatchBytes) decides exactly as the test on the
// decoded text (MayMatch), without decoding pure-ASCII terms.
class NoteMatcher
{
public:
    explicit NoteMatcher(const SearchQuery& query);

    // False only when a note with this PlainText cannot match. An empty PlainText tells
    // nothing, so it may match.
    bool MayMatch(const QString& plainText) const;
    // The same on the bytes of a PlainText field as a note file stores them.
    bool MayMatchBytes(const char* plainText, qsizetype length) const;

    // The full test: clears note's Highlight, and on a match sets it to this query's
    // highlight (the RTF with every hit of every term highlighted is made only when asked
    // for). A note without RichText never matches.
    bool Match(NoteRecord& note) const;
    // The full test on a RichText field as a note file stores it (after MayMatchBytes
    // passed on its PlainText): the same answer as Match on the record read from it,
    // without decoding the record. A note without RichText never matches.
    bool MatchesStoredRichText(const char* richText, qsizetype length) const;
    // What Match leaves on a note that matched.
    const std::shared_ptr<const NoteHighlight>& Highlight() const { return m_highlight; }
    // The RTF richText with every hit of every term highlighted.
    QString HighlightedRtf(const QString& richText) const;

private:
    struct Term
    {
        QString body; // without the quotes
        bool wholeWord = false;
        QByteArray asciiLower; // body lower-cased, when body is pure ASCII
        bool ascii = false;
    };

    // Combines per-term possibilities by the operator.
    bool Combine(const QList<bool>& possible) const;

    // The ranges of every hit of every term in the shown text, and the number of terms
    // with a hit.
    int FindAllHits(const QString& shown, QList<QPair<int, int>>* ranges) const;
    bool Matched(int hitTerms) const;
    // Whether the text as shown has enough hits to match: each term searched only up to
    // its first hit.
    bool ShownTextMatches(const QString& shown) const;

    std::shared_ptr<const NoteHighlight> m_highlight;
    int m_operator;
    QList<Term> m_terms;
};

// Occurrences of a term in text as (start, length) in QString positions, by the rules
// above (quotes ask for a whole word; an empty term has none).
QList<QPair<int, int>> FindTermHits(const QString& text, const QString& term);

// Whether one note matches; sets or clears its Highlight.
bool MatchNote(const SearchQuery& query, NoteRecord& note);

// The note's RichText with every hit of the search that found it highlighted; empty when
// no search found it.
QString HighlightedText(const NoteRecord& note);
