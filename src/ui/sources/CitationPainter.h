#pragma once

#include "sources/CitationLayout.h"

#include <QColor>
#include <QFont>
#include <QPoint>

class QPainter;
struct SourceRecord;

// Draws a citation as every window that shows one does: in "Courier New" (fixed pitch,
// so one width measured on "X" turns columns into pixels), wrapped to the window width
// with the source's hanging indent, each character in the variant of the first mark that
// covers it: normal (weight 480), italic (540), bold (800) or underlined (460).
class CitationPainter
{
public:
    // The citation size of the source windows (the list and the preview).
    static constexpr int kSourceWindowPixels = 13;

    explicit CitationPainter(int pixelHeight);

    int CharWidth() const { return m_charWidth; }
    int LineHeight() const { return m_lineHeight; }
    // How many characters fit in a width of pixels (at least 1).
    int Columns(int widthPixels) const;
    // The source's citation laid out for a width of pixels.
    CitationLayout Layout(const SourceRecord& source, int widthPixels) const;
    // The height the layout takes: one line height per line.
    int Height(const CitationLayout& layout) const;
    void Paint(QPainter& painter, QPoint topLeft, const CitationLayout& layout, const QColor& colour) const;

    // 0 normal, else a mark kind (1 italic, 2 bold, 3 underline).
    QFont Variant(int kind) const;
    // The kind of the first mark covering position, or 0.
    static int KindAt(const CitationLayout& layout, int position);
    // The kind drawn there: the mark's, except on the blanks of a hanging indent.
    static int DrawnKindAt(const CitationLayout& layout, int position);

private:
    QFont m_fonts[4];
    int m_charWidth = 1;
    int m_lineHeight = 1;
    int m_ascent = 0;
};
