#include "index/TextTokenizer.h"

#include "index/TextMatcher.h"

namespace {

// Visits each character of text with its kind: visit(c, isWord).
template<class Visit> void ForEachChar(const QString& text, Visit visit)
{
    const qsizetype size = text.size();
    const ushort* units = text.utf16();
    for (qsizetype i = 0; i < size;) {
        if (units[i] < 0x80) {
            visit(char32_t(units[i]), IsWordChar(units[i]));
            ++i;
            continue;
        }
        const char32_t c = CodePointAt(text, i);
        i += c > 0xFFFF ? 2 : 1;
        visit(c, IsWordChar(c));
    }
}

// The character whose UTF-8 form starts at bytes (well formed, surrogates included).
char32_t DecodeAt(const unsigned char* bytes, int* length)
{
    const unsigned char lead = bytes[0];
    if (lead < 0x80) {
        *length = 1;
        return lead;
    }
    if (lead < 0xE0) {
        *length = 2;
        return char32_t(lead & 0x1F) << 6 | (bytes[1] & 0x3F);
    }
    if (lead < 0xF0) {
        *length = 3;
        return char32_t(lead & 0x0F) << 12 | char32_t(bytes[1] & 0x3F) << 6 | (bytes[2] & 0x3F);
    }
    *length = 4;
    return char32_t(lead & 0x07) << 18 | char32_t(bytes[1] & 0x3F) << 12 | char32_t(bytes[2] & 0x3F) << 6
        | (bytes[3] & 0x3F);
}

} // namespace

void TextTokenizer::AppendFolded(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out.append(char(c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c));
        return;
    }
    const char32_t f = (c >= 0xD800 && c <= 0xDFFF) ? c : QChar::toCaseFolded(c);
    if (f < 0x80) {
        out.append(char(f));
    } else if (f < 0x800) {
        const char bytes[] = {char(0xC0 | (f >> 6)), char(0x80 | (f & 0x3F))};
        out.append(bytes, 2);
    } else if (f < 0x10000) {
        const char bytes[]
            = {char(0xE0 | (f >> 12)), char(0x80 | ((f >> 6) & 0x3F)), char(0x80 | (f & 0x3F))};
        out.append(bytes, 3);
    } else {
        const char bytes[] = {char(0xF0 | (f >> 18)), char(0x80 | ((f >> 12) & 0x3F)),
                              char(0x80 | ((f >> 6) & 0x3F)), char(0x80 | (f & 0x3F))};
        out.append(bytes, 4);
    }
}

const std::vector<std::string_view>& TextTokenizer::Split(const QString& text)
{
    m_buffer.clear();
    m_buffer.reserve(text.size() + text.size() / 4);
    // Offsets first: the buffer may move while it grows.
    std::vector<std::pair<qsizetype, qsizetype>> spans;
    qsizetype start = 0;
    bool kind = false;
    bool first = true;
    ForEachChar(text, [&](char32_t c, bool word) {
        if (!first && word != kind) {
            spans.emplace_back(start, m_buffer.size() - start);
            start = m_buffer.size();
        }
        first = false;
        kind = word;
        AppendFolded(m_buffer, c);
    });
    if (!first)
        spans.emplace_back(start, m_buffer.size() - start);

    m_tokens.clear();
    m_seen.clear();
    for (const auto& [offset, length] : spans) {
        const std::string_view token(m_buffer.constData() + offset, size_t(length));
        if (m_seen.insert(token).second)
            m_tokens.push_back(token);
    }
    return m_tokens;
}

std::vector<TextTokenizer::Run> TextTokenizer::Runs(const QString& text)
{
    std::vector<Run> runs;
    ForEachChar(text, [&](char32_t c, bool word) {
        if (runs.empty() || runs.back().word != word)
            runs.push_back(Run {QByteArray(), word});
        AppendFolded(runs.back().folded, c);
    });
    return runs;
}

QByteArray TextTokenizer::Fold(const QString& text)
{
    QByteArray folded;
    folded.reserve(text.size());
    ForEachChar(text, [&](char32_t c, bool) { AppendFolded(folded, c); });
    return folded;
}

bool TextTokenizer::IsWordToken(std::string_view token)
{
    if (token.empty())
        return false;
    int length = 0;
    return IsWordChar(DecodeAt(reinterpret_cast<const unsigned char*>(token.data()), &length));
}

int TextTokenizer::CharCount(std::string_view token)
{
    int count = 0;
    for (const char byte : token)
        count += (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    return count;
}
