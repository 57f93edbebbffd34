#pragma once

#include <QtGlobal>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The terms of the search index, each with its number: every token the notes hold
// (TextTokenizer) and every piece of one to three characters of those tokens (a gram). A
// gram stands for the notes that hold a token containing it, so that a short term, found
// in a great many tokens, is one look-up.
//
// Numbers are given in the order terms are added and never change; nothing is removed.
class Vocabulary
{
public:
    enum class Kind : quint8
    {
        Token = 0,
        Gram = 1,
    };
    // The longest gram, in characters.
    static constexpr int kLongestGram = 3;

    // The number of the term, none when unknown.
    std::optional<quint32> Find(Kind kind, std::string_view term) const;
    // The number of the term, added when new (a new token brings its new grams too).
    quint32 Add(Kind kind, std::string_view term);
    // Restores a stored term under its stored number; false when the number or the term
    // is already taken (a damaged store). After the last, FinishRestore links each token
    // to its grams: false when a gram of a token was never stored (a damaged store).
    bool Restore(quint32 id, Kind kind, std::string_view term);
    bool FinishRestore();

    quint32 Size() const { return quint32(m_entries.size()); }
    std::string_view Term(quint32 id) const { return *m_entries.at(id).text; }
    Kind KindOf(quint32 id) const { return m_entries.at(id).kind; }
    // The grams of a token.
    const std::vector<quint32>& GramsOf(quint32 token) const { return m_entries.at(token).grams; }

    // Tokens holding piece anywhere, at their start, at their end, in the order added.
    std::vector<quint32> TokensContaining(std::string_view piece) const;
    std::vector<quint32> TokensStartingWith(std::string_view piece) const;
    std::vector<quint32> TokensEndingWith(std::string_view piece) const;

    // The pieces of one to kLongestGram characters of a token, each once.
    static std::vector<std::string> GramsOfToken(std::string_view token);

private:
    struct Hash
    {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
    };
    using Map = std::unordered_map<std::string, quint32, Hash, std::equal_to<>>;

    struct Entry
    {
        const std::string* text = nullptr; // the key in its map
        Kind kind = Kind::Token;
        std::vector<quint32> grams; // tokens only
    };

    quint32 Insert(quint32 id, Kind kind, std::string_view term);
    void LinkGrams(quint32 token);
    // The tokens at whose bytes the pattern occurs in the joined tokens.
    std::vector<quint32> Scan(std::string_view pattern, size_t offsetInPattern) const;

    Map m_tokens;
    Map m_grams;
    std::vector<Entry> m_entries;
    // Every token between separators (0xFF, never in UTF-8): \xFF tok \xFF tok ... \xFF.
    std::string m_joined {"\xFF"};
    std::vector<size_t> m_starts; // where each token starts in m_joined
    std::vector<quint32> m_ids; // the token at each start
};
