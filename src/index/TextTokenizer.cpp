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
    MakeBridges(spans, kind);
    return m_tokens;
}

void TextTokenizer::MakeBridges(const std::vector<std::pair<qsizetype, qsizetype>>& spans, bool lastIsWord)
{
    // Offsets first: the buffer may move while it grows.
    std::vector<std::pair<size_t, size_t>> made;
    m_bridgeBuffer.clear();
    // The runs alternate in kind: the last one's kind tells every other's.
    const size_t count = spans.size();
    for (size_t i = 0; i < count; ++i) {
        const bool word = ((count - 1 - i) % 2 == 0) == lastIsWord;
        if (word)
            continue;
        const auto view = [&](size_t at) {
            return std::string_view(m_buffer.constData() + spans[at].first, size_t(spans[at].second));
        };
        const size_t start = m_bridgeBuffer.size();
        if (i > 0)
            m_bridgeBuffer.append(Tail(view(i - 1), kBridgeEnd));
        m_bridgeBuffer.push_back(kJoint);
        m_bridgeBuffer.append(view(i));
        m_bridgeBuffer.push_back(kJoint);
        if (i + 1 < count)
            m_bridgeBuffer.append(Head(view(i + 1), kBridgeEnd));
        made.emplace_back(start, m_bridgeBuffer.size() - start);
    }
    m_bridges.clear();
    m_seenBridges.clear();
    for (const auto& [offset, length] : made) {
        const std::string_view bridge(m_bridgeBuffer.data() + offset, length);
        if (m_seenBridges.insert(bridge).second)
            m_bridges.push_back(bridge);
    }
}

std::string_view TextTokenizer::Head(std::string_view token, int count)
{
    size_t end = 0;
    for (int n = 0; n < count && end < token.size(); ++n) {
        ++end;
        while (end < token.size() && (static_cast<unsigned char>(token[end]) & 0xC0) == 0x80)
            ++end;
    }
    return token.substr(0, end);
}

std::string_view TextTokenizer::Tail(std::string_view token, int count)
{
    size_t start = token.size();
    for (int n = 0; n < count && start > 0; ++n) {
        --start;
        while (start > 0 && (static_cast<unsigned char>(token[start]) & 0xC0) == 0x80)
            --start;
    }
    return token.substr(start);
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
