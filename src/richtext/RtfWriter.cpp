#include "richtext/RtfWriter.h"

#include "richtext/RichListNumbering.h"
#include "richtext/RtfFormat.h"

namespace {

bool SameList(const RichParagraph& a, const RichParagraph& b)
{
    return a.format.list == b.format.list;
}

} // namespace

QByteArray RtfWriter::Write(const RichDocument& document)
{
    RtfWriter writer(document);
    writer.CollectTables();
    writer.WriteHeader();
    const QList<RichParagraph>& paragraphs = document.paragraphs;
    int number = 0;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        const RichParagraph& paragraph = paragraphs[i];
        const bool continuesList = i > 0 && SameList(paragraph, paragraphs[i - 1]);
        number = continuesList ? number + 1 : paragraph.format.list.start;
        const bool changed = i == 0 || !(paragraph.format == paragraphs[i - 1].format);
        writer.WriteParagraph(paragraph, changed, number);
    }
    writer.Raw("}\r\n");
    return writer.m_out;
}

RtfWriter::RtfWriter(const RichDocument& document)
    : m_document(document)
{
    m_out.reserve(1024);
}

void RtfWriter::CollectTables()
{
    bool bullets = false;
    for (const RichParagraph& paragraph : m_document.paragraphs) {
        bullets = bullets || paragraph.format.list.style == RichListStyle::Bullet;
        for (const RichRun& run : paragraph.runs) {
            AddFont(run.format.fontFamily, run.format.fontCharset);
            for (const auto& colour : {run.format.textColour, run.format.backgroundColour}) {
                if (colour && !m_colours.contains(*colour))
                    m_colours.append(*colour);
            }
        }
    }
    if (m_fonts.isEmpty())
        AddFont(QStringLiteral("Arial"), 0);
    if (bullets) {
        AddFont(QStringLiteral("Symbol"), RtfFormat::kSymbolCharset);
        m_symbolFont = FontIndex(QStringLiteral("Symbol"), RtfFormat::kSymbolCharset);
    }
    // What a reader has before the first font change: \deff0 and the default size.
    m_current = RichCharFormat();
    m_current.fontFamily = m_fonts.first().family;
    m_current.fontCharset = m_fonts.first().charset;
}

void RtfWriter::AddFont(const QString& family, int charset)
{
    if (FontIndex(family, charset) < 0)
        m_fonts.append(Font {family, charset});
}

int RtfWriter::FontIndex(const QString& family, int charset) const
{
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        if (m_fonts[i].family == family && m_fonts[i].charset == charset)
            return static_cast<int>(i);
    }
    return -1;
}

// Entry 0 of the colour table is "automatic".
int RtfWriter::ColourIndex(const std::optional<quint32>& colour) const
{
    return colour ? static_cast<int>(m_colours.indexOf(*colour)) + 1 : 0;
}

void RtfWriter::WriteHeader()
{
    Raw("{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033{\\fonttbl");
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        Raw("{");
        Word("f", static_cast<int>(i));
        Word("fnil");
        if (m_fonts[i].charset >= 0)
            Word("fcharset", m_fonts[i].charset);
        QString name = m_fonts[i].family;
        name.remove(QLatin1Char(';'));
        if (!name.isEmpty())
            WriteText(name, false);
        Raw(";}");
    }
    Raw("}\r\n{\\colortbl ;");
    for (quint32 colour : m_colours) {
        Word("red", static_cast<int>((colour >> 16) & 0xFF));
        Word("green", static_cast<int>((colour >> 8) & 0xFF));
        Word("blue", static_cast<int>(colour & 0xFF));
        Raw(";");
    }
    Raw("}\r\n{\\*\\generator Quorvel;}\\viewkind4\\uc1 \r\n");
}

void RtfWriter::WriteParagraph(const RichParagraph& paragraph, bool formatChanged, int number)
{
    if (formatChanged)
        WriteParagraphFormat(paragraph, number);
    else if (paragraph.format.list.IsList())
        WriteListLabel(paragraph, number);
    WriteRuns(paragraph);
    Word("par");
    Raw("\r\n");
}

void RtfWriter::WriteParagraphFormat(const RichParagraph& paragraph, int number)
{
    const RichParagraphFormat& format = paragraph.format;
    Word("pard");
    if (format.list.IsList()) {
        WriteListLabel(paragraph, number);
        const RichListFormat& list = format.list;
        const bool bullet = list.style == RichListStyle::Bullet;
        Raw("{\\*\\pn");
        Word(bullet ? "pnlvlblt" : "pnlvlbody");
        Word("pnf", bullet ? m_symbolFont : 0);
        Word("pnindent", list.numberTab);
        Word("pnstart", list.start);
        static const char* const styleWords[] = {"", "", "pndec", "pnlcltr", "pnucltr", "pnlcrm", "pnucrm"};
        if (!bullet)
            Word(styleWords[static_cast<int>(list.style)]);
        if (bullet) {
            Raw("{\\pntxtb\\'b7}");
        } else {
            if (!list.textBefore.isEmpty()) {
                Raw("{");
                Word("pntxtb");
                WriteText(list.textBefore, false);
                Raw("}");
            }
            if (!list.textAfter.isEmpty()) {
                Raw("{");
                Word("pntxta");
                WriteText(list.textAfter, false);
                Raw("}");
            }
        }
        Raw("}");
        if (list.level > 0)
            Word("ilvl", list.level);
    }
    using Alignment = RichParagraphFormat::Alignment;
    if (format.alignment == Alignment::Centre)
        Word("qc");
    else if (format.alignment == Alignment::Right)
        Word("qr");
    else if (format.alignment == Alignment::Justify)
        Word("qj");
    if (format.firstLineIndent != 0)
        Word("fi", format.firstLineIndent);
    if (format.leftIndent != 0)
        Word("li", format.leftIndent);
    if (format.rightIndent != 0)
        Word("ri", format.rightIndent);
    if (format.spaceBefore != 0)
        Word("sb", format.spaceBefore);
    if (format.spaceAfter != 0)
        Word("sa", format.spaceAfter);
    if (format.lineSpacing != 0)
        Word("sl", format.lineSpacing);
    if (format.lineSpacingMultiple)
        Word("slmult", 1);
    for (int stop : format.tabStops)
        Word("tx", stop);
}

// The label a reader without numbering shows: {\pntext\f0 2.\tab}.
void RtfWriter::WriteListLabel(const RichParagraph& paragraph, int number)
{
    const bool bullet = paragraph.format.list.style == RichListStyle::Bullet;
    Raw("{");
    Word("pntext");
    if (bullet) {
        Word("f", m_symbolFont);
        Raw("\\'b7");
    } else {
        Word("f", 0);
        WriteText(RichListNumbering::Label(paragraph.format.list, number), false);
    }
    Word("tab");
    Raw("}");
}

void RtfWriter::WriteRuns(const RichParagraph& paragraph)
{
    QString openLink;
    RichCharFormat outside;
    for (const RichRun& run : paragraph.runs) {
        if (run.format.linkUrl != openLink) {
            if (!openLink.isEmpty()) {
                Raw("}}}");
                m_current = outside;
            }
            openLink = run.format.linkUrl;
            if (!openLink.isEmpty()) {
                outside = m_current;
                QString target = openLink;
                target.replace(QLatin1Char('"'), QLatin1String("%22"));
                target.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
                Raw("{\\field{\\*\\fldinst{HYPERLINK \"");
                WriteText(target, false);
                Raw("\"}}{\\fldrslt{");
            }
        }
        WriteFormatChange(m_current, run.format);
        m_current = run.format;
        m_current.linkUrl.clear();
        WriteText(run.text, run.format.fontCharset == RtfFormat::kSymbolCharset);
    }
    if (!openLink.isEmpty()) {
        Raw("}}}");
        m_current = outside;
    }
}

void RtfWriter::WriteFormatChange(const RichCharFormat& from, const RichCharFormat& to)
{
    if (from.fontFamily != to.fontFamily || from.fontCharset != to.fontCharset)
        Word("f", FontIndex(to.fontFamily, to.fontCharset));
    if (from.sizeHalfPoints != to.sizeHalfPoints)
        Word("fs", to.sizeHalfPoints);
    if (from.bold != to.bold)
        Word(to.bold ? "b" : "b0");
    if (from.italic != to.italic)
        Word(to.italic ? "i" : "i0");
    if (from.underline != to.underline)
        Word(to.underline ? "ul" : "ulnone");
    if (from.strikeOut != to.strikeOut)
        Word(to.strikeOut ? "strike" : "strike0");
    if (from.verticalAlign != to.verticalAlign) {
        using VA = RichCharFormat::VerticalAlign;
        Word(to.verticalAlign == VA::Superscript     ? "super"
                 : to.verticalAlign == VA::Subscript ? "sub"
                                                     : "nosupersub");
    }
    if (from.textColour != to.textColour)
        Word("cf", ColourIndex(to.textColour));
    if (from.backgroundColour != to.backgroundColour)
        Word("highlight", ColourIndex(to.backgroundColour));
}

void RtfWriter::WriteText(QStringView text, bool symbolFont)
{
    for (QChar qc : text) {
        const char16_t c = qc.unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            m_out += '\\';
            m_out += static_cast<char>(c);
            m_needDelimiter = false;
        } else if (c == u'\t') {
            Word("tab");
        } else if (c == QChar::LineSeparator) {
            Word("line");
        } else if (c < 0x20) {
            continue; // other control characters have no place in a note
        } else if (c < 0x80) {
            if (m_needDelimiter)
                m_out += ' ';
            m_out += static_cast<char>(c);
            m_needDelimiter = false;
        } else if (symbolFont && c < 0x100) {
            static const char hex[] = "0123456789abcdef";
            m_out += "\\'";
            m_out += hex[c >> 4];
            m_out += hex[c & 0xF];
            m_needDelimiter = false;
        } else {
            m_out += "\\u";
            m_out += QByteArray::number(static_cast<qint16>(c));
            m_out += '?';
            m_needDelimiter = false;
        }
    }
}

void RtfWriter::Word(const char* word)
{
    m_out += '\\';
    m_out += word;
    m_needDelimiter = true;
}

void RtfWriter::Word(const char* word, int value)
{
    m_out += '\\';
    m_out += word;
    m_out += QByteArray::number(value);
    m_needDelimiter = true;
}

void RtfWriter::Raw(const char* text)
{
    m_out += text;
    m_needDelimiter = false;
}
