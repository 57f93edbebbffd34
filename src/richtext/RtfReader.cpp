#include "richtext/RtfReader.h"

#include "richtext/CodePageDecoder.h"
#include "richtext/RtfFormat.h"
#include "richtext/RtfTokenizer.h"

namespace {

bool StartsWithRtf(const QByteArray& bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\t'))
        ++i;
    return bytes.mid(i, 5) == QByteArrayLiteral("{\\rtf");
}

bool IsTextDestination(RtfDestination dest)
{
    return dest != RtfDestination::Skip && dest != RtfDestination::ColorTable
        && dest != RtfDestination::ListTable && dest != RtfDestination::List
        && dest != RtfDestination::ListLevel && dest != RtfDestination::ListOverrideTable
        && dest != RtfDestination::ListOverride && dest != RtfDestination::Pn;
}

} // namespace

RichDocument RtfReader::Read(const QByteArray& rtf)
{
    if (!StartsWithRtf(rtf))
        return ReadPlain(rtf);
    RtfReader reader;
    return reader.Parse(rtf);
}

QString RtfReader::ReadShownText(const QByteArray& rtf)
{
    if (!StartsWithRtf(rtf))
        return ReadPlain(rtf).PlainText();
    RtfReader reader;
    reader.m_textOnly = true;
    return reader.Parse(rtf).PlainText();
}

RichDocument RtfReader::ReadPlain(const QByteArray& text)
{
    RichDocument document;
    if (text.isEmpty())
        return document;
    QString decoded = CodePageDecoder::Decode(RtfFormat::kDefaultCodePage, text);
    decoded.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    decoded.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    decoded.removeIf(
        [](QChar c) { return c.unicode() < 0x20 && c != QLatin1Char('\t') && c != QLatin1Char('\n'); });
    for (const QString& line : decoded.split(QLatin1Char('\n'))) {
        RichParagraph paragraph;
        if (!line.isEmpty())
            paragraph.runs.append(RichRun {RichCharFormat {}, line});
        document.paragraphs.append(paragraph);
    }
    return document;
}

RichDocument RtfReader::Parse(const QByteArray& rtf)
{
    m_stack.reserve(64);
    m_stack.emplace_back(); // outside the document's outer group
    m_pending.reserve(256);
    RtfTokenizer tokenizer(rtf);
    bool open = true;
    while (open) {
        const RtfToken token = tokenizer.Next();
        switch (token.type) {
        case RtfToken::Type::End:
            open = false;
            break;
        case RtfToken::Type::GroupOpen:
            FlushPending();
            OpenGroup();
            break;
        case RtfToken::Type::GroupClose:
            FlushPending();
            open = CloseGroup();
            break;
        case RtfToken::Type::ControlWord:
            FlushPending();
            ControlWord(token, tokenizer);
            break;
        case RtfToken::Type::ControlSymbol:
            FlushPending();
            ControlSymbol(token.symbol);
            break;
        case RtfToken::Type::HexByte:
            TextBytes(std::string_view(&token.symbol, 1));
            break;
        case RtfToken::Type::Text:
            TextBytes(token.text);
            break;
        }
    }
    FlushPending();
    if (!m_paragraph.runs.isEmpty()) {
        m_paragraph.format = State().para;
        m_document.paragraphs.append(std::move(m_paragraph));
    }
    return std::move(m_document);
}

void RtfReader::OpenGroup()
{
    m_unicodeSkipLeft = 0;
    m_ignorableNext = false;
    if (static_cast<int>(m_stack.size()) > RtfFormat::kMaxGroupDepth) {
        ++m_overflowDepth;
        return;
    }
    RtfGroupState copy = m_stack.back();
    m_stack.push_back(std::move(copy));
}

bool RtfReader::CloseGroup()
{
    m_unicodeSkipLeft = 0;
    m_ignorableNext = false;
    if (m_overflowDepth > 0) {
        --m_overflowDepth;
        return true;
    }
    if (m_stack.size() <= 1)
        return true; // a stray closing brace before the document began
    if (m_stack.size() == 2) {
        // The outer group ends the document; its paragraph format is the last paragraph's.
        if (!m_paragraph.runs.isEmpty()) {
            m_paragraph.format = State().para;
            m_document.paragraphs.append(std::move(m_paragraph));
            m_paragraph = RichParagraph();
        }
        m_stack.pop_back();
        return false;
    }
    RtfGroupState closed = std::move(m_stack.back());
    m_stack.pop_back();
    EndDestination(closed, m_stack.back());
    return true;
}

void RtfReader::EndDestination(const RtfGroupState& closed, RtfGroupState& parent)
{
    switch (closed.dest) {
    case RtfDestination::FontTable:
        CommitFont();
        break;
    case RtfDestination::Pn:
        if (parent.dest != RtfDestination::Pn)
            parent.para.list = PnFormat();
        break;
    case RtfDestination::LevelText:
        if (parent.dest != RtfDestination::LevelText)
            ParseLevelText(m_levelText, m_level);
        break;
    case RtfDestination::ListLevel:
        if (parent.dest != RtfDestination::ListLevel)
            m_listLevels.append(m_level);
        break;
    case RtfDestination::List:
        if (parent.dest != RtfDestination::List)
            m_lists.insert(m_listId, m_listLevels);
        break;
    case RtfDestination::ListOverride:
        if (parent.dest != RtfDestination::ListOverride && m_overrideNumber != 0)
            m_overrides.insert(m_overrideNumber, m_overrideListId);
        break;
    default:
        break;
    }
}

void RtfReader::TextBytes(std::string_view bytes)
{
    if (m_unicodeSkipLeft > 0) {
        const size_t skipped = std::min(bytes.size(), static_cast<size_t>(m_unicodeSkipLeft));
        m_unicodeSkipLeft -= static_cast<int>(skipped);
        bytes.remove_prefix(skipped);
    }
    if (bytes.empty())
        return;
    const RtfGroupState& state = State();
    switch (state.dest) {
    case RtfDestination::Skip:
        return;
    case RtfDestination::ColorTable:
    case RtfDestination::FontTable:
        TableBytes(bytes);
        return;
    default:
        break;
    }
    if (!IsTextDestination(state.dest) || (state.dest == RtfDestination::Text && state.chr.hidden))
        return;
    m_pending.append(bytes);
}

// Font and colour tables end each entry with ';'.
void RtfReader::TableBytes(std::string_view bytes)
{
    const bool fonts = State().dest == RtfDestination::FontTable;
    size_t semicolon;
    while ((semicolon = bytes.find(';')) != std::string_view::npos) {
        if (fonts) {
            m_pending.append(bytes.substr(0, semicolon));
            FlushPending();
            CommitFont();
        } else {
            CommitColour();
        }
        bytes.remove_prefix(semicolon + 1);
    }
    if (fonts)
        m_pending.append(bytes);
}

int RtfReader::CurrentCodePage() const
{
    const RtfGroupState& state = m_stack.back();
    int codePage = 0;
    if (state.dest == RtfDestination::FontTable) {
        codePage
            = m_fontEntry.codePage ? m_fontEntry.codePage : RtfFormat::CodePageOfCharset(m_fontEntry.charset);
    } else {
        auto font = m_fonts.constFind(state.chr.font < 0 ? m_defaultFont : state.chr.font);
        if (font != m_fonts.constEnd())
            codePage = font->codePage;
    }
    return codePage ? codePage : m_documentCodePage;
}

void RtfReader::FlushPending()
{
    if (m_pending.empty())
        return;
    m_decoded.resize(0);
    CodePageDecoder::Append(CurrentCodePage(), m_pending.data(), static_cast<qsizetype>(m_pending.size()),
                            m_decoded);
    m_pending.clear();
    AppendText(m_decoded);
}

void RtfReader::EmitChar(char16_t c)
{
    FlushPending();
    AppendText(QStringView(&c, 1));
}

void RtfReader::AppendText(QStringView text)
{
    RtfGroupState& state = State();
    switch (state.dest) {
    case RtfDestination::Text:
        AppendToParagraph(text);
        break;
    case RtfDestination::FontTable:
        m_fontEntry.name += text;
        break;
    case RtfDestination::FieldInst:
        if (state.field >= 0 && state.field < m_fieldInstructions.size())
            m_fieldInstructions[state.field] += text;
        break;
    case RtfDestination::PnTextBefore:
        m_pn.before += text;
        break;
    case RtfDestination::PnTextAfter:
        m_pn.after += text;
        break;
    case RtfDestination::LevelText:
        m_levelText += text;
        break;
    default:
        break;
    }
}

void RtfReader::AppendToParagraph(QStringView text)
{
    const RtfGroupState& state = State();
    if (state.chr.hidden)
        return;
    for (QChar c : text) {
        if (c.unicode() < 0x20 && c != QLatin1Char('\t')) {
            // Control characters (\'00, \u1) are no text a note can show.
            QString filtered;
            for (QChar k : text) {
                if (k.unicode() >= 0x20 || k == QLatin1Char('\t'))
                    filtered += k;
            }
            if (!filtered.isEmpty())
                AppendToParagraph(filtered);
            return;
        }
    }
    if (m_cellTabPending) {
        m_cellTabPending = false;
        AppendToParagraph(u"\t");
    }
    if (m_textOnly) {
        if (m_paragraph.runs.isEmpty())
            m_paragraph.runs.append(RichRun {});
    } else if (!m_runStateValid || !(m_runState == state.chr) || m_paragraph.runs.isEmpty()) {
        RichCharFormat format = ResolveFormat(state.chr);
        if (m_paragraph.runs.isEmpty() || !(m_paragraph.runs.last().format == format))
            m_paragraph.runs.append(RichRun {std::move(format), QString()});
        m_runState = state.chr;
        m_runStateValid = true;
    }
    m_paragraph.runs.last().text += text;
}

void RtfReader::EndParagraph()
{
    FlushPending();
    m_cellTabPending = false;
    m_paragraph.format = State().para;
    m_document.paragraphs.append(std::move(m_paragraph));
    m_paragraph = RichParagraph();
    m_runStateValid = false;
}

RichCharFormat RtfReader::ResolveFormat(const RtfCharState& chr) const
{
    RichCharFormat format;
    auto font = m_fonts.constFind(chr.font < 0 ? m_defaultFont : chr.font);
    if (font != m_fonts.constEnd()) {
        format.fontFamily = font->name;
        format.fontCharset = font->charset;
    }
    format.sizeHalfPoints = chr.sizeHalfPoints;
    format.bold = chr.bold;
    format.italic = chr.italic;
    format.underline = chr.underline;
    format.strikeOut = chr.strikeOut;
    if (chr.superscript)
        format.verticalAlign = RichCharFormat::VerticalAlign::Superscript;
    else if (chr.subscript)
        format.verticalAlign = RichCharFormat::VerticalAlign::Subscript;
    if (chr.textColour >= 0 && chr.textColour < m_colours.size())
        format.textColour = m_colours[chr.textColour];
    if (chr.background >= 0 && chr.background < m_colours.size())
        format.backgroundColour = m_colours[chr.background];
    if (chr.link >= 0 && chr.link < m_links.size())
        format.linkUrl = m_links[chr.link];
    return format;
}
