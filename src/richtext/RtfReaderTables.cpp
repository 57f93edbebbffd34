// The RTF reader's tables: fonts, colours, lists, and hyperlink field instructions.

#include "richtext/RtfFormat.h"
#include "richtext/RtfReader.h"

#include <algorithm>

void RtfReader::CommitFont()
{
    if (m_fontEntry.index < 0) {
        m_fontEntry = FontEntry();
        return;
    }
    Font font;
    // A name holds no control characters, and no ';' since that ends the entry.
    font.name = m_fontEntry.name;
    font.name.removeIf([](QChar c) { return c.unicode() < 0x20 || c == QLatin1Char(';'); });
    font.name = font.name.trimmed();
    font.charset = m_fontEntry.charset;
    font.codePage
        = m_fontEntry.codePage ? m_fontEntry.codePage : RtfFormat::CodePageOfCharset(m_fontEntry.charset);
    m_fonts.insert(m_fontEntry.index, font);
    m_fontEntry = FontEntry();
}

// "\red0\green77\blue187;" is a colour; ";" alone is "automatic" (usually entry 0).
void RtfReader::CommitColour()
{
    if (m_colours.size() < 4096) {
        if (m_colourEntry.given) {
            m_colours.append((quint32(m_colourEntry.red) << 16) | (quint32(m_colourEntry.green) << 8)
                             | quint32(m_colourEntry.blue));
        } else {
            m_colours.append(std::nullopt);
        }
    }
    m_colourEntry = ColourEntry();
}

// \lsN\ilvlM: level M of the list that override N names.
void RtfReader::ApplyListOverride()
{
    RtfGroupState& state = State();
    const int level = state.listLevel;
    const auto list = m_lists.constFind(m_overrides.value(state.listOverride, -1));
    if (list == m_lists.constEnd() || level >= list->size() || !(*list)[level].IsList()) {
        state.para.list = RichListFormat();
        return;
    }
    state.para.list = (*list)[level];
    state.para.list.level = level;
}

RichListFormat RtfReader::PnFormat() const
{
    RichListFormat format;
    switch (m_pn.kind) {
    case Pn::Kind::Continue:
        return format;
    case Pn::Kind::Bullet:
        format.style = RichListStyle::Bullet;
        break;
    case Pn::Kind::Body:
        format.style = m_pn.style.value_or(RichListStyle::Arabic);
        format.textBefore = m_pn.before;
        format.textAfter = m_pn.after;
        break;
    }
    format.start = m_pn.start;
    format.level = m_pn.level;
    format.numberTab = m_pn.numberTab;
    return format;
}

// {\leveltext\'02\'00.;} is a length (2), then the label with level placeholders (\'00 is
// the number of level 1): here "<n>.". What stands before the first placeholder and after
// the last one is kept.
void RtfReader::ParseLevelText(const QString& text, RichListFormat& format)
{
    if (text.isEmpty() || format.style == RichListStyle::Bullet || format.style == RichListStyle::None)
        return;
    const qsizetype length = std::min<qsizetype>(text.at(0).unicode(), text.size() - 1);
    const QString label = text.mid(1, length);
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label.at(i).unicode() < 10) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0)
        return;
    format.textBefore = label.left(first);
    format.textAfter = label.mid(last + 1);
}

namespace {

// Splits a field instruction into words; "quoted words" keep their blanks.
QStringList InstructionWords(const QString& instruction)
{
    QStringList words;
    qsizetype i = 0;
    const qsizetype n = instruction.size();
    while (i < n) {
        while (i < n && instruction.at(i).isSpace())
            ++i;
        if (i >= n)
            break;
        QString word;
        if (instruction.at(i) == QLatin1Char('"')) {
            ++i;
            while (i < n && instruction.at(i) != QLatin1Char('"')) {
                if (instruction.at(i) == QLatin1Char('\\') && i + 1 < n
                    && instruction.at(i + 1) == QLatin1Char('\\'))
                    ++i;
                word += instruction.at(i++);
            }
            ++i;
        } else {
            while (i < n && !instruction.at(i).isSpace()) {
                if (instruction.at(i) == QLatin1Char('\\') && i + 1 < n
                    && instruction.at(i + 1) == QLatin1Char('\\'))
                    ++i;
                word += instruction.at(i++);
            }
        }
        words.append(word);
    }
    return words;
}

} // namespace

// HYPERLINK "http://example.com" \o "tip"  #=> http://example.com
// HYPERLINK \l "Part2"                     #=> #Part2
QString RtfReader::HyperlinkTarget(const QString& instruction)
{
    const QStringList words = InstructionWords(instruction);
    if (words.isEmpty() || words.first().compare(QLatin1String("HYPERLINK"), Qt::CaseInsensitive) != 0)
        return QString();
    QString url;
    QString anchor;
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word.size() == 2 && word.at(0) == QLatin1Char('\\')) {
            const QChar option = word.at(1).toLower();
            if (option == QLatin1Char('l') && i + 1 < words.size())
                anchor = words[++i];
            else if ((option == QLatin1Char('o') || option == QLatin1Char('t') || option == QLatin1Char('m'))
                     && i + 1 < words.size())
                ++i;
            continue;
        }
        if (url.isEmpty())
            url = word;
    }
    if (!anchor.isEmpty())
        url += QLatin1Char('#') + anchor;
    // A quote cannot stand in a URL; control characters are no part of one.
    url.replace(QLatin1Char('"'), QLatin1String("%22"));
    url.removeIf([](QChar c) { return c.unicode() < 0x20; });
    return url;
}
