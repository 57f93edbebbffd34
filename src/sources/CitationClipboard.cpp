#include "sources/CitationClipboard.h"

#include <QList>

// Helpers of this file, named so that no other file of the library sees them.
namespace CitationClipboardDetail {

// A run of characters in one kind (0 plain, 1 italic, 2 bold, 3 underline).
struct Run
{
    int kind;
    QString text;
};

// The citation trimmed, cut into runs of one kind: the first mark covering a character
// gives its kind.
QList<Run> Runs(const SourceRecord& source)
{
    const QString& text = source.CitationText;
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).isSpace())
        ++begin;
    while (end > begin && text.at(end - 1).isSpace())
        --end;
    QList<Run> runs;
    for (qsizetype i = begin; i < end; ++i) {
        int kind = 0;
        for (qsizetype m = 0;
             m < source.MarkKinds.size() && m < source.MarkStarts.size() && m < source.MarkEnds.size(); ++m) {
            if (i >= source.MarkStarts.at(m) && i <= source.MarkEnds.at(m)) {
                kind = source.MarkKinds.at(m);
                break;
            }
        }
        if (runs.isEmpty() || runs.last().kind != kind)
            runs.append({kind, QString()});
        runs.last().text += text.at(i);
    }
    return runs;
}

QString HtmlEscaped(const QString& text)
{
    return text.toHtmlEscaped();
}

QString HtmlParagraph(const SourceRecord& source)
{
    static const char* const tags[] = {"", "i", "b", "u"};
    const int indent = qMax(0, source.IndentSpaces);
    QString html = QStringLiteral("<p style=\"margin:0 0 0.5em 0; padding-left:%1em; text-indent:-%1em\">")
                       .arg(indent * 0.5);
    for (const Run& run : Runs(source)) {
        const char* tag = run.kind >= 1 && run.kind <= 3 ? tags[run.kind] : "";
        if (*tag)
            html += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(tag), HtmlEscaped(run.text));
        else
            html += HtmlEscaped(run.text);
    }
    return html + QStringLiteral("</p>");
}

// RTF text: the three special characters escaped, every character outside ASCII as
// \uN? with N its signed 16-bit code.
QByteArray RtfEscaped(const QString& text)
{
    QByteArray out;
    for (const QChar c : text) {
        const ushort code = c.unicode();
        if (code == '\\' || code == '{' || code == '}') {
            out += '\\';
            out += char(code);
        } else if (code < 0x80) {
            out += char(code);
        } else {
            out += "\\u" + QByteArray::number(qint16(code)) + '?';
        }
    }
    return out;
}

QByteArray RtfParagraph(const SourceRecord& source)
{
    static const char* const groups[] = {"", "\\i ", "\\b ", "\\ul "};
    // Twips: half a character of a 12-point font per indent space.
    const int indent = qMax(0, source.IndentSpaces) * 120;
    QByteArray rtf
        = "\\pard\\sa120\\li" + QByteArray::number(indent) + "\\fi-" + QByteArray::number(indent) + ' ';
    for (const Run& run : Runs(source)) {
        if (run.kind >= 1 && run.kind <= 3)
            rtf += '{' + QByteArray(groups[run.kind]) + RtfEscaped(run.text) + '}';
        else
            rtf += RtfEscaped(run.text);
    }
    return rtf + "\\par\n";
}

} // namespace CitationClipboardDetail

CitationClip CitationClipFor(const SourceList& formatted)
{
    using namespace CitationClipboardDetail;
    CitationClip clip;
    QStringList lines;
    QString body;
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\froman Times New Roman;}}\\f0\\fs24\n";
    for (const SourceRecord& source : formatted) {
        lines.append(source.CitationText.trimmed());
        body += HtmlParagraph(source);
        rtf += RtfParagraph(source);
    }
    clip.plain = lines.join(QLatin1Char('\n'));
    clip.html = QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>") + body
        + QStringLiteral("</body></html>");
    clip.rtf = rtf + '}';
    return clip;
}
