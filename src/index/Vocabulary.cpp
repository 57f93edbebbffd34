#include "index/Vocabulary.h"

#include <algorithm>
#include <string.h> // memmem

namespace {

constexpr char kSeparator = '\xFF';

size_t CharLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return 4;
}

} // namespace

std::optional<quint32> Vocabulary::Find(Kind kind, std::string_view term) const
{
    const Map& map = kind == Kind::Token ? m_tokens : m_grams;
    const auto found = map.find(term);
    if (found == map.end())
        return std::nullopt;
    return found->second;
}

quint32 Vocabulary::Add(Kind kind, std::string_view term)
{
    if (const std::optional<quint32> known = Find(kind, term))
        return *known;
    const quint32 id = Size();
    Insert(id, kind, term);
    if (kind == Kind::Token)
        LinkGrams(id);
    return id;
}

bool Vocabulary::Restore(quint32 id, Kind kind, std::string_view term)
{
    if (id != Size() || Find(kind, term))
        return false;
    Insert(id, kind, term);
    return true;
}

bool Vocabulary::FinishRestore()
{
    const quint32 stored = Size();
    for (quint32 id = 0; id < stored; ++id) {
        if (m_entries[id].kind == Kind::Token)
            LinkGrams(id);
    }
    return Size() == stored;
}

quint32 Vocabulary::Insert(quint32 id, Kind kind, std::string_view term)
{
    Map& map = kind == Kind::Token ? m_tokens : m_grams;
    const auto inserted = map.emplace(std::string(term), id).first;
    m_entries.push_back(Entry {&inserted->first, kind, {}});
    if (kind == Kind::Token) {
        m_starts.push_back(m_joined.size());
        m_ids.push_back(id);
        m_joined.append(term);
        m_joined.push_back(kSeparator);
    }
    return id;
}

void Vocabulary::LinkGrams(quint32 token)
{
    std::vector<quint32> grams;
    for (const std::string& gram : GramsOfToken(Term(token)))
        grams.push_back(Add(Kind::Gram, gram));
    m_entries[token].grams = std::move(grams);
}

std::vector<std::string> Vocabulary::GramsOfToken(std::string_view token)
{
    // Where each character starts; the pieces run from one start to a later one.
    std::vector<size_t> starts;
    for (size_t at = 0; at < token.size(); at += CharLength(static_cast<unsigned char>(token[at])))
        starts.push_back(at);
    starts.push_back(token.size());
    std::vector<std::string> grams;
    for (size_t first = 0; first + 1 < starts.size(); ++first) {
        for (size_t length = 1; length <= kLongestGram && first + length < starts.size(); ++length)
            grams.emplace_back(token.substr(starts[first], starts[first + length] - starts[first]));
    }
    std::sort(grams.begin(), grams.end());
    grams.erase(std::unique(grams.begin(), grams.end()), grams.end());
    return grams;
}

std::vector<quint32> Vocabulary::Scan(std::string_view pattern, size_t offsetInPattern) const
{
    std::vector<quint32> found;
    const char* data = m_joined.data();
    const size_t size = m_joined.size();
    size_t from = 0;
    while (from < size) {
        const void* hit = memmem(data + from, size - from, pattern.data(), pattern.size());
        if (!hit)
            break;
        // The token whose bytes hold the hit; the search goes on after that token.
        const size_t at = size_t(static_cast<const char*>(hit) - data) + offsetInPattern;
        const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), at);
        const size_t index = size_t(next - m_starts.begin()) - 1;
        found.push_back(m_ids[index]);
        from = next == m_starts.end() ? size : *next - 1;
    }
    return found;
}

std::vector<quint32> Vocabulary::TokensContaining(std::string_view piece) const
{
    if (piece.empty())
        return {};
    return Scan(piece, 0);
}

std::vector<quint32> Vocabulary::TokensStartingWith(std::string_view piece) const
{
    if (piece.empty())
        return {};
    std::string pattern(1, kSeparator);
    pattern.append(piece);
    return Scan(pattern, 1);
}

std::vector<quint32> Vocabulary::TokensEndingWith(std::string_view piece) const
{
    if (piece.empty())
        return {};
    std::string pattern(piece);
    pattern.push_back(kSeparator);
    return Scan(pattern, 0);
}
