#include "richtext/RichRangeHighlighter.h"

#include <algorithm>
#include <vector>

namespace {

qsizetype TextLength(const RichParagraph& paragraph)
{
    qsizetype length = 0;
    for (const RichRun& run : paragraph.runs)
        length += run.text.size();
    return length;
}

// Splits each run where the mask changes and colours the marked parts.
QList<RichRun> ColouredRuns(const RichParagraph& paragraph, const std::vector<char>& mask, quint32 colour)
{
    QList<RichRun> runs;
    qsizetype position = 0;
    for (const RichRun& run : paragraph.runs) {
        qsizetype i = 0;
        while (i < run.text.size()) {
            const char marked = mask[position + i];
            qsizetype end = i + 1;
            while (end < run.text.size() && mask[position + end] == marked)
                ++end;
            RichRun part {run.format, run.text.mid(i, end - i)};
            if (marked)
                part.format.backgroundColour = colour;
            runs.append(std::move(part));
            i = end;
        }
        position += run.text.size();
    }
    return runs;
}

} // namespace

void RichRangeHighlighter::Apply(RichDocument& document, const QList<QPair<int, int>>& ranges, quint32 colour)
{
    qint64 paragraphStart = 0;
    for (RichParagraph& paragraph : document.paragraphs) {
        const qsizetype length = TextLength(paragraph);
        std::vector<char> mask;
        for (const auto& range : ranges) {
            const qint64 from = std::max<qint64>(range.first, paragraphStart);
            const qint64 to = std::min<qint64>(qint64(range.first) + range.second, paragraphStart + length);
            if (range.second <= 0 || from >= to)
                continue;
            if (mask.empty())
                mask.assign(static_cast<size_t>(length), 0);
            std::fill(mask.begin() + (from - paragraphStart), mask.begin() + (to - paragraphStart), 1);
        }
        if (!mask.empty())
            paragraph.runs = ColouredRuns(paragraph, mask, colour);
        paragraphStart += length + 1; // the paragraph break
    }
    document.Normalize();
}
