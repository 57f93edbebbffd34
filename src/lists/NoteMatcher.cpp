#include "lists/NoteMatcher.h"

#include "format/TextCodec.h"
#include "index/ShownText.h"
#include "richtext/RichRangeHighlighter.h"
#include "richtext/RtfFormat.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

static_assert(int(SearchQuery::None) == int(TextMatcher::None)
                  && int(SearchQuery::And) == int(TextMatcher::And)
                  && int(SearchQuery::Or) == int(TextMatcher::Or),
              "a query's operator is handed to the rules as it is");

namespace {

// The highlight a search leaves on the notes it found: the query, from which the
// highlighted copy of a note's text is made when it is asked for.
class SearchHighlight : public NoteHighlight
{
public:
    explicit SearchHighlight(const SearchQuery& query)
        : m_query(query)
    {
    }

    QString Apply(const QString& richText) const override
    {
        return NoteMatcher(m_query).HighlightedRtf(richText);
    }

private:
    SearchQuery m_query;
};

} // namespace

NoteMatcher::NoteMatcher(const SearchQuery& query)
    : m_highlight(std::make_shared<SearchHighlight>(query))
    , m_rules(query.Operator, query.Terms)
{
}

bool NoteMatcher::Match(NoteRecord& note) const
{
    note.Highlight.reset();
    if (note.RichText.isEmpty())
        return false;
    if (!m_rules.ShownTextMatches(RtfReader::ReadShownText(RtfBytesOfText(note.RichText))))
        return false;
    note.Highlight = m_highlight;
    return true;
}

bool NoteMatcher::MatchesStoredRichText(const char* richText, qsizetype length) const
{
    if (length == 0)
        return false;
    return m_rules.ShownTextMatches(ShownTextOfStoredRtf(richText, length));
}

QString NoteMatcher::HighlightedRtf(const QString& richText) const
{
    // Read once: the text shown is searched, and the same document gets the highlight.
    RichDocument document = RtfReader::Read(RtfBytesOfText(richText));
    QList<QPair<int, int>> ranges;
    m_rules.FindAllHits(document.PlainText(), &ranges);
    // As HighlightRtfRanges does, on the document already read.
    RichRangeHighlighter::Apply(document, ranges, RtfFormat::kSearchHighlight);
    return TextCodec::FromFileBytes(RtfWriter::Write(document));
}

bool MatchNote(const SearchQuery& query, NoteRecord& note)
{
    return NoteMatcher(query).Match(note);
}

QString HighlightedText(const NoteRecord& note)
{
    return note.Highlight ? note.Highlight->Apply(note.RichText) : QString();
}
