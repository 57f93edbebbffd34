#include "editor/widgets/RichDocumentMapper.h"

#include "format/TextCodec.h"
#include "richtext/RichListNumbering.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfWriter.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <algorithm>

namespace RichDocumentMapper {
namespace {

    // The least room a label is given before the text, and a small gap after it, so that
    // labels such as "viii)" do not run into the text; the stored number tab is unchanged.
    constexpr int kLeastLabelRoom = 360;
    constexpr int kLabelGap = 60;

    int IntProperty(const QTextFormat& format, int property, int fallback = 0)
    {
        return format.hasProperty(property) ? format.intProperty(property) : fallback;
    }

    quint32 Rgb(const QColor& colour)
    {
        return (quint32(colour.red()) << 16) | (quint32(colour.green()) << 8) | quint32(colour.blue());
    }

    QColor Colour(quint32 rgb)
    {
        return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }

    std::optional<quint32> BrushColour(const QTextFormat& format, int property)
    {
        if (!format.hasProperty(property))
            return std::nullopt;
        const QBrush brush = format.brushProperty(property);
        if (brush.style() == Qt::NoBrush)
            return std::nullopt;
        return Rgb(brush.color());
    }

    RichParagraphFormat::Alignment AlignmentOf(Qt::Alignment alignment)
    {
        const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
        if (horizontal & Qt::AlignHCenter)
            return RichParagraphFormat::Alignment::Centre;
        if (horizontal & Qt::AlignRight)
            return RichParagraphFormat::Alignment::Right;
        if (horizontal & Qt::AlignJustify)
            return RichParagraphFormat::Alignment::Justify;
        return RichParagraphFormat::Alignment::Left;
    }

    Qt::Alignment QtAlignment(RichParagraphFormat::Alignment alignment)
    {
        switch (alignment) {
        case RichParagraphFormat::Alignment::Centre:
            return Qt::AlignHCenter;
        case RichParagraphFormat::Alignment::Right:
            return Qt::AlignRight;
        case RichParagraphFormat::Alignment::Justify:
            return Qt::AlignJustify;
        case RichParagraphFormat::Alignment::Left:
            break;
        }
        return Qt::AlignLeft;
    }

    void SetLineHeight(QTextBlockFormat& format, const RichParagraphFormat& paragraph)
    {
        if (paragraph.lineSpacing == 0)
            format.setLineHeight(100, QTextBlockFormat::SingleHeight);
        else if (paragraph.lineSpacingMultiple)
            format.setLineHeight(paragraph.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        else if (paragraph.lineSpacing < 0)
            format.setLineHeight(Pixels(-paragraph.lineSpacing), QTextBlockFormat::FixedHeight);
        else
            format.setLineHeight(Pixels(paragraph.lineSpacing), QTextBlockFormat::MinimumHeight);
    }

    QList<int> TabStopsOf(const QTextBlockFormat& format)
    {
        QList<int> stops;
        const QVariantList list = format.property(TabStops).toList();
        for (const QVariant& stop : list)
            stops.append(stop.toInt());
        return stops;
    }

    bool SameList(const QTextBlock& a, const QTextBlock& b)
    {
        return ParagraphFormat(a.blockFormat()).list == ParagraphFormat(b.blockFormat()).list;
    }

    // A shown paragraph carries its label in its text, so its margins are the model's own.
    QTextBlockFormat DisplayBlockFormat(const RichParagraphFormat& paragraph)
    {
        QTextBlockFormat format;
        SetParagraphFormat(format, paragraph);
        format.setLeftMargin(Pixels(paragraph.leftIndent));
        format.setTextIndent(Pixels(paragraph.firstLineIndent));
        return format;
    }

    QTextCharFormat DisplayCharFormat(const RichCharFormat& rich, double zoom)
    {
        QTextCharFormat format = TextCharFormat(rich);
        if (rich.fontFamily.isEmpty())
            format.setFontFamilies({QStringLiteral("Arial")});
        if (rich.sizeHalfPoints > 0)
            format.setFontPointSize(std::max(1.0, rich.sizeHalfPoints / 2.0 * zoom));
        return format;
    }

    QString ShownText(const RichRun& run)
    {
        QString text = run.text;
        if (IsWingdings(run.format.fontFamily))
            text.replace(QChar(kWingdingsArrow), QChar(kShownArrow));
        return text;
    }

} // namespace

bool IsWingdings(const QString& family)
{
    return family.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) == 0;
}

qreal Pixels(int twips)
{
    return twips / 15.0;
}

int Twips(qreal pixels)
{
    return qRound(pixels * 15.0);
}

RichParagraphFormat ParagraphFormat(const QTextBlockFormat& format)
{
    RichParagraphFormat paragraph;
    paragraph.alignment = AlignmentOf(format.alignment());
    paragraph.leftIndent = IntProperty(format, LeftIndent);
    paragraph.rightIndent = IntProperty(format, RightIndent);
    paragraph.firstLineIndent = IntProperty(format, FirstIndent);
    paragraph.spaceBefore = IntProperty(format, SpaceBefore);
    paragraph.spaceAfter = IntProperty(format, SpaceAfter);
    paragraph.lineSpacing = IntProperty(format, LineSpacing);
    paragraph.lineSpacingMultiple = format.boolProperty(LineMultiple);
    paragraph.tabStops = TabStopsOf(format);
    RichListFormat& list = paragraph.list;
    list.style = static_cast<RichListStyle>(IntProperty(format, ListStyle));
    list.start = IntProperty(format, ListStart, 1);
    list.level = IntProperty(format, ListLevel);
    list.numberTab = IntProperty(format, ListTab);
    list.textBefore = format.stringProperty(ListBefore);
    list.textAfter = format.stringProperty(ListAfter);
    return paragraph;
}

int LabelIndent(const RichParagraphFormat& paragraph)
{
    return std::max(0, paragraph.leftIndent + paragraph.firstLineIndent);
}

void SetParagraphFormat(QTextBlockFormat& format, const RichParagraphFormat& paragraph)
{
    format.setAlignment(QtAlignment(paragraph.alignment));
    format.setProperty(LeftIndent, paragraph.leftIndent);
    format.setProperty(RightIndent, paragraph.rightIndent);
    format.setProperty(FirstIndent, paragraph.firstLineIndent);
    format.setProperty(SpaceBefore, paragraph.spaceBefore);
    format.setProperty(SpaceAfter, paragraph.spaceAfter);
    format.setProperty(LineSpacing, paragraph.lineSpacing);
    format.setProperty(LineMultiple, paragraph.lineSpacingMultiple);
    QVariantList stops;
    QList<QTextOption::Tab> tabs;
    for (int stop : paragraph.tabStops) {
        stops.append(stop);
        tabs.append(QTextOption::Tab(Pixels(stop), QTextOption::LeftTab));
    }
    format.setProperty(TabStops, stops);
    format.setTabPositions(tabs);
    const RichListFormat& list = paragraph.list;
    format.setProperty(ListStyle, static_cast<int>(list.style));
    format.setProperty(ListStart, list.start);
    format.setProperty(ListLevel, list.level);
    format.setProperty(ListTab, list.numberTab);
    format.setProperty(ListBefore, list.textBefore);
    format.setProperty(ListAfter, list.textAfter);

    // A list paragraph's text starts after the label drawn in front of it.
    if (list.IsList()) {
        const int room = std::max(list.numberTab, kLeastLabelRoom) + kLabelGap;
        const int textStart = std::max(paragraph.leftIndent, LabelIndent(paragraph) + room);
        format.setLeftMargin(Pixels(textStart));
        format.setTextIndent(0);
    } else {
        format.setLeftMargin(Pixels(paragraph.leftIndent));
        format.setTextIndent(Pixels(paragraph.firstLineIndent));
    }
    format.setRightMargin(Pixels(paragraph.rightIndent));
    format.setTopMargin(Pixels(paragraph.spaceBefore));
    format.setBottomMargin(Pixels(paragraph.spaceAfter));
    SetLineHeight(format, paragraph);
}

RichCharFormat CharFormat(const QTextCharFormat& format, const QFont& defaultFont)
{
    RichCharFormat rich;
    const QStringList families = format.fontFamilies().toStringList();
    rich.fontFamily = families.isEmpty() ? defaultFont.family() : families.first();
    rich.fontCharset = IntProperty(format, FontCharset, -1);
    const qreal points
        = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : defaultFont.pointSizeF();
    rich.sizeHalfPoints = qRound((points > 0 ? points : 12.0) * 2);
    rich.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                            : defaultFont.bold();
    rich.italic = format.fontItalic();
    rich.underline = format.fontUnderline();
    rich.strikeOut = format.fontStrikeOut();
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        rich.verticalAlign = RichCharFormat::VerticalAlign::Superscript;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        rich.verticalAlign = RichCharFormat::VerticalAlign::Subscript;
    rich.textColour = BrushColour(format, QTextFormat::ForegroundBrush);
    rich.backgroundColour = BrushColour(format, QTextFormat::BackgroundBrush);
    if (format.isAnchor())
        rich.linkUrl = format.anchorHref();
    return rich;
}

QTextCharFormat TextCharFormat(const RichCharFormat& rich)
{
    QTextCharFormat format;
    if (!rich.fontFamily.isEmpty())
        format.setFontFamilies({rich.fontFamily});
    if (rich.fontCharset >= 0)
        format.setProperty(FontCharset, rich.fontCharset);
    if (rich.sizeHalfPoints > 0)
        format.setFontPointSize(rich.sizeHalfPoints / 2.0);
    format.setFontWeight(rich.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(rich.italic);
    format.setFontUnderline(rich.underline);
    format.setFontStrikeOut(rich.strikeOut);
    if (rich.verticalAlign == RichCharFormat::VerticalAlign::Superscript)
        format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (rich.verticalAlign == RichCharFormat::VerticalAlign::Subscript)
        format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (rich.textColour)
        format.setForeground(Colour(*rich.textColour));
    if (rich.backgroundColour)
        format.setBackground(Colour(*rich.backgroundColour));
    if (!rich.linkUrl.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(rich.linkUrl);
    }
    return format;
}

void ToDocument(const RichDocument& model, QTextDocument& document)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const RichParagraph& paragraph : model.paragraphs) {
        QTextBlockFormat blockFormat;
        SetParagraphFormat(blockFormat, paragraph.format);
        const QTextCharFormat blockChars
            = paragraph.runs.isEmpty() ? QTextCharFormat() : TextCharFormat(paragraph.runs.first().format);
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(blockChars);
        } else {
            cursor.insertBlock(blockFormat, blockChars);
        }
        first = false;
        for (const RichRun& run : paragraph.runs)
            cursor.insertText(ShownText(run), TextCharFormat(run.format));
    }
    cursor.endEditBlock();
    document.setModified(false);
}

void ToDisplayDocument(const RichDocument& model, QTextDocument& document, double zoom)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    RichListFormat previousList;
    int number = 0;
    bool first = true;
    for (const RichParagraph& paragraph : model.paragraphs) {
        if (first)
            cursor.setBlockFormat(DisplayBlockFormat(paragraph.format));
        else
            cursor.insertBlock(DisplayBlockFormat(paragraph.format));
        first = false;
        // Consecutive paragraphs with an equal list format count up from the first's start.
        const RichListFormat& list = paragraph.format.list;
        if (list.IsList()) {
            number = (list == previousList) ? number + 1 : list.start;
            const RichCharFormat labelFormat
                = paragraph.runs.isEmpty() ? RichCharFormat() : paragraph.runs.first().format;
            cursor.insertText(RichListNumbering::Label(list, number) + QLatin1Char('\t'),
                              DisplayCharFormat(labelFormat, zoom));
        }
        previousList = list;
        for (const RichRun& run : paragraph.runs)
            cursor.insertText(ShownText(run), DisplayCharFormat(run.format, zoom));
    }
    cursor.endEditBlock();
    document.setModified(false);
}

RichDocument FromDocument(const QTextDocument& document)
{
    RichDocument model;
    const QFont defaultFont = document.defaultFont();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RichParagraph paragraph;
        paragraph.format = ParagraphFormat(block.blockFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            RichRun run;
            run.format = CharFormat(fragment.charFormat(), defaultFont);
            // Embedded objects (pictures pasted in) are not part of a note's text.
            run.text = fragment.text().remove(QChar::ObjectReplacementCharacter);
            if (IsWingdings(run.format.fontFamily))
                run.text.replace(QChar(kShownArrow), QChar(kWingdingsArrow));
            paragraph.runs.append(run);
        }
        model.paragraphs.append(paragraph);
    }
    model.Normalize();
    return model;
}

QByteArray RtfBytes(const QString& richText)
{
    QByteArray bytes;
    bytes.reserve(richText.size());
    for (QChar c : richText) {
        if (c.unicode() < 0x80) {
            bytes.append(char(c.unicode()));
        } else {
            // RTF numbers are signed 16-bit.
            bytes.append("\\u");
            bytes.append(QByteArray::number(qint16(c.unicode())));
            bytes.append('?');
        }
    }
    return bytes;
}

void RtfToDocument(const QString& richText, QTextDocument& document)
{
    ToDocument(RtfReader::Read(RtfBytes(richText)), document);
}

void RtfToDisplayDocument(const QString& richText, QTextDocument& document, double zoom)
{
    ToDisplayDocument(RtfReader::Read(RtfBytes(richText)), document, zoom);
}

QString DocumentToRtf(const QTextDocument& document)
{
    return TextCodec::FromFileBytes(RtfWriter::Write(FromDocument(document)));
}

int ListNumber(const QTextBlock& block)
{
    const int start = ParagraphFormat(block.blockFormat()).list.start;
    int before = 0;
    for (QTextBlock previous = block.previous(); previous.isValid() && SameList(previous, block);
         previous = previous.previous())
        ++before;
    return start + before;
}

QString ListLabel(const QTextBlock& block)
{
    const RichListFormat list = ParagraphFormat(block.blockFormat()).list;
    if (!list.IsList())
        return QString();
    return RichListNumbering::Label(list, ListNumber(block));
}

} // namespace RichDocumentMapper
