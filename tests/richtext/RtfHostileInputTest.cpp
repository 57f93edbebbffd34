// Damaged and hostile RTF: the reader never crashes, never recurses without bound, always
// ends, and keeps what text it can.

#include "richtext/RtfReader.h"
#include "richtext/RtfText.h"
#include "richtext/RtfWriter.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

std::string Plain(const QByteArray& rtf)
{
    return RtfReader::Read(rtf).PlainText().toStdString();
}

TEST(RtfHostileInput, UnbalancedBracesCloseAtTheEndOrAreIgnored)
{
    EXPECT_EQ(Plain("{\\rtf1 {\\b open {\\i groups"), "open groups");
    EXPECT_EQ(Plain("{\\rtf1 text}}}} after the end"), "text");
    EXPECT_EQ(Plain("{\\rtf1 a}}}{{{b"), "a");
    EXPECT_EQ(Plain("{\\rtf1 trailing backslash\\"), "trailing backslash");
    // Control characters from broken escapes are no text.
    EXPECT_EQ(Plain("{\\rtf1 half hex\\'4"), "half hex");
    EXPECT_EQ(Plain("{\\rtf1 no hex\\'zz\\u1?}"), "no hexzz");
    EXPECT_EQ(Plain("{\\rtf1 \\u}"), "");
    EXPECT_EQ(Plain("{\\rtf1 {\\fonttbl{\\f0 Unended"), "");
    EXPECT_EQ(Plain("{\\rtf1 {\\colortbl\\red300\\green-5\\blue99999999;}\\cf1 x\\cf77 y}"), "xy");
}

TEST(RtfHostileInput, HugeNumbersAreClamped)
{
    EXPECT_EQ(Plain("{\\rtf1\\fs99999999999999999999 big\\fs-5 small}"), "bigsmall");
    const RichDocument document = RtfReader::Read("{\\rtf1\\fs99999999999999999999 big}");
    EXPECT_GT(document.paragraphs[0].runs[0].format.sizeHalfPoints, 0);
    EXPECT_EQ(Plain("{\\rtf1\\uc99999999999 \\u65 abc\\par d}"), "A\nd");
    EXPECT_EQ(Plain("{\\rtf1 a\\bin99999999999999 bcd}"), "a");
    EXPECT_EQ(Plain("{\\rtf1 a\\bin-5 b}"), "ab");
    EXPECT_EQ(Plain("{\\rtf1\\u99999999999?\\u-99999999999?\\u65536?}"), "\ufffd\ufffd\ufffd");
    EXPECT_EQ(Plain("{\\rtf1\\ansicpg99999999 \\'41}"), "A");
    EXPECT_EQ(Plain("{\\rtf1\\f99999999999 \\li-99999999999 x}"), "x");
}

TEST(RtfHostileInput, DeepNestingIsBounded)
{
    const int depth = 100000;
    QByteArray rtf = "{\\rtf1 start";
    rtf += QByteArray(depth, '{') + "\\b deep" + QByteArray(depth, '}') + " end}";
    EXPECT_EQ(Plain(rtf), "startdeep end");

    // Nesting inside skipped destinations, never closed.
    QByteArray skipped = "{\\rtf1 a{\\*\\x";
    skipped += QByteArray(depth, '{');
    EXPECT_EQ(Plain(skipped), "a");

    // Alternating opens and closes with formatting words at every level.
    QByteArray mixed = "{\\rtf1 ";
    for (int i = 0; i < depth; ++i)
        mixed += "{\\b\\i\\ul\\fs30 ";
    mixed += "x";
    EXPECT_EQ(Plain(mixed), "x");
}

TEST(RtfHostileInput, RandomInputNeverCrashesAndWhatIsReadSurvivesWriting)
{
    static const char* const pieces[] = {
        "{",
        "}",
        "\\par ",
        "\\b ",
        "\\i0 ",
        "\\u-3913?",
        "\\uc0 ",
        "\\uc5 ",
        "\\'e9",
        "\\'",
        "\\",
        "{\\*\\pn\\pnlvlbody",
        "{\\pntxta )}",
        "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt ",
        "\\cell ",
        "\\row ",
        "\\line ",
        "\\tab ",
        "{\\fonttbl{\\f1\\fcharset128 A;}",
        "\\f1 ",
        "\\'82\\'a0",
        "{\\colortbl;\\red1;",
        "\\cf1 ",
        "\\highlight1 ",
        "{\\pict ",
        "\\bin3 ",
        "\\ls1\\ilvl3 ",
        "{\\*\\listtable{\\list{\\listlevel\\levelnfc4{\\leveltext\\'02\\'00.;}",
        "\\upr{",
        "{\\*\\ud{",
        "\\v ",
        "\\pard ",
        "\\qc ",
        "\\li300 ",
        "text ",
        " ",
        "\\~",
        "\\-",
        ";",
    };
    QRandomGenerator random(20261205);
    for (int round = 0; round < 2000; ++round) {
        QByteArray rtf = "{\\rtf1 ";
        const int count = random.bounded(1, 120);
        for (int i = 0; i < count; ++i) {
            if (random.bounded(4) == 0) {
                rtf += static_cast<char>(random.bounded(256));
            } else {
                rtf += pieces[random.bounded(int(std::size(pieces)))];
            }
        }
        RichDocument document = RtfReader::Read(rtf);
        // The search's reading of the text alone agrees with the whole reading.
        ASSERT_EQ(RtfReader::ReadShownText(rtf).toStdString(), document.PlainText().toStdString())
            << "round " << round << ": " << rtf.toStdString();
        document.Normalize();
        const RichDocument again = RtfReader::Read(RtfWriter::Write(document));
        ASSERT_TRUE(again == document) << "round " << round << ": " << rtf.toStdString();
    }
    for (int round = 0; round < 500; ++round) {
        QByteArray bytes(random.bounded(0, 3000), Qt::Uninitialized);
        for (char& c : bytes)
            c = static_cast<char>(random.bounded(256));
        if (round % 2 == 0)
            bytes.prepend("{\\rtf1 ");
        RtfToPlainText(bytes);
        ZoomRtf(bytes, 1.5);
        HighlightRtfRanges(bytes, {{0, 5}, {3, 100000}});
    }
}

} // namespace
