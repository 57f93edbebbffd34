// The line the drop-down of hits shows for a note: short enough for its width, and with the
// first hit in it wherever in the note that lies.
#include "index/TextMatcher.h"
#include "lists/SearchPreview.h"

#include <gtest/gtest.h>

namespace {

struct Line
{
    QString text;
    QList<QPair<int, int>> hits;
};

Line Of(const QString& shown, const QString& term)
{
    Line line;
    MakePreviewLine(shown, TextMatcher(TextMatcher::None, {term}), &line.text, &line.hits);
    return line;
}

// Every hit in the line is the term, whatever its case.
void ExpectHitsAreTheTerm(const Line& line, const QString& term)
{
    ASSERT_FALSE(line.hits.isEmpty()) << qPrintable(line.text);
    for (const auto& [start, length] : line.hits)
        EXPECT_EQ(line.text.mid(start, length).toCaseFolded(), term.toCaseFolded()) << qPrintable(line.text);
}

TEST(SearchPreviewLineTest, TheFirstLineWhenTheHitIsNearItsStart)
{
    const Line line
        = Of(QStringLiteral("Apple pie with pear\nsecond line with apple"), QStringLiteral("pear"));
    EXPECT_EQ(line.text, QStringLiteral("Apple pie with pear"));
    EXPECT_EQ(line.hits, (QList<QPair<int, int>> {{15, 4}}));

    const Line none = Of(QString(100, QLatin1Char('x')), QStringLiteral("pear"));
    EXPECT_EQ(none.text, QString(64, QLatin1Char('x')) + QStringLiteral("...")); // cut short
    EXPECT_TRUE(none.hits.isEmpty());
}

TEST(SearchPreviewLineTest, TheWordsAroundAHitFurtherOn)
{
    // Further along a long first line.
    const QString longLine
        = QStringLiteral("One two three four five six seven eight nine ten eleven twelve "
                         "thirteen fourteen Pear fifteen sixteen seventeen eighteen nineteen");
    const Line along = Of(longLine, QStringLiteral("pear"));
    EXPECT_TRUE(along.text.startsWith(QStringLiteral("One two three four five  ... ")));
    EXPECT_LE(along.text.size(), 24 + 5 + 40 + 3);
    EXPECT_TRUE(along.text.endsWith(QStringLiteral("...")));
    ExpectHitsAreTheTerm(along, QStringLiteral("pear"));

    // In a later line: the excerpt ends at the break after the hit.
    const Line later = Of(QStringLiteral("Title\nfirst body line\nthe crumble with pear, baked\nlast line"),
                          QStringLiteral("pear"));
    EXPECT_EQ(later.text, QStringLiteral("Title ... crumble with pear, baked"));
    ExpectHitsAreTheTerm(later, QStringLiteral("pear"));
}

} // namespace
