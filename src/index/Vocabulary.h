#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The terms of the search index, each with its number: every token the notes hold
// (TextTokenizer) and every piece of one to three characters of those tokens (a gram). A
// gram stands for the notes that hold a token containing it, so that a short term, found
// in a great many tokens, is one look-up.
//
// Numbers are given in the order terms are added and never change; nothing is removed.
// The terms are kept as one run of bytes, each term its kind's mark, its bytes and 0xFF
// (neither mark nor 0xFF occurs in UTF-8), so that a store of a million tokens is read in
// one go and searched for pieces with memmem; only the grams are hashed when read. The
// bytes are stored in chunks of kChunk terms.
class Vocabulary
{
public:
    Vocabulary();
    Vocabulary(const Vocabulary&) = delete;
    Vocabulary& operator=(const Vocabulary&) = delete;

    enum class Kind : quint8
    {
        Token = 0,
        Gram = 1,
    };
    // The longest gram, in characters.
    static constexpr int kLongestGram = 3;
    static constexpr quint32 kChunk = 4096;

    // The number of the term, none when unknown.
    std::optional<quint32> Find(Kind kind, std::string_view term) const;
    // The number of the term, added when new (a new token brings its new grams too).
    quint32 Add(Kind kind, std::string_view term);

    quint32 Size() const { return quint32(m_starts.size()); }
    std::string_view Term(quint32 id) const;
    Kind KindOf(quint32 id) const;
    // The grams of a token, worked out when first asked for.
    const std::vector<quint32>& GramsOf(quint32 token);

    // Tokens holding piece anywhere, at their start, at their end, in the order added.
    std::vector<quint32> TokensContaining(std::string_view piece) const;
    std::vector<quint32> TokensStartingWith(std::string_view piece) const;
    std::vector<quint32> TokensEndingWith(std::string_view piece) const;

    // The stored bytes of a chunk.
    QByteArray Chunk(quint32 chunk) const;
    // Appends a stored chunk (chunks in order, each full but the last); false for bytes
    // that are not one (a damaged store).
    bool RestoreChunk(QByteArrayView bytes);

    // The pieces of one to kLongestGram characters of a token, each once.
    static std::vector<std::string> GramsOfToken(std::string_view token);

private:
    // Sets of term numbers looked up by the terms' bytes, which stay in m_bytes.
    struct Hash
    {
        using is_transparent = void;
        const Vocabulary* vocabulary;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
        size_t operator()(quint32 id) const { return (*this)(vocabulary->Term(id)); }
    };
    struct Equal
    {
        using is_transparent = void;
        const Vocabulary* vocabulary;
        bool operator()(quint32 a, quint32 b) const { return a == b; }
        bool operator()(std::string_view a, quint32 b) const { return a == vocabulary->Term(b); }
        bool operator()(quint32 a, std::string_view b) const { return vocabulary->Term(a) == b; }
    };
    using Map = std::unordered_set<quint32, Hash, Equal>;

    quint32 Append(Kind kind, std::string_view term);
    // The terms at whose bytes the pattern occurs; offsetInPattern: where the term's own
    // bytes start in the pattern.
    std::vector<quint32> Scan(std::string_view pattern, size_t offsetInPattern) const;
    const Map& Tokens() const;

    std::string m_bytes; // mark, bytes, 0xFF for every term in number order
    std::vector<size_t> m_starts; // where each term's mark is
    Map m_grams;
    mutable Map m_tokens; // made when first needed: a token is looked up by hash
    mutable bool m_tokensHashed = false;
    std::unordered_map<quint32, std::vector<quint32>> m_gramsOf;
};
