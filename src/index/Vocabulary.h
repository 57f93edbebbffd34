#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>
#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The terms of the search index, each with its number: every token the notes hold
// (TextTokenizer), every piece of one to three characters of those tokens (a gram), and
// every bridge (TextTokenizer: a run between words with the ends of the words beside it).
// A gram stands for the notes that hold a token containing it, so that a short term,
// found in a great many tokens, is one look-up.
//
// Numbers are given in the order terms are added and never change; nothing is removed.
// The terms are kept as one run of bytes, each term its kind's mark, its bytes and 0xFF
// (neither mark nor 0xFF occurs in UTF-8), so that a store of a million tokens is read in
// one go and searched for pieces with memmem; only the grams are hashed when read, the
// tokens and bridges when one is first added. The bytes are stored in chunks of kChunk terms.
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
        Bridge = 2,
    };
    // The longest gram, in characters.
    static constexpr int kLongestGram = 3;
    static constexpr quint32 kChunk = 4096;

    // The number of the term, none when unknown.
    std::optional<quint32> Find(Kind kind, std::string_view term) const;
    // The number of the term, added when new (a new token brings its new grams too).
    quint32 Add(Kind kind, std::string_view term);
    // The number of the term, added alone when new: a whole build adds every token first
    // and the grams after them (ForEachGramPiece).
    quint32 AddTerm(Kind kind, std::string_view term);

    quint32 Size() const { return quint32(m_starts.size()); }
    // Every gram with its number, in number order.
    std::vector<std::pair<quint32, std::string>> Grams() const;
    quint32 GramCount() const { return m_grams.Count(); }
    std::string_view Term(quint32 id) const;
    Kind KindOf(quint32 id) const;
    // Hashes the tokens and bridges now, as the first term added would: a program that
    // will add terms does it before it must answer quickly.
    void PrepareForAdding() const { Tokens(); }
    // The grams of a token, worked out when first asked for.
    const std::vector<quint32>& GramsOf(quint32 token);

    // Tokens holding piece anywhere, at their start, at their end, in the order added.
    std::vector<quint32> TokensContaining(std::string_view piece) const;
    std::vector<quint32> TokensStartingWith(std::string_view piece) const;
    std::vector<quint32> TokensEndingWith(std::string_view piece) const;
    // Bridges holding pattern anywhere, in the order added.
    std::vector<quint32> BridgesContaining(std::string_view pattern) const;

    // The stored bytes of a chunk.
    QByteArray Chunk(quint32 chunk) const;
    // Makes room for stored chunks of this many bytes and terms in all, before they are
    // restored.
    void Reserve(size_t bytes, size_t terms);
    // Appends a stored chunk (chunks in order, each full but the last); false for bytes
    // that are not one (a damaged store).
    bool RestoreChunk(QByteArrayView bytes);

    // The pieces of one to kLongestGram characters of a token, each once, sorted.
    static std::vector<std::string> GramsOfToken(std::string_view token);
    // Calls visit(piece) for each piece of one to kLongestGram characters of a token, in
    // the order they start (a piece that occurs twice is visited twice).
    template<class Visit> static void ForEachGramPiece(std::string_view token, Visit visit);

private:
    // An open-addressed set of term numbers, each found by its term's bytes, which stay in
    // m_bytes: four bytes a slot.
    class Table
    {
    public:
        // The number of a term equal to (kind, term), none when absent.
        std::optional<quint32> Find(const Vocabulary& terms, Kind kind, std::string_view term) const;
        void Insert(const Vocabulary& terms, quint32 id);
        void Reserve(const Vocabulary& terms, size_t count);
        quint32 Count() const { return quint32(m_used); }
        // The numbers held, in no order.
        std::vector<quint32> Ids() const;

    private:
        void Grow(const Vocabulary& terms, size_t slotCount);
        std::vector<quint32> m_slots; // id + 1; 0: empty
        size_t m_used = 0;
    };

    quint32 Append(Kind kind, std::string_view term);
    // Records where each term from a place on starts (the first at it, then each after an
    // end byte); returns the bytes from 0xFC up met on the way.
    size_t FindEnds(size_t from);
    size_t HashOf(quint32 id) const;
    // The terms of a kind at whose bytes the pattern occurs; offsetInPattern: where the
    // term's own bytes start in the pattern.
    std::vector<quint32> Scan(std::string_view pattern, size_t offsetInPattern, Kind kind) const;
    const Table& Tokens() const;

    // The terms found by recent scans: a scan for a pattern holding a recent one's looks
    // only among that one's terms (and those added since), as typing a term letter by
    // letter asks.
    struct RecentScan
    {
        std::string pattern;
        Kind kind = Kind::Token;
        quint32 size = 0; // the terms there were
        std::vector<quint32> found;
    };
    const RecentScan* Narrowest(std::string_view pattern, Kind kind) const;
    std::vector<quint32> ScanFrom(std::string_view pattern, size_t offsetInPattern, Kind kind,
                                  size_t fromByte) const;
    std::vector<quint32> ScanRange(std::string_view pattern, size_t offsetInPattern, Kind kind,
                                   size_t fromByte, size_t toByte) const;
    bool Holds(quint32 id, std::string_view pattern) const;
    mutable std::vector<RecentScan> m_recentScans; // the latest last

    std::string m_bytes; // mark, bytes, 0xFF for every term in number order
    std::vector<quint32> m_starts; // where each term's mark is
    Table m_grams;
    mutable Table m_tokens; // tokens and bridges, made when first needed
    mutable bool m_tokensHashed = false;
    std::unordered_map<quint32, std::vector<quint32>> m_gramsOf;
};

template<class Visit> void Vocabulary::ForEachGramPiece(std::string_view token, Visit visit)
{
    // Where each of the next kLongestGram + 1 characters starts.
    const auto length = [&](size_t at) {
        const auto lead = static_cast<unsigned char>(token[at]);
        return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    };
    for (size_t first = 0; first < token.size(); first += size_t(length(first))) {
        size_t end = first;
        for (int count = 0; count < kLongestGram && end < token.size(); ++count) {
            end += size_t(length(end));
            visit(token.substr(first, std::min(end, token.size()) - first));
        }
    }
}
