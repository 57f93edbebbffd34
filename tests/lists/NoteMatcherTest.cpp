#include "lists/NoteMatcher.h"

#include "format/TextCodec.h"
#include "richtext/RtfFormat.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfText.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

NoteRecord NoteWithText(const QString& text)
{
    NoteRecord note;
    note.NoteID = 1;
    note.PlainText = text;
    note.RichText = QString::fromLatin1(PlainTextToRtf(text));
    return note;
}

SearchQuery Query(const QString& text)
{
    SearchQuery query;
    ParseQuery(text, &query);
    return query;
}

// The display text with each highlighted run in brackets: "[Pear] and [APPLE] pie".
QString Marked(const QString& displayText)
{
    RichDocument document = RtfReader::Read(displayText.toLatin1());
    document.Normalize(); // adjacent hits read as one run
    QString marked;
    for (int p = 0; p < document.paragraphs.size(); ++p) {
        if (p > 0)
            marked += QLatin1Char('\n');
        for (const RichRun& run : document.paragraphs[p].runs) {
            const bool lit = run.format.backgroundColour == RtfFormat::kSearchHighlight;
            marked += lit ? QLatin1Char('[') + run.text + QLatin1Char(']') : run.text;
        }
    }
    return marked;
}

// The highlighted text of a note after matching, or "no match".
QString Search(const QString& query, const QString& text)
{
    NoteRecord note = NoteWithText(text);
    NoteRecord stale = NoteWithText(QStringLiteral("stale"));
    MatchNote(Query(QStringLiteral("stale")), stale);
    note.Highlight = stale.Highlight;
    if (!MatchNote(Query(query), note))
        return note.Highlight ? QStringLiteral("stale highlight kept") : QStringLiteral("no match");
    return Marked(HighlightedText(note));
}

using Hits = QList<QPair<int, int>>;

} // namespace

TEST(NoteMatcherTest, OperatorsAndCase)
{
    EXPECT_EQ(Search(QStringLiteral("apple AND pear"), QStringLiteral("Pear and APPLE pie")),
              QStringLiteral("[Pear] and [APPLE] pie"));
    EXPECT_EQ(Search(QStringLiteral("apple AND pear"), QStringLiteral("an apple a day")),
              QStringLiteral("no match"));
    EXPECT_EQ(Search(QStringLiteral("apple OR pear"), QStringLiteral("one pear")),
              QStringLiteral("one [pear]"));
    EXPECT_EQ(Search(QStringLiteral("apple OR pear"), QStringLiteral("a fig")), QStringLiteral("no match"));
    // A single term is a phrase, searched as a substring.
    EXPECT_EQ(Search(QStringLiteral("salt and pepper"), QStringLiteral("Salt and Pepper, salt or pepper")),
              QStringLiteral("[Salt and Pepper], salt or pepper"));
    // Every occurrence of every term, across paragraphs.
    EXPECT_EQ(Search(QStringLiteral("ab OR cd"), QStringLiteral("abab cd\nxAB")),
              QStringLiteral("[abab] [cd]\nx[AB]"));
    // A query without terms finds nothing; SHOWALL is an ordinary word here.
    EXPECT_EQ(Search(QStringLiteral("AND"), QStringLiteral("AND")), QStringLiteral("no match"));
    EXPECT_EQ(Search(QStringLiteral("SHOWALL"), QStringLiteral("see showall")),
              QStringLiteral("see [showall]"));

    NoteRecord empty;
    empty.PlainText = QStringLiteral("apple");
    NoteRecord found = NoteWithText(QStringLiteral("apple"));
    ASSERT_TRUE(MatchNote(Query(QStringLiteral("apple")), found));
    empty.Highlight = found.Highlight;
    EXPECT_FALSE(MatchNote(Query(QStringLiteral("apple")), empty));
    EXPECT_FALSE(empty.Highlight);
    EXPECT_TRUE(HighlightedText(empty).isEmpty());
}

TEST(NoteMatcherTest, WholeWords)
{
    EXPECT_EQ(Search(QStringLiteral("\"cat\""), QStringLiteral("category cat, concat cat's (cat)")),
              QStringLiteral("category [cat], concat [cat]'s ([cat])"));
    EXPECT_EQ(Search(QStringLiteral("cat"), QStringLiteral("category cat")),
              QStringLiteral("[cat]egory [cat]"));
    EXPECT_EQ(Search(QStringLiteral("\"cat\""), QStringLiteral("category")), QStringLiteral("no match"));
    // The first and last characters go whatever they are: "cat without its closing quote
    // looks for the word ca.
    EXPECT_EQ(Search(QStringLiteral("\"cat"), QStringLiteral("cat ca")), QStringLiteral("cat [ca]"));
    EXPECT_TRUE(FindTermHits(QStringLiteral("x \" y"), QStringLiteral("\"")).isEmpty());
    // Letters beyond ASCII are word characters too.
    EXPECT_EQ(Search(QStringLiteral("\"\u00fcber\""), QStringLiteral("\u00dcberall \u00fcber \u00dcBER")),
              QStringLiteral("\u00dcberall [\u00fcber] [\u00dcBER]"));
    EXPECT_EQ(FindTermHits(QStringLiteral("\u00e9cat cat\u00e9 cat"), QStringLiteral("\"cat\"")),
              (Hits {{10, 3}}));
}

TEST(NoteMatcherTest, HitPositions)
{
    // The search goes on after each occurrence: no overlaps.
    EXPECT_EQ(FindTermHits(QStringLiteral("aaaaa"), QStringLiteral("aa")), (Hits {{0, 2}, {2, 2}}));
    EXPECT_EQ(FindTermHits(QStringLiteral("caTcat"), QStringLiteral("CAT")), (Hits {{0, 3}, {3, 3}}));
    // Positions count UTF-16 units: a character beyond the BMP takes two.
    const QString text = QStringLiteral("\U0001D49C cat \u4e2d\u6587 cat");
    EXPECT_EQ(FindTermHits(text, QStringLiteral("\"cat\"")), (Hits {{3, 3}, {10, 3}}));
    EXPECT_EQ(Search(QStringLiteral("\u6587 OR \"cat\""), text),
              QStringLiteral("\U0001D49C [cat] \u4e2d[\u6587] [cat]"));
    EXPECT_EQ(Search(QStringLiteral("\u00e9t\u00e9"), QStringLiteral("L'\u00c9T\u00c9 \u00e9t\u00e9")),
              QStringLiteral("L'[\u00c9T\u00c9] [\u00e9t\u00e9]"));
}

// Only the text the RTF shows is searched: a PlainText saved by another program, which
// may say something else, neither finds a note nor hides one.
TEST(NoteMatcherTest, OnlyTheShownTextIsSearched)
{
    NoteRecord note = NoteWithText(QStringLiteral("salt and pepper"));
    note.PlainText = QStringLiteral("salt. and. pepper. vinegar");
    EXPECT_TRUE(MatchNote(Query(QStringLiteral("and pepper")), note));
    EXPECT_FALSE(MatchNote(Query(QStringLiteral("vinegar")), note));
    const NoteMatcher matcher(Query(QStringLiteral("salt and")));
    const QByteArray rtf = note.RichText.toLatin1();
    EXPECT_TRUE(matcher.MatchesStoredRichText(rtf.constData(), rtf.size()));
}
