#include "ui/sources/CitationPainter.h"

#include "format/SourceRecord.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

QFont MakeFont(int pixelHeight, int weight, bool italic, bool underline)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPixelSize(std::max(1, pixelHeight));
    font.setWeight(QFont::Weight(weight));
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

} // namespace

CitationPainter::CitationPainter(int pixelHeight)
{
    m_fonts[0] = MakeFont(pixelHeight, 480, false, false);
    m_fonts[1] = MakeFont(pixelHeight, 540, true, false);
    m_fonts[2] = MakeFont(pixelHeight, 800, false, false);
    m_fonts[3] = MakeFont(pixelHeight, 460, false, true);
    const QFontMetrics metrics(m_fonts[0]);
    m_charWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('X')));
    m_lineHeight = std::max(1, metrics.height());
    m_ascent = metrics.ascent();
}

int CitationPainter::Columns(int widthPixels) const
{
    return std::max(1, widthPixels / m_charWidth);
}

CitationLayout CitationPainter::Layout(const SourceRecord& source, int widthPixels) const
{
    return LayoutCitation(source, Columns(widthPixels));
}

int CitationPainter::Height(const CitationLayout& layout) const
{
    if (layout.Text.isEmpty())
        return 0;
    return int(layout.Text.count(QLatin1Char('\n')) + 1) * m_lineHeight;
}

QFont CitationPainter::Variant(int kind) const
{
    return m_fonts[kind >= 1 && kind <= 3 ? kind : 0];
}

int CitationPainter::KindAt(const CitationLayout& layout, int position)
{
    const qsizetype count
        = std::min({layout.MarkKinds.size(), layout.MarkStarts.size(), layout.MarkEnds.size()});
    for (qsizetype i = 0; i < count; ++i) {
        if (position >= layout.MarkStarts[i] && position <= layout.MarkEnds[i])
            return layout.MarkKinds[i];
    }
    return 0;
}

int CitationPainter::DrawnKindAt(const CitationLayout& layout, int position)
{
    // A mark stays over the hanging indent that wrapping put inside it, but the indent is
    // margin, not text: it is drawn unmarked, so an underline does not reach into it.
    int p = position;
    while (p >= 0 && layout.Text.at(p) == QLatin1Char(' '))
        --p;
    const bool indent = p >= 0 && layout.Text.at(p) == QLatin1Char('\n');
    return indent ? 0 : KindAt(layout, position);
}

void CitationPainter::Paint(QPainter& painter, QPoint topLeft, const CitationLayout& layout,
                            const QColor& colour) const
{
    painter.save();
    painter.setPen(colour);
    int line = 0;
    int column = 0;
    int current = -1;
    // Character by character at its own column: the variants may come from faces whose
    // advances differ slightly, and the layout counts columns.
    for (int i = 0; i < layout.Text.size(); ++i) {
        const QChar c = layout.Text.at(i);
        if (c == QLatin1Char('\n')) {
            ++line;
            column = 0;
            continue;
        }
        const int kind = DrawnKindAt(layout, i);
        if (kind != current) {
            painter.setFont(Variant(kind));
            current = kind;
        }
        const QPoint at = topLeft + QPoint(column * m_charWidth, line * m_lineHeight + m_ascent);
        painter.drawText(at, QString(c)); // blanks too: an underline runs on under them
        ++column;
    }
    painter.restore();
}
