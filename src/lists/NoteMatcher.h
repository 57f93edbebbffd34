#pragma once

#include "format/NoteRecord.h"
#include "index/TextMatcher.h"
#include "lists/SearchQuery.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <memory>

// Decides whether notes match a query, and highlights their hits, by the search's rules
// (TextMatcher) on the text the note view shows. A matcher changes nothing once made, so
// threads may share one.
class NoteMatcher
{
public:
    explicit NoteMatcher(const SearchQuery& query);

    // The rules of this query on a note's texts.
    const TextMatcher& Rules() const { return m_rules; }

    // The full test: clears note's Highlight, and on a match sets it to this query's
    // highlight (the RTF with every hit of every term highlighted is made only when asked
    // for). A note without RichText never matches.
    bool Match(NoteRecord& note) const;
    // The full test on a RichText field as a note file stores it: the same answer as Match
    // on the record read from it, without decoding the record. A note without RichText
    // never matches.
    bool MatchesStoredRichText(const char* richText, qsizetype length) const;
    // What Match leaves on a note that matched.
    const std::shared_ptr<const NoteHighlight>& Highlight() const { return m_highlight; }
    // The RTF richText with every hit of every term highlighted.
    QString HighlightedRtf(const QString& richText) const;

private:
    std::shared_ptr<const NoteHighlight> m_highlight;
    TextMatcher m_rules;
};

// Whether one note matches; sets or clears its Highlight.
bool MatchNote(const SearchQuery& query, NoteRecord& note);

// The note's RichText with every hit of the search that found it highlighted; empty when
// no search found it.
QString HighlightedText(const NoteRecord& note);
