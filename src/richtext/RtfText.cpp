#include "richtext/RtfText.h"

#include "richtext/RichRangeHighlighter.h"
#include "richtext/RtfFormat.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfToken.h"
#include "richtext/RtfWriter.h"

#include <algorithm>
#include <climits>

QString RtfToPlainText(const QByteArray& rtf)
{
    return RtfReader::ReadShownText(rtf);
}

QByteArray PlainTextToRtf(const QString& text)
{
    QString normalized = text;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    RichCharFormat format;
    format.fontFamily = QStringLiteral("Arial");
    format.fontCharset = 0;
    format.sizeHalfPoints = 20;
    RichDocument document;
    if (!normalized.isEmpty()) {
        for (const QString& line : normalized.split(QLatin1Char('\n'))) {
            RichParagraph paragraph;
            if (!line.isEmpty())
                paragraph.runs.append(RichRun {format, line});
            document.paragraphs.append(paragraph);
        }
    }
    return RtfWriter::Write(document);
}

QByteArray ZoomRtf(const QByteArray& rtf, double zoomFactor)
{
    QByteArray out;
    out.reserve(rtf.size() + 32);
    const char* data = rtf.constData();
    const qsizetype n = rtf.size();
    qsizetype i = 0;
    while (i < n) {
        const char c = data[i];
        if (c != '\\' || i + 1 >= n) {
            out += c;
            ++i;
            continue;
        }
        const char next = data[i + 1];
        if (next == 'f' && i + 3 < n && data[i + 2] == 's' && IsRtfDigit(data[i + 3])) {
            qsizetype end = i + 3;
            long long size = 0;
            while (end < n && end < i + 10 && IsRtfDigit(data[end]))
                size = size * 10 + (data[end++] - '0');
            double zoomed = size == 0 ? 0.0 : static_cast<double>(size) * zoomFactor;
            zoomed = std::min(std::max(zoomed, 0.0), double(INT_MAX));
            out += "\\fs";
            out += QByteArray::number(static_cast<long long>(zoomed));
            i = end;
            continue;
        }
        // A control symbol such as \\ or \{ is copied whole, so that "\\fs24" (a
        // backslash, then text) is not taken for a size.
        out += c;
        out += next;
        i += 2;
    }
    return out;
}

QByteArray HighlightRtfRanges(const QByteArray& rtf, const QList<QPair<int, int>>& ranges)
{
    RichDocument document = RtfReader::Read(rtf);
    RichRangeHighlighter::Apply(document, ranges, RtfFormat::kSearchHighlight);
    return RtfWriter::Write(document);
}
