#include "richtext/RtfTokenizer.h"

#include <climits>

namespace {

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool EndsText(char c)
{
    return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n' || c == '\0';
}

} // namespace

RtfTokenizer::RtfTokenizer(const QByteArray& bytes)
    : m_pos(bytes.constData())
    , m_end(bytes.constData() + bytes.size())
{
}

RtfToken RtfTokenizer::Next()
{
    RtfToken token;
    while (m_pos < m_end && (*m_pos == '\r' || *m_pos == '\n' || *m_pos == '\0'))
        ++m_pos;
    if (m_pos >= m_end)
        return token;
    switch (*m_pos) {
    case '{':
        ++m_pos;
        token.type = RtfToken::Type::GroupOpen;
        return token;
    case '}':
        ++m_pos;
        token.type = RtfToken::Type::GroupClose;
        return token;
    case '\\':
        ++m_pos;
        return ReadControl();
    default:
        break;
    }
    const char* start = m_pos;
    while (m_pos < m_end && !EndsText(*m_pos))
        ++m_pos;
    token.type = RtfToken::Type::Text;
    token.text = std::string_view(start, static_cast<size_t>(m_pos - start));
    return token;
}

RtfToken RtfTokenizer::ReadControl()
{
    RtfToken token;
    if (m_pos >= m_end)
        return token; // a lone backslash ends the input
    const char first = *m_pos;
    if (!IsLetter(first)) {
        ++m_pos;
        if (first == '\'') {
            int value = 0;
            for (int digits = 0; digits < 2 && m_pos < m_end && HexValue(*m_pos) >= 0; ++digits)
                value = value * 16 + HexValue(*m_pos++);
            token.type = RtfToken::Type::HexByte;
            token.symbol = static_cast<char>(value);
            return token;
        }
        token.type = RtfToken::Type::ControlSymbol;
        token.symbol = (first == '\r' || first == '\n') ? '\n' : first;
        return token;
    }
    const char* start = m_pos;
    while (m_pos < m_end && IsLetter(*m_pos))
        ++m_pos;
    token.type = RtfToken::Type::ControlWord;
    token.word = std::string_view(start, static_cast<size_t>(m_pos - start));
    bool negative = false;
    if (m_pos + 1 < m_end && *m_pos == '-' && IsRtfDigit(m_pos[1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_end && IsRtfDigit(*m_pos)) {
        long long value = 0;
        while (m_pos < m_end && IsRtfDigit(*m_pos)) {
            if (value < INT_MAX)
                value = value * 10 + (*m_pos - '0');
            ++m_pos;
        }
        if (value > INT_MAX)
            value = INT_MAX;
        token.hasParam = true;
        token.param = negative ? -static_cast<int>(value) : static_cast<int>(value);
    }
    if (m_pos < m_end && *m_pos == ' ')
        ++m_pos;
    return token;
}

void RtfTokenizer::SkipBytes(qint64 count)
{
    if (count <= 0)
        return;
    if (count >= m_end - m_pos)
        m_pos = m_end;
    else
        m_pos += count;
}
