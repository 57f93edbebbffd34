// The small RTF helpers: plain text, RTF from plain text, zoom and the search highlight.

#include "richtext/RtfText.h"

#include "richtext/RtfReader.h"

#include <gtest/gtest.h>

namespace {

const char* const kRichEditNote
    = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 "
      "Calibri;}}\r\n{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
      "\\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang9 Pear and \\b APPLE\\b0  pie\\par\r\n"
      "Second line\\par\r\n}\r\n";

TEST(RtfText, PlainTextJoinsParagraphsWithNewLines)
{
    EXPECT_EQ(RtfToPlainText(kRichEditNote).toStdString(), "Pear and APPLE pie\nSecond line");
    EXPECT_EQ(RtfToPlainText("{\\rtf1 a\\line b\\tab c}").toStdString(), "a\nb\tc");
    EXPECT_EQ(RtfToPlainText(QByteArray()).toStdString(), "");
}

TEST(RtfText, PlainTextBecomesAMinimalRtfDocument)
{
    const QString text = QString::fromUtf16(u"First {line} with \\ and é\r\nSecond\tline\n\nFourth");
    const QByteArray rtf = PlainTextToRtf(text);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("\\u233?"));
    EXPECT_TRUE(rtf.contains("\\{line\\}"));
    EXPECT_EQ(RtfToPlainText(rtf).toStdString(),
              QString::fromUtf16(u"First {line} with \\ and é\nSecond\tline\n\nFourth").toStdString());
    const RichDocument document = RtfReader::Read(rtf);
    ASSERT_EQ(document.paragraphs.size(), 4);
    EXPECT_TRUE(document.paragraphs[2].runs.isEmpty());
    EXPECT_EQ(document.paragraphs[0].runs[0].format.fontFamily.toStdString(), "Arial");
    EXPECT_EQ(RtfToPlainText(PlainTextToRtf(QString())).toStdString(), "");
}

TEST(RtfText, ZoomMultipliesEveryFontSizeAndTruncates)
{
    EXPECT_EQ(ZoomRtf("{\\rtf1\\fs24 x}", 1.5), QByteArray("{\\rtf1\\fs36 x}"));
    EXPECT_EQ(ZoomRtf("{\\rtf1\\fs22 a\\fs25 b\\fs0 c}", 1.1), QByteArray("{\\rtf1\\fs24 a\\fs27 b\\fs0 c}"));
    EXPECT_EQ(ZoomRtf("{\\rtf1\\fs25 x}", 0.5), QByteArray("{\\rtf1\\fs12 x}"));
    // Only the \fs control word: not other words that begin with fs, not \pnfs, not text.
    EXPECT_EQ(ZoomRtf("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}\\pnfs20\\\\fs24 \\'5cfs24}", 2.0),
              QByteArray("{\\rtf1{\\fonttbl{\\f0\\fswiss Arial;}}\\pnfs20\\\\fs24 \\'5cfs24}"));
    EXPECT_EQ(ZoomRtf(kRichEditNote, 1.0), QByteArray(kRichEditNote));
    const QByteArray zoomed = ZoomRtf(kRichEditNote, 2.0);
    EXPECT_EQ(RtfReader::Read(zoomed).paragraphs[0].runs[0].format.sizeHalfPoints, 44);
}

TEST(RtfText, HighlightColoursTheRangesOnly)
{
    // "Pear and APPLE pie\nSecond line": APPLE is 9..14, "Second" 19..25.
    const QByteArray highlighted = HighlightRtfRanges(kRichEditNote, {{9, 5}, {0, 4}, {19, 6}});
    EXPECT_TRUE(highlighted.contains("\\red255\\green142\\blue40")) << highlighted.toStdString();
    const RichDocument before = RtfReader::Read(kRichEditNote);
    const RichDocument after = RtfReader::Read(highlighted);
    EXPECT_EQ(after.PlainText(), before.PlainText());
    ASSERT_EQ(after.paragraphs.size(), 2);
    const QList<RichRun>& runs = after.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 4);
    EXPECT_EQ(runs[0].text.toStdString(), "Pear");
    EXPECT_EQ(runs[0].format.backgroundColour, std::optional<quint32>(0xFF8E28));
    EXPECT_EQ(runs[1].text.toStdString(), " and ");
    EXPECT_EQ(runs[1].format.backgroundColour, std::nullopt);
    EXPECT_EQ(runs[2].text.toStdString(), "APPLE");
    EXPECT_TRUE(runs[2].format.bold) << "the hit keeps its own format";
    EXPECT_EQ(runs[2].format.backgroundColour, std::optional<quint32>(0xFF8E28));
    EXPECT_EQ(runs[3].format.backgroundColour, std::nullopt);
    EXPECT_EQ(after.paragraphs[1].runs[0].text.toStdString(), "Second");
    EXPECT_EQ(after.paragraphs[1].runs[0].format.backgroundColour, std::optional<quint32>(0xFF8E28));
    // Apart from the highlight nothing changed.
    RichDocument stripped = after;
    for (RichParagraph& paragraph : stripped.paragraphs) {
        for (RichRun& run : paragraph.runs)
            run.format.backgroundColour.reset();
    }
    stripped.Normalize();
    EXPECT_TRUE(stripped == before);
}

TEST(RtfText, HighlightRangesMayCrossParagraphsAndRunPastTheEnd)
{
    const QByteArray rtf = "{\\rtf1 ab\\par cd\\par}";
    const RichDocument crossed = RtfReader::Read(HighlightRtfRanges(rtf, {{1, 3}})); // "b\nc"
    ASSERT_EQ(crossed.paragraphs.size(), 2);
    EXPECT_EQ(crossed.paragraphs[0].runs.size(), 2);
    EXPECT_EQ(crossed.paragraphs[0].runs[1].text.toStdString(), "b");
    EXPECT_TRUE(crossed.paragraphs[0].runs[1].format.backgroundColour.has_value());
    EXPECT_EQ(crossed.paragraphs[1].runs[0].text.toStdString(), "c");
    EXPECT_TRUE(crossed.paragraphs[1].runs[0].format.backgroundColour.has_value());
    EXPECT_FALSE(crossed.paragraphs[1].runs[1].format.backgroundColour.has_value());

    const RichDocument outside = RtfReader::Read(HighlightRtfRanges(rtf, {{-3, 2}, {10, 4}, {1, 0}}));
    EXPECT_TRUE(outside == RtfReader::Read(rtf));
    const RichDocument tail = RtfReader::Read(HighlightRtfRanges(rtf, {{4, 100}}));
    EXPECT_EQ(tail.paragraphs[1].runs.size(), 2);
    EXPECT_EQ(tail.paragraphs[1].runs[1].text.toStdString(), "d");
}

} // namespace
