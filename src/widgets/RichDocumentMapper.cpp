#include "widgets/RichDocumentMapper.h"

#include "richtext/RichListNumbering.h"
#include "richtext/RtfReader.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace RichDocumentMapper {
namespace {

    // Twips (1/20 point) to pixels at the 96 dots per inch the view lays out with.
    qreal TwipsToPixels(int twips)
    {
        return twips / 20.0 * 96.0 / 72.0;
    }

    int PixelsToTwips(qreal pixels)
    {
        return qRound(pixels * 72.0 / 96.0 * 20.0);
    }

    QColor FromRgb(quint32 rgb)
    {
        return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    }

    quint32 ToRgb(const QColor& colour)
    {
        return (quint32(colour.red()) << 16) | (quint32(colour.green()) << 8) | quint32(colour.blue());
    }

    QTextCharFormat CharFormat(const RichCharFormat& f, double zoom)
    {
        QTextCharFormat format;
        format.setFontFamilies({f.fontFamily.isEmpty() ? QStringLiteral("Arial") : f.fontFamily});
        if (f.sizeHalfPoints > 0)
            format.setFontPointSize(std::max(1.0, f.sizeHalfPoints / 2.0 * zoom));
        format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(f.italic);
        format.setFontUnderline(f.underline);
        format.setFontStrikeOut(f.strikeOut);
        if (f.verticalAlign == RichCharFormat::VerticalAlign::Superscript)
            format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        else if (f.verticalAlign == RichCharFormat::VerticalAlign::Subscript)
            format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        if (f.textColour)
            format.setForeground(FromRgb(*f.textColour));
        if (f.backgroundColour)
            format.setBackground(FromRgb(*f.backgroundColour));
        if (!f.linkUrl.isEmpty()) {
            format.setAnchor(true);
            format.setAnchorHref(f.linkUrl);
        }
        return format;
    }

    QTextBlockFormat BlockFormat(const RichParagraphFormat& f)
    {
        QTextBlockFormat format;
        switch (f.alignment) {
        case RichParagraphFormat::Alignment::Left:
            format.setAlignment(Qt::AlignLeft);
            break;
        case RichParagraphFormat::Alignment::Centre:
            format.setAlignment(Qt::AlignHCenter);
            break;
        case RichParagraphFormat::Alignment::Right:
            format.setAlignment(Qt::AlignRight);
            break;
        case RichParagraphFormat::Alignment::Justify:
            format.setAlignment(Qt::AlignJustify);
            break;
        }
        format.setLeftMargin(TwipsToPixels(f.leftIndent));
        format.setRightMargin(TwipsToPixels(f.rightIndent));
        format.setTextIndent(TwipsToPixels(f.firstLineIndent));
        format.setTopMargin(TwipsToPixels(f.spaceBefore));
        format.setBottomMargin(TwipsToPixels(f.spaceAfter));
        return format;
    }

} // namespace

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

void ToTextDocument(const RichDocument& model, QTextDocument& document, double zoom)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    RichListFormat previousList;
    int number = 0;
    bool first = true;
    for (const RichParagraph& paragraph : model.paragraphs) {
        if (first)
            cursor.setBlockFormat(BlockFormat(paragraph.format));
        else
            cursor.insertBlock(BlockFormat(paragraph.format));
        first = false;

        const RichListFormat& list = paragraph.format.list;
        if (list.IsList()) {
            number = (list == previousList) ? number + 1 : list.start;
            const RichCharFormat labelFormat
                = paragraph.runs.isEmpty() ? RichCharFormat() : paragraph.runs.first().format;
            cursor.insertText(RichListNumbering::Label(list, number) + QLatin1Char('\t'),
                              CharFormat(labelFormat, zoom));
        }
        previousList = list;

        for (const RichRun& run : paragraph.runs) {
            QString text = run.text;
            // The arrow typed as "-->" is character 224 of "Wingdings"; shown as an arrow
            // where that font is missing.
            if (run.format.fontFamily.compare(QLatin1String("Wingdings"), Qt::CaseInsensitive) == 0)
                text.replace(QChar(224), QChar(0x2192));
            cursor.insertText(text, CharFormat(run.format, zoom));
        }
    }
    cursor.endEditBlock();
}

void RtfToTextDocument(const QString& richText, QTextDocument& document, double zoom)
{
    ToTextDocument(RtfReader::Read(RtfBytes(richText)), document, zoom);
}

RichDocument FromTextDocument(const QTextDocument& document)
{
    RichDocument model;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        RichParagraph paragraph;
        const QTextBlockFormat bf = block.blockFormat();
        const Qt::Alignment align = bf.alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter)
            paragraph.format.alignment = RichParagraphFormat::Alignment::Centre;
        else if (align & Qt::AlignRight)
            paragraph.format.alignment = RichParagraphFormat::Alignment::Right;
        else if (align & Qt::AlignJustify)
            paragraph.format.alignment = RichParagraphFormat::Alignment::Justify;
        paragraph.format.leftIndent = PixelsToTwips(bf.leftMargin());
        paragraph.format.rightIndent = PixelsToTwips(bf.rightMargin());
        paragraph.format.firstLineIndent = PixelsToTwips(bf.textIndent());
        paragraph.format.spaceBefore = PixelsToTwips(bf.topMargin());
        paragraph.format.spaceAfter = PixelsToTwips(bf.bottomMargin());

        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid())
                continue;
            const QTextCharFormat cf = fragment.charFormat();
            RichRun run;
            const QStringList families = cf.fontFamilies().toStringList();
            run.format.fontFamily = families.isEmpty() ? cf.font().family() : families.first();
            run.format.sizeHalfPoints = qRound((cf.fontPointSize() > 0 ? cf.fontPointSize() : 10.0) * 2);
            run.format.bold = cf.fontWeight() >= QFont::DemiBold;
            run.format.italic = cf.fontItalic();
            run.format.underline = cf.fontUnderline();
            run.format.strikeOut = cf.fontStrikeOut();
            if (cf.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                run.format.verticalAlign = RichCharFormat::VerticalAlign::Superscript;
            else if (cf.verticalAlignment() == QTextCharFormat::AlignSubScript)
                run.format.verticalAlign = RichCharFormat::VerticalAlign::Subscript;
            if (cf.hasProperty(QTextFormat::ForegroundBrush))
                run.format.textColour = ToRgb(cf.foreground().color());
            if (cf.hasProperty(QTextFormat::BackgroundBrush))
                run.format.backgroundColour = ToRgb(cf.background().color());
            if (cf.isAnchor())
                run.format.linkUrl = cf.anchorHref();
            run.text = fragment.text();
            paragraph.runs.append(run);
        }
        model.paragraphs.append(paragraph);
    }
    model.Normalize();
    return model;
}

} // namespace RichDocumentMapper
