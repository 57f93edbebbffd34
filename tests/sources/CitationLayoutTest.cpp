// Wrapping citations for display, and the labels of sources that share a title.
#include "sources/CitationLayout.h"

#include "sources/QtPrinters.h"
#include "sources/SameTitleLabel.h"
#include "sources/SourceNames.h"

#include <gtest/gtest.h>

namespace {

SourceRecord Citation(const QString& text, int indent)
{
    SourceRecord s;
    s.CitationText = text;
    s.IndentSpaces = indent;
    return s;
}

void AddMark(SourceRecord& s, int kind, int first, int last)
{
    s.MarkKinds.append(kind);
    s.MarkStarts.append(first);
    s.MarkEnds.append(last);
}

} // namespace

TEST(CitationLayoutTest, WrapsAtBlanksWithHangingIndent)
{
    // "aaaa bbbb cccc dddd" at width 10: the blank at 9 ends "aaaa bbbb"; then the width
    // shrinks by the indent of 2, so "cccc dddd" (9 > 8) breaks again.
    const SourceRecord s = Citation(QStringLiteral("  aaaa bbbb cccc dddd "), 2);
    EXPECT_EQ(LayoutCitation(s, 10).Text, QStringLiteral("aaaa bbbb\n  cccc\n  dddd"));
    EXPECT_EQ(LayoutCitation(s, 19).Text, QStringLiteral("aaaa bbbb cccc dddd"));
    EXPECT_EQ(LayoutCitation(s, 0).Text, QStringLiteral("aaaa bbbb cccc dddd"));
    // The blank exactly at the width counts.
    EXPECT_EQ(LayoutCitation(s, 4).Text, QStringLiteral("aaaa\n  bb\n  bb\n  cc\n  cc\n  dd\n  dd"));
}

TEST(CitationLayoutTest, HardBreaksAndNegativeIndent)
{
    // No blank within reach: the line is cut at the width, and the width stays.
    const SourceRecord s = Citation(QStringLiteral("abcdefghij klm"), -3);
    EXPECT_EQ(LayoutCitation(s, 4).Text, QStringLiteral("abcd\nefgh\nij\nklm"));
}

TEST(CitationLayoutTest, MarksFollowTheirCharacters)
{
    // Indent 3: "Smith, J. Long Title. Journal Name. " at width 16.
    SourceRecord s = Citation(QStringLiteral("Smith, J. Long Title. Journal Name. "), 3);
    AddMark(s, 1, 10, 19); // "Long Title"
    AddMark(s, 2, 22, 33); // "Journal Name"
    AddMark(s, 3, 0, 4); // "Smith"
    const CitationLayout layout = LayoutCitation(s, 16);
    // The first break narrows the lines to 13, which "Journal Name." just fits.
    const QString expected = QStringLiteral("Smith, J. Long\n   Title.\n   Journal Name.");
    ASSERT_EQ(layout.Text, expected);
    ASSERT_EQ(layout.MarkKinds, (QList<qint32> {1, 2, 3}));
    EXPECT_EQ(layout.MarkStarts[0], expected.indexOf(QStringLiteral("Long")));
    EXPECT_EQ(layout.MarkEnds[0], expected.indexOf(QStringLiteral("Title")) + 4);
    EXPECT_EQ(layout.MarkStarts[1], expected.indexOf(QStringLiteral("Journal")));
    EXPECT_EQ(layout.MarkEnds[1], expected.indexOf(QStringLiteral("Name")) + 3);
    EXPECT_EQ(layout.MarkStarts[2], 0);
    EXPECT_EQ(layout.MarkEnds[2], 4);
}

TEST(SameTitleLabelTest, UnderAnAuthor)
{
    SourceRecord a;
    a.AuthorsText = QStringLiteral("Smith J.");
    a.Fields[0] = QStringLiteral("Notes");
    a.Fields[2] = QStringLiteral("2001");
    a.Fields[3] = QStringLiteral("4");
    SourceRecord b = a;
    b.Fields[3] = QStringLiteral("5");
    SourceRecord other = a; // another author: not in the group
    other.AuthorsText = QStringLiteral("Doe J.");
    other.Fields[3] = QStringLiteral("4");
    const SourceList list = {a, b, other};
    // Same date text: the volume tells them apart.
    EXPECT_EQ(SameTitleLabelUnderAuthor(a, list), QStringLiteral("Vol. 4"));
    a.Type = SourceType::Periodical;
    EXPECT_EQ(SameTitleLabelUnderAuthor(a, {a, b}), QStringLiteral("Sec. 4"));

    // A separating candidate that the source itself lacks is passed over.
    SourceRecord c = b;
    c.Fields[2] = QStringLiteral("2003.");
    SourceRecord d = b;
    d.Fields[2].clear();
    d.Fields[7] = QStringLiteral("Ch 1");
    c.Fields[7] = QStringLiteral("Ch 2");
    EXPECT_EQ(SameTitleLabelUnderAuthor(c, {c, d}), QStringLiteral("2003"));
    EXPECT_EQ(SameTitleLabelUnderAuthor(d, {c, d}), QStringLiteral("\"Ch 1\""));
    SourceRecord e = d;
    EXPECT_EQ(SameTitleLabelUnderAuthor(d, {d, e}), QString());
}

TEST(SameTitleLabelTest, UnderAPublication)
{
    SourceRecord a;
    a.Fields[0] = QStringLiteral("Report");
    a.Fields[1] = QStringLiteral("Press");
    a.AuthorsText = QStringLiteral("Smith J.");
    a.Fields[4] = QStringLiteral("10-20");
    SourceRecord b = a;
    b.Fields[4] = QStringLiteral("30-40");
    EXPECT_EQ(SameTitleLabelUnderPublication(a, {a, b}), QStringLiteral("10-20"));
    b.AuthorsText = QStringLiteral("Doe J.");
    EXPECT_EQ(SameTitleLabelUnderPublication(b, {a, b}), QStringLiteral("Doe J"));
    // Nothing separates two identical sources: the label falls back to the authors.
    EXPECT_EQ(SameTitleLabelUnderPublication(a, {a, a}), QStringLiteral("Smith J"));
    // Field 7 is no candidate under a publication.
    SourceRecord c = a;
    SourceRecord d = a;
    c.Fields[7] = QStringLiteral("x");
    d.Fields[7] = QStringLiteral("y");
    EXPECT_EQ(SameTitleLabelUnderPublication(c, {c, d}), QStringLiteral("Smith J"));
}
