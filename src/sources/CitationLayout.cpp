#include "sources/CitationLayout.h"

namespace {

constexpr QChar kBlank = QLatin1Char(' ');

// The laid-out text and, for each character of the citation, where it went (-1 when it
// was a blank dropped at a line break or at either end).
struct Placement
{
    QString text;
    QList<qsizetype> newIndex;
};

void AppendPiece(Placement& out, const QString& citation, qsizetype from, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        out.newIndex[from + i] = out.text.size();
        out.text += citation.at(from + i);
    }
}

qsizetype TrailingBlanksStart(const QString& text, qsizetype from, qsizetype length)
{
    qsizetype end = from + length;
    while (end > from && text.at(end - 1) == kBlank)
        --end;
    return end - from;
}

Placement Place(const QString& citation, int width, int indent)
{
    Placement out;
    out.newIndex.fill(-1, citation.size());
    qsizetype pos = 0;
    qsizetype end = citation.size();
    while (pos < end && citation.at(pos) == kBlank)
        ++pos;
    while (end > pos && citation.at(end - 1) == kBlank)
        --end;

    bool narrowed = false;
    bool firstLine = true;
    auto startLine = [&] {
        if (!firstLine)
            out.text += QLatin1Char('\n') + QString(indent, kBlank);
        firstLine = false;
    };
    while (end - pos > width && width > 0) {
        qsizetype blank = -1;
        for (qsizetype p = width; p >= 0; --p) {
            if (citation.at(pos + p) == kBlank) {
                blank = p;
                break;
            }
        }
        startLine();
        if (blank > 0) {
            const qsizetype taken = (pos + blank == end - 1) ? blank : blank + 1;
            AppendPiece(out, citation, pos, TrailingBlanksStart(citation, pos, taken));
            pos += taken;
            while (pos < end && citation.at(pos) == kBlank)
                ++pos;
            if (!narrowed) {
                width -= indent;
                narrowed = true;
            }
        } else {
            AppendPiece(out, citation, pos, width);
            pos += width;
        }
    }
    if (pos < end) {
        startLine();
        AppendPiece(out, citation, pos, end - pos);
    }
    return out;
}

} // namespace

CitationLayout LayoutCitation(const SourceRecord& source, int width)
{
    const QString& citation = source.CitationText;
    const int indent = qMax(0, source.IndentSpaces);
    const Placement placed = Place(citation, width, indent);

    CitationLayout layout;
    layout.Text = placed.text;
    const qsizetype marks
        = qMin(source.MarkKinds.size(), qMin(source.MarkStarts.size(), source.MarkEnds.size()));
    for (qsizetype m = 0; m < marks; ++m) {
        // A dropped blank at either end of a mark moves the end inwards to the nearest kept
        // character.
        qsizetype first = qMax<qsizetype>(0, source.MarkStarts[m]);
        qsizetype last = qMin<qsizetype>(citation.size() - 1, source.MarkEnds[m]);
        while (first <= last && placed.newIndex[first] < 0)
            ++first;
        while (last >= first && placed.newIndex[last] < 0)
            --last;
        if (first > last)
            continue;
        layout.MarkKinds.append(source.MarkKinds[m]);
        layout.MarkStarts.append(static_cast<qint32>(placed.newIndex[first]));
        layout.MarkEnds.append(static_cast<qint32>(placed.newIndex[last]));
    }
    return layout;
}
