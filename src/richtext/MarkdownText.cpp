#include "richtext/MarkdownText.h"

#include "richtext/RtfReader.h"

#include <QRegularExpression>

// Helpers of this file, named so that no other file of the library sees them.
namespace MarkdownTextDetail {

QString Escaped(const QString& text)
{
    static const QString special = QStringLiteral("\\`*_[]<>|");
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (special.contains(c))
            out += QLatin1Char('\\');
        if (c == QChar(0x2028))
            out += QStringLiteral("\\\n");
        else
            out += c;
    }
    return out;
}

// The run's text inside its markers, with the blanks at its ends kept outside them
// ("** x**" is no emphasis).
QString RunText(const RichRun& run)
{
    const QString& text = run.text;
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).isSpace())
        ++begin;
    while (end > begin && text.at(end - 1).isSpace())
        --end;
    QString core = Escaped(text.mid(begin, end - begin));
    if (core.isEmpty())
        return Escaped(text);
    const RichCharFormat& f = run.format;
    const QString marker = f.bold && f.italic ? QStringLiteral("***")
        : f.bold                              ? QStringLiteral("**")
        : f.italic                            ? QStringLiteral("*")
                                              : QString();
    core = marker + core + marker;
    if (!f.linkUrl.isEmpty())
        core = QLatin1Char('[') + core + QStringLiteral("](<") + QString(f.linkUrl).remove(QLatin1Char('>'))
            + QStringLiteral(">)");
    return text.left(begin) + core + text.mid(end);
}

// A line may not start with what Markdown takes as a heading, a quote or a list item.
QString GuardLineStart(const QString& line)
{
    static const QRegularExpression markup(QStringLiteral("^(\\s*)([#>+-]|\\d+[.)])(\\s|$)"));
    const auto match = markup.match(line);
    if (!match.hasMatch())
        return line;
    const qsizetype at = match.capturedEnd(2) - 1;
    return line.left(at) + QLatin1Char('\\') + line.mid(at);
}

QString ItemMarker(const RichListFormat& list, int number)
{
    if (list.style == RichListStyle::Bullet)
        return QStringLiteral("- ");
    return QString::number(number) + QStringLiteral(". ");
}

} // namespace MarkdownTextDetail

QString MarkdownFromDocument(const RichDocument& document)
{
    using namespace MarkdownTextDetail;
    QStringList blocks;
    QString listBlock;
    RichListFormat previousList;
    int number = 0;
    int baseIndent = -1;
    auto closeList = [&] {
        if (!listBlock.isEmpty())
            blocks.append(listBlock);
        listBlock.clear();
        previousList = RichListFormat();
        baseIndent = -1;
    };
    for (const RichParagraph& paragraph : document.paragraphs) {
        QString text;
        for (const RichRun& run : paragraph.runs)
            text += RunText(run);
        const RichListFormat& list = paragraph.format.list;
        if (!list.IsList()) {
            closeList();
            if (!text.trimmed().isEmpty())
                blocks.append(GuardLineStart(text.trimmed()));
            continue;
        }
        if (baseIndent < 0)
            baseIndent = paragraph.format.leftIndent;
        number = list == previousList ? number + 1 : list.start;
        previousList = list;
        const int depth = qMax(0, (paragraph.format.leftIndent - baseIndent) / 360) + qMax(0, list.level);
        if (!listBlock.isEmpty())
            listBlock += QLatin1Char('\n');
        listBlock += QString(depth * 2, QLatin1Char(' ')) + ItemMarker(list, number) + text.trimmed();
    }
    closeList();
    return blocks.join(QStringLiteral("\n\n"));
}

QString MarkdownFromRtf(const QString& richText)
{
    using namespace MarkdownTextDetail;
    QByteArray bytes;
    bytes.reserve(richText.size());
    for (const QChar c : richText) {
        if (c.unicode() < 0x80) {
            bytes.append(char(c.unicode()));
        } else { // RTF numbers are signed 16-bit
            bytes.append("\\u" + QByteArray::number(qint16(c.unicode())) + '?');
        }
    }
    return MarkdownFromDocument(RtfReader::Read(bytes));
}
