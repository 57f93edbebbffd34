// Model -> RTF -> model keeps everything the model carries, and the RTF is what a rich-edit
// control expects.

#include "richtext/RichListNumbering.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <gtest/gtest.h>

namespace {

RichCharFormat Base()
{
    RichCharFormat format;
    format.fontFamily = QStringLiteral("Arial");
    format.fontCharset = 0;
    format.sizeHalfPoints = 20;
    return format;
}

RichParagraph Paragraph(std::initializer_list<RichRun> runs, RichParagraphFormat format = {})
{
    RichParagraph paragraph;
    paragraph.format = format;
    paragraph.runs = runs;
    return paragraph;
}

RichRun TextRun(const char16_t* text, RichCharFormat format = Base())
{
    return RichRun {format, QString::fromUtf16(text)};
}

void ExpectRoundTrip(const RichDocument& document)
{
    const QByteArray rtf = RtfWriter::Write(document);
    const RichDocument again = RtfReader::Read(rtf);
    EXPECT_EQ(again.PlainText().toStdString(), document.PlainText().toStdString()) << rtf.toStdString();
    ASSERT_EQ(again.paragraphs.size(), document.paragraphs.size()) << rtf.toStdString();
    for (qsizetype i = 0; i < document.paragraphs.size(); ++i) {
        EXPECT_TRUE(again.paragraphs[i].format == document.paragraphs[i].format)
            << "paragraph " << i << " format\n"
            << rtf.toStdString();
        EXPECT_TRUE(again.paragraphs[i].runs == document.paragraphs[i].runs) << "paragraph " << i << " runs\n"
                                                                             << rtf.toStdString();
    }
}

TEST(RtfRoundTrip, KeepsEveryCharacterAttribute)
{
    RichCharFormat bold = Base(), italic = Base(), underline = Base(), strike = Base();
    bold.bold = true;
    italic.italic = true;
    underline.underline = true;
    strike.strikeOut = true;
    RichCharFormat super = Base(), sub = Base(), red = Base(), marked = Base();
    super.verticalAlign = RichCharFormat::VerticalAlign::Superscript;
    sub.verticalAlign = RichCharFormat::VerticalAlign::Subscript;
    red.textColour = 0xFF0000;
    marked.backgroundColour = 0xFF8E28;
    RichCharFormat all = Base();
    all.bold = all.italic = all.underline = all.strikeOut = true;
    all.textColour = 0x000080;
    all.backgroundColour = 0xFFFF00;
    all.sizeHalfPoints = 36;
    all.fontFamily = QStringLiteral("Times New Roman");
    RichCharFormat courier = Base();
    courier.fontFamily = QStringLiteral("Courier New");
    courier.fontCharset = -1;
    courier.sizeHalfPoints = 17;
    RichCharFormat named = Base();
    named.fontFamily = QString::fromUtf16(u"ＭＳ ゴシック");
    named.fontCharset = 128;
    RichCharFormat arrow = Base();
    arrow.fontFamily = QStringLiteral("Wingdings");
    arrow.fontCharset = 2;
    RichCharFormat link = Base();
    link.linkUrl = QStringLiteral("https://example.org/p?q=\u00e9&r=\\x");
    link.underline = true;
    RichCharFormat linkBold = link;
    linkBold.bold = true;
    RichCharFormat defaultFont; // no font name, RTF's default size
    RichDocument document;
    document.paragraphs = {
        Paragraph({TextRun(u"plain "), TextRun(u"bold ", bold), TextRun(u"italic ", italic),
                   TextRun(u"under ", underline), TextRun(u"strike ", strike), TextRun(u"up", super),
                   TextRun(u"down", sub), TextRun(u" red", red), TextRun(u" hit", marked),
                   TextRun(u" all", all), TextRun(u" mono", courier)}),
        Paragraph({TextRun(u"日本 ", named), TextRun(u"\u00e0", arrow), TextRun(u" go to "),
                   TextRun(u"the ", link), TextRun(u"site", linkBold), TextRun(u" now"),
                   TextRun(u" bare", defaultFont)}),
    };
    ExpectRoundTrip(document);
}

TEST(RtfRoundTrip, KeepsTextThatNeedsEscapes)
{
    RichDocument document;
    document.paragraphs = {
        Paragraph({TextRun(u"Braces {x} and \\back\\slash; tab\there, line\u2028break")}),
        Paragraph({}), // an empty paragraph
        Paragraph({TextRun(u"Кириллица, 中文, ελληνικά, emoji \U0001F4A9, no-break\u00a0space, \u2014")}),
        Paragraph({TextRun(u" leading and trailing blanks  ")}),
        Paragraph({}),
    };
    ExpectRoundTrip(document);
    const QByteArray rtf = RtfWriter::Write(document);
    EXPECT_TRUE(rtf.contains("\\u1050?")) << "non-ASCII is written as \\uN?";
    EXPECT_TRUE(rtf.contains("\\u-10179?\\u-9047?")) << "a surrogate pair is two signed \\u";
    for (char c : rtf)
        EXPECT_GT(static_cast<unsigned char>(c), 0) << "RTF is 7-bit";
}

TEST(RtfRoundTrip, KeepsParagraphFormat)
{
    using Alignment = RichParagraphFormat::Alignment;
    RichParagraphFormat centre, right, justify, spaced;
    centre.alignment = Alignment::Centre;
    right.alignment = Alignment::Right;
    right.rightIndent = 144;
    justify.alignment = Alignment::Justify;
    justify.leftIndent = 720;
    justify.firstLineIndent = -360;
    spaced.spaceBefore = 120;
    spaced.spaceAfter = 200;
    spaced.lineSpacing = 276;
    spaced.lineSpacingMultiple = true;
    spaced.tabStops = {720, 1440, 3000};
    RichDocument document;
    document.paragraphs = {Paragraph({TextRun(u"left")}),
                           Paragraph({TextRun(u"centre")}, centre),
                           Paragraph({TextRun(u"centre too")}, centre),
                           Paragraph({TextRun(u"right")}, right),
                           Paragraph({TextRun(u"justify")}, justify),
                           Paragraph({TextRun(u"spaced")}, spaced),
                           Paragraph({TextRun(u"left again")})};
    ExpectRoundTrip(document);
}

TEST(RtfRoundTrip, KeepsBulletsAndTheFiveNumberingStylesWithStartsAndLevels)
{
    auto list = [](RichListStyle style, int start, int indent, const char* before, const char* after,
                   int level = 0) {
        RichParagraphFormat format;
        format.list.style = style;
        format.list.start = start;
        format.list.level = level;
        format.list.numberTab = style == RichListStyle::Bullet ? 0 : 300;
        format.list.textBefore = QString::fromLatin1(before);
        format.list.textAfter = QString::fromLatin1(after);
        format.leftIndent = indent;
        format.firstLineIndent = -300;
        return format;
    };
    const RichParagraphFormat bullet = list(RichListStyle::Bullet, 1, 150, "", "");
    const RichParagraphFormat arabic = list(RichListStyle::Arabic, 1, 300, "", ")");
    const RichParagraphFormat lower = list(RichListStyle::LowerLetter, 1, 600, "", ")");
    const RichParagraphFormat upper = list(RichListStyle::UpperLetter, 1, 900, "(", ")", 2);
    const RichParagraphFormat lowerRoman = list(RichListStyle::LowerRoman, 4, 1200, "", ".");
    const RichParagraphFormat upperRoman = list(RichListStyle::UpperRoman, 9, 1500, "", "");
    const RichParagraphFormat zero = list(RichListStyle::Arabic, 0, 300, "", ".");
    RichDocument document;
    document.paragraphs = {
        Paragraph({TextRun(u"dot one")}, bullet),      Paragraph({TextRun(u"dot two")}, bullet),
        Paragraph({TextRun(u"one")}, arabic),          Paragraph({TextRun(u"nested a")}, lower),
        Paragraph({TextRun(u"nested b")}, lower),      Paragraph({TextRun(u"deeper")}, upper),
        Paragraph({TextRun(u"two")}, arabic),          Paragraph({TextRun(u"roman iv")}, lowerRoman),
        Paragraph({TextRun(u"roman IX")}, upperRoman), Paragraph({TextRun(u"from zero")}, zero),
        Paragraph({TextRun(u"not a list")}),
    };
    ExpectRoundTrip(document);

    // Readers that do not number by themselves get the labels as text.
    const QByteArray rtf = RtfWriter::Write(document);
    EXPECT_TRUE(rtf.contains("{\\pntext\\f0 b)\\tab}")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("{\\pntext\\f0 (A)\\tab}"));
    EXPECT_TRUE(rtf.contains("{\\pntext\\f0 iv.\\tab}"));
    EXPECT_TRUE(rtf.contains("{\\pntext\\f0 IX\\tab}"));
    EXPECT_TRUE(rtf.contains("{\\pntext\\f0 0.\\tab}"));
    EXPECT_TRUE(rtf.contains("\\pnlvlblt"));
}

TEST(RtfRoundTrip, WritesTheHeaderRichEditControlsRead)
{
    RichCharFormat red = Base();
    red.textColour = 0xC00000;
    RichDocument document;
    document.paragraphs = {Paragraph({TextRun(u"x", red)})};
    const QByteArray rtf = RtfWriter::Write(document);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0")) << rtf.toStdString();
    EXPECT_TRUE(rtf.contains("{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}"));
    EXPECT_TRUE(rtf.contains("{\\colortbl ;\\red192\\green0\\blue0;}"));
    EXPECT_TRUE(rtf.trimmed().endsWith("\\par\r\n}"));
    // An empty document is still a document.
    EXPECT_TRUE(RtfReader::Read(RtfWriter::Write(RichDocument())).paragraphs.isEmpty());
}

TEST(RichListNumbering, LabelsFollowTheStyle)
{
    EXPECT_EQ(RichListNumbering::Number(RichListStyle::Arabic, 0).toStdString(), "0");
    EXPECT_EQ(RichListNumbering::Number(RichListStyle::LowerLetter, 1).toStdString(), "a");
    EXPECT_EQ(RichListNumbering::Number(RichListStyle::LowerLetter, 26).toStdString(), "z");
    EXPECT_EQ(RichListNumbering::Number(RichListStyle::UpperLetter, 28).toStdString(), "AB");
    EXPECT_EQ(RichListNumbering::Number(RichListStyle::LowerRoman, 1994).toStdString(), "mcmxciv");
    EXPECT_EQ(RichListNumbering::Number(RichListStyle::UpperRoman, 49).toStdString(), "XLIX");
    RichListFormat paren;
    paren.style = RichListStyle::Arabic;
    paren.textAfter = QStringLiteral(")");
    EXPECT_EQ(RichListNumbering::Label(paren, 12).toStdString(), "12)");
}

} // namespace
