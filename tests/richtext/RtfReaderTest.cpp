// The RTF reader: code pages, Unicode escapes, skipped destinations, formats, lists,
// links and tables, each written the way rich-edit controls and word processors write them.

#include "richtext/RtfReader.h"

#include "richtext/CodePageDecoder.h"

#include <gtest/gtest.h>

namespace {

RichDocument Read(const char* rtf)
{
    return RtfReader::Read(QByteArray(rtf));
}

std::string Plain(const char* rtf)
{
    return Read(rtf).PlainText().toStdString();
}

std::string U8(const char16_t* text)
{
    return QString::fromUtf16(text).toStdString();
}

TEST(RtfReader, DecodesEightBitTextByDocumentAndFontCodePages)
{
    // Windows-1251 through \ansicpg, in hex escapes and in raw bytes.
    EXPECT_EQ(Plain("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil Arial;}}\\f0 "
                    "\\'cf\\'f0\\'e8\xe2\xe5\xf2}"),
              U8(u"Привет"));
    // Shift-JIS through the font's \fcharset128, with the document in 1252.
    EXPECT_EQ(Plain("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fnil\\fcharset128 MS Gothic;}}\\f0 "
                    "\\'82\\'a0\\'82\\'a2}"),
              U8(u"あい"));
    // GBK through \fcharset134.
    EXPECT_EQ(Plain("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}\\f0 \\'d6\\'d0\\'b9\\'fa}"),
              U8(u"中国"));
    // Mac Roman through \fcharset77: 8A is a-umlaut, A5 the bullet, D0 the en dash.
    EXPECT_EQ(Plain("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset77 Geneva;}}\\f0 \\'8a\\'a5\\'d0}"),
              U8(u"ä•–"));
    // And through \mac for the whole document.
    EXPECT_EQ(Plain("{\\rtf1\\mac \\'8a}"), U8(u"ä"));
    // A font change switches the code page in the middle of a line: 1252 e-acute, Greek omega.
    EXPECT_EQ(
        Plain("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset161 Arial Greek;}}"
              "\\f0\\'e9\\'80 \\f1\\'d9}"),
        U8(u"é€ Ω"));
    // A symbol font keeps the byte as the character: the Wingdings arrow is 224.
    EXPECT_EQ(Plain("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset2 Wingdings;}}\\f0\\'e0}"), U8(u"\u00e0"));
    // A font name in hex is decoded by its own charset.
    const RichDocument named
        = Read("{\\rtf1\\ansi{\\fonttbl{\\f0\\fnil\\fcharset128 \\'82\\'6c\\'82\\'72;}}\\f0 x}");
    EXPECT_EQ(named.paragraphs[0].runs[0].format.fontFamily.toStdString(), U8(u"ＭＳ"));
    EXPECT_EQ(named.paragraphs[0].runs[0].format.fontCharset, 128);
}

TEST(CodePageDecoder, DecodesWindowsAndMacCodePagesAndMarksInvalidBytes)
{
    EXPECT_EQ(CodePageDecoder::Decode(1252, QByteArray("\x80 \x93x\x94")).toStdString(), U8(u"€ “x”"));
    EXPECT_EQ(CodePageDecoder::Decode(1251, QByteArray("\xc4\xe0")).toStdString(), U8(u"Да"));
    EXPECT_EQ(CodePageDecoder::Decode(10000, QByteArray("\x8a\xa5")).toStdString(), U8(u"ä•"));
    EXPECT_EQ(CodePageDecoder::Decode(932, QByteArray("\x82\xa0")).toStdString(), U8(u"あ"));
    // A lead byte without its second byte is one replacement character; decoding goes on.
    EXPECT_EQ(CodePageDecoder::Decode(932, QByteArray("a\x82")).toStdString(), U8(u"a\ufffd"));
    // An unknown code page is read as 1252.
    EXPECT_EQ(CodePageDecoder::Decode(12345, QByteArray("\xe9")).toStdString(), U8(u"é"));
}

TEST(RtfReader, ReadsUnicodeEscapesAndSkipsTheirFallbacks)
{
    EXPECT_EQ(Plain("{\\rtf1\\uc1\\u1042?\\u1086?}"), U8(u"Во"));
    EXPECT_EQ(Plain("{\\rtf1{\\uc0\\u1042\\u1086 x}}"), U8(u"Воx"));
    EXPECT_EQ(Plain("{\\rtf1\\uc2\\u20013\\'d6\\'d0x}"), U8(u"中x"));
    EXPECT_EQ(Plain("{\\rtf1\\u-10179?\\u-9047?}"), U8(u"\U0001F4A9"));
    EXPECT_EQ(Plain("{\\rtf1\\u8220\\'93quoted\\u8221\\'94}"), U8(u"“quoted”"));
    // \uc belongs to its group; a group end also ends the skipping.
    EXPECT_EQ(Plain("{\\rtf1{\\uc2 \\u65 xx}\\u66 yz}"), "ABz");
    EXPECT_EQ(Plain("{\\rtf1\\uc3{\\u65 a}bc}"), "Abc");
}

TEST(RtfReader, SkipsPicturesUnknownDestinationsAndWordsButKeepsTheTextAround)
{
    EXPECT_EQ(Plain("{\\rtf1 before {\\pict\\pngblip\\picw10 89504e470d0a}after}"), "before after");
    EXPECT_EQ(Plain("{\\rtf1 a{\\*\\shppict{\\pict\\emfblip 0100}}{\\nonshppict{\\pict\\wmetafile8 0102}}b}"),
              "ab");
    EXPECT_EQ(Plain("{\\rtf1 a{\\pict\\bin5 }}}{{}b}"), "ab") << "binary data may hold braces";
    EXPECT_EQ(Plain("{\\rtf1 {\\*\\unknowndest {\\b hidden} text}visible}"), "visible");
    EXPECT_EQ(Plain("{\\rtf1 x\\unknownword y\\sgo-1 z}"), "xyz");
    EXPECT_EQ(
        Plain("{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}{\\header H}{\\footer F}"
              "text{\\footnote note}{\\*\\generator G;}.}"),
        "text.");
    EXPECT_EQ(Plain("{\\rtf1 shown {\\v hidden }again}"), "shown again");
    EXPECT_EQ(Plain("{\\rtf1 \\\\ \\{ \\} \\~\\-\\_}"), U8(u"\\ { } \u00a0\u00ad\u2011"));
}

TEST(RtfReader, KeepsCharacterFormat)
{
    const RichDocument document
        = Read("{\\rtf1{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fmodern Courier New;}}"
               "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
               "\\f0\\fs20 a\\b b\\i c\\b0\\i0\\ul d\\ulnone\\strike e\\strike0\\super f\\nosupersub\\sub "
               "g\\nosupersub"
               "\\cf1 h\\cf0\\highlight2 i\\highlight0\\f1\\fs32 j{\\b k}l\\b\\plain m}");
    ASSERT_EQ(document.paragraphs.size(), 1);
    const QList<RichRun>& runs = document.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 13);
    EXPECT_EQ(runs[0].text.toStdString(), "a");
    EXPECT_EQ(runs[0].format.fontFamily.toStdString(), "Arial");
    EXPECT_EQ(runs[0].format.sizeHalfPoints, 20);
    EXPECT_FALSE(runs[0].format.bold);
    EXPECT_TRUE(runs[1].format.bold);
    EXPECT_TRUE(runs[2].format.bold && runs[2].format.italic);
    EXPECT_TRUE(runs[3].format.underline && !runs[3].format.bold);
    EXPECT_TRUE(runs[4].format.strikeOut && !runs[4].format.underline);
    EXPECT_EQ(runs[5].format.verticalAlign, RichCharFormat::VerticalAlign::Superscript);
    EXPECT_EQ(runs[6].format.verticalAlign, RichCharFormat::VerticalAlign::Subscript);
    EXPECT_EQ(runs[7].format.textColour, std::optional<quint32>(0xFF0000));
    EXPECT_EQ(runs[8].format.textColour, std::nullopt);
    EXPECT_EQ(runs[8].format.backgroundColour, std::optional<quint32>(0x0000FF));
    EXPECT_EQ(runs[9].format.fontFamily.toStdString(), "Courier New");
    EXPECT_EQ(runs[9].format.fontCharset, -1);
    EXPECT_EQ(runs[9].format.sizeHalfPoints, 32);
    EXPECT_EQ(runs[9].format.backgroundColour, std::nullopt);
    EXPECT_TRUE(runs[10].format.bold);
    EXPECT_EQ(runs[11].text.toStdString(), "l");
    EXPECT_FALSE(runs[11].format.bold) << "the group restored the format";
    // \plain goes back to the default font and size.
    EXPECT_EQ(runs[12].format.fontFamily.toStdString(), "Arial");
    EXPECT_EQ(runs[12].format.sizeHalfPoints, 24);
    EXPECT_FALSE(runs[12].format.bold);
}

TEST(RtfReader, KeepsParagraphFormatInForceAtEachParagraphMark)
{
    const RichDocument document = Read("{\\rtf1\\pard\\sa200\\sl276\\slmult1 one\\line two\\par"
                                       "\\pard\\qc\\li720\\ri360\\fi-360\\sb120\\tx1440\\tx2880 centre\\par"
                                       "\\qr right\\par\\pard\\qj justified\\par\\pard last}");
    ASSERT_EQ(document.paragraphs.size(), 5);
    EXPECT_EQ(document.PlainText().toStdString(), "one\ntwo\ncentre\nright\njustified\nlast");
    EXPECT_EQ(document.paragraphs[0].Text().toStdString(), U8(u"one\u2028two"));
    const RichParagraphFormat& first = document.paragraphs[0].format;
    EXPECT_EQ(first.spaceAfter, 200);
    EXPECT_EQ(first.lineSpacing, 276);
    EXPECT_TRUE(first.lineSpacingMultiple);
    using Alignment = RichParagraphFormat::Alignment;
    const RichParagraphFormat& centre = document.paragraphs[1].format;
    EXPECT_EQ(centre.alignment, Alignment::Centre);
    EXPECT_EQ(centre.leftIndent, 720);
    EXPECT_EQ(centre.rightIndent, 360);
    EXPECT_EQ(centre.firstLineIndent, -360);
    EXPECT_EQ(centre.spaceBefore, 120);
    EXPECT_EQ(centre.spaceAfter, 0) << "\\pard reset it";
    EXPECT_EQ(centre.tabStops, QList<int>({1440, 2880}));
    EXPECT_EQ(document.paragraphs[2].format.alignment, Alignment::Right);
    EXPECT_EQ(document.paragraphs[2].format.leftIndent, 720) << "no \\pard: the indent stays";
    EXPECT_EQ(document.paragraphs[3].format.alignment, Alignment::Justify);
    EXPECT_EQ(document.paragraphs[4].format.alignment, Alignment::Left);
    // A paragraph mark at the end adds no empty paragraph; an empty document has none.
    EXPECT_EQ(Read("{\\rtf1 A\\par B\\par}").paragraphs.size(), 2);
    EXPECT_EQ(Read("{\\rtf1\\pard\\par}").PlainText().toStdString(), "");
    EXPECT_EQ(Read("{\\rtf1 }").paragraphs.size(), 0);
}

TEST(RtfReader, ReadsParagraphNumberingGroups)
{
    const RichDocument document
        = Read("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}"
               "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-"
               "360\\li720 Bullet\\par"
               "{\\pntext\\f1\\'B7\\tab}Bullet 2\\par"
               "\\pard{\\pntext\\f0 "
               "3)\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent300\\pnstart3\\pndec{\\pntxta)}}\\li300 Three\\par"
               "\\pard{\\*\\pn\\pnlvlbody\\pnlcltr\\pnstart1{\\pntxta.}}a\\par"
               "\\pard{\\*\\pn\\pnlvlbody\\pnucltr\\pnstart0{\\pntxtb(}{\\pntxta)}}A\\par"
               "\\pard{\\*\\pn\\pnlvlbody\\pnlcrm}i\\par"
               "\\pard{\\*\\pn\\pnlvlbody\\pnucrm}I\\par"
               "\\pard plain\\par}");
    ASSERT_EQ(document.paragraphs.size(), 8);
    EXPECT_EQ(document.PlainText().toStdString(), "Bullet\nBullet 2\nThree\na\nA\ni\nI\nplain");
    const RichListFormat& bullet = document.paragraphs[0].format.list;
    EXPECT_EQ(bullet.style, RichListStyle::Bullet);
    EXPECT_EQ(document.paragraphs[1].format.list, bullet) << "the numbering continues without \\pard";
    EXPECT_EQ(document.paragraphs[0].format.leftIndent, 720);
    const RichListFormat& three = document.paragraphs[2].format.list;
    EXPECT_EQ(three.style, RichListStyle::Arabic);
    EXPECT_EQ(three.start, 3);
    EXPECT_EQ(three.numberTab, 300);
    EXPECT_EQ(three.textAfter.toStdString(), ")");
    EXPECT_EQ(document.paragraphs[3].format.list.style, RichListStyle::LowerLetter);
    EXPECT_EQ(document.paragraphs[3].format.list.textAfter.toStdString(), ".");
    const RichListFormat& upper = document.paragraphs[4].format.list;
    EXPECT_EQ(upper.style, RichListStyle::UpperLetter);
    EXPECT_EQ(upper.start, 0);
    EXPECT_EQ(upper.textBefore.toStdString(), "(");
    EXPECT_EQ(document.paragraphs[5].format.list.style, RichListStyle::LowerRoman);
    EXPECT_EQ(document.paragraphs[6].format.list.style, RichListStyle::UpperRoman);
    EXPECT_FALSE(document.paragraphs[7].format.list.IsList());
}

TEST(RtfReader, ReadsListTableNumbering)
{
    const RichDocument document
        = Read("{\\rtf1{\\fonttbl{\\f0 Arial;}}"
               "{\\*\\listtable{\\list\\listtemplateid1"
               "{\\listlevel\\levelnfc0\\levelstartat3{\\leveltext\\leveltemplateid5\\'02\\'00.;}{"
               "\\levelnumbers\\'01;}\\fi-360\\li720}"
               "{\\listlevel\\levelnfc4\\levelstartat1{\\leveltext\\'03(\\'01);}{\\levelnumbers\\'02;}\\fi-"
               "360\\li1440}"
               "{\\listlevel\\levelnfc23{\\leveltext\\'01\\u-3913 ?;}}"
               "{\\listname ;}\\listid42}}"
               "{\\*\\listoverridetable{\\listoverride\\listid42\\listoverridecount0\\ls1}}"
               "\\pard\\ls1\\ilvl0\\fi-360\\li720{\\listtext 3.\\tab}Three\\par"
               "\\pard\\ls1\\ilvl1\\fi-360\\li1440{\\listtext (a)\\tab}Nested\\par"
               "\\pard\\ilvl2\\ls1{\\listtext\\'b7\\tab}Dot\\par"
               "\\pard After\\par}");
    ASSERT_EQ(document.paragraphs.size(), 4);
    EXPECT_EQ(document.PlainText().toStdString(), "Three\nNested\nDot\nAfter");
    const RichListFormat& top = document.paragraphs[0].format.list;
    EXPECT_EQ(top.style, RichListStyle::Arabic);
    EXPECT_EQ(top.start, 3);
    EXPECT_EQ(top.level, 0);
    EXPECT_EQ(top.textAfter.toStdString(), ".");
    const RichListFormat& nested = document.paragraphs[1].format.list;
    EXPECT_EQ(nested.style, RichListStyle::LowerLetter);
    EXPECT_EQ(nested.level, 1);
    EXPECT_EQ(nested.textBefore.toStdString(), "(");
    EXPECT_EQ(nested.textAfter.toStdString(), ")");
    EXPECT_EQ(document.paragraphs[1].format.leftIndent, 1440);
    EXPECT_EQ(document.paragraphs[2].format.list.style, RichListStyle::Bullet);
    EXPECT_FALSE(document.paragraphs[3].format.list.IsList());
}

TEST(RtfReader, HyperlinkFieldsGiveTheirResultTextWithTheUrl)
{
    const RichDocument document
        = Read("{\\rtf1 See {\\field{\\*\\fldinst{HYPERLINK \"https://example.org/a?b=1\" \\\\o \"tip\"}}"
               "{\\fldrslt{\\ul\\cf1 this project}}} and {\\field{\\*\\fldinst HYPERLINK \\\\l "
               "\"Part2\"}{\\fldrslt here}}"
               " or {\\field{\\*\\fldinst PAGE}{\\fldrslt 7}}.}");
    EXPECT_EQ(document.PlainText().toStdString(), "See this project and here or 7.");
    const QList<RichRun>& runs = document.paragraphs[0].runs;
    ASSERT_EQ(runs.size(), 5);
    EXPECT_EQ(runs[1].text.toStdString(), "this project");
    EXPECT_EQ(runs[1].format.linkUrl.toStdString(), "https://example.org/a?b=1");
    EXPECT_TRUE(runs[1].format.underline);
    EXPECT_EQ(runs[3].format.linkUrl.toStdString(), "#Part2");
    EXPECT_TRUE(runs[4].format.linkUrl.isEmpty()) << "only HYPERLINK fields are links";
}

TEST(RtfReader, TableCellsAreSeparatedByTabsAndRowsAreParagraphs)
{
    EXPECT_EQ(Plain("{\\rtf1\\trowd\\cellx1000\\cellx2000\\pard\\intbl a\\cell b\\cell\\row"
                    "\\pard\\intbl c\\cell d\\cell\\row\\pard after\\par}"),
              "a\tb\nc\td\nafter");
}

TEST(RtfReader, TakesTextThatIsNotRtfAsPlainLines)
{
    const RichDocument document = RtfReader::Read(QByteArray("first line\r\nsecond \xe9"));
    ASSERT_EQ(document.paragraphs.size(), 2);
    EXPECT_EQ(document.PlainText().toStdString(), U8(u"first line\nsecond é"));
    EXPECT_TRUE(RtfReader::Read(QByteArray()).paragraphs.isEmpty());
}

} // namespace
