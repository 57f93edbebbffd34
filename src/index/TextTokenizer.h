#pragma once

#include <QByteArray>
#include <QString>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// Cuts a note's shown text into the tokens the search index keeps: each word (a longest
// run of word characters, IsWordChar) and each run of the characters between words,
// every character case-folded as the search folds it, as UTF-8 bytes (a lone surrogate
// as its own three bytes, so that every text has one form).
//
// Why this is enough: folding keeps a character a word character or not, so wherever a
// term made of one kind of character occurs in a text (case ignored), it lies inside one
// token; and a quoted term of word characters occurs as a whole word exactly where it is
// a whole token. UTF-8 keeps "is a substring of" between texts and their bytes.
//
//   "Salt, and PEPPER."  #=> "salt" ", " "and" " " "pepper" "."
//
// Beside the tokens, each run between words gives a bridge: the last kBridgeEnd
// characters of the word before it (none at the start of the text), kJoint, the run,
// kJoint, and the first kBridgeEnd characters of the word after it (none at the end), so
// that a term reaching across words is found where its pieces lie side by side:
//
//   "Salt, and PEPPER."  #=> "alt|, |and" "and| |pep" "per|.|"   (| standing for kJoint)
class TextTokenizer
{
public:
    struct Run
    {
        QByteArray folded;
        bool word = false;
    };

    // The characters of a word kept at each end of a bridge.
    static constexpr int kBridgeEnd = 3;
    // Between the parts of a bridge: a byte that UTF-8 never holds.
    static constexpr char kJoint = '\xFB';

    // The distinct tokens of text, in the order they first come; valid until the next
    // call.
    const std::vector<std::string_view>& Split(const QString& text);
    // The distinct bridges of the text last split, in the order they first come; valid
    // until the next call of Split.
    const std::vector<std::string_view>& Bridges() const { return m_bridges; }

    // Every run of text in order, repeats kept: how a search term is looked up.
    static std::vector<Run> Runs(const QString& text);
    // The folded bytes of a whole text.
    static QByteArray Fold(const QString& text);
    // A token's kind, from its first character (all of its characters are of one kind).
    static bool IsWordToken(std::string_view token);
    // The number of characters in a token.
    static int CharCount(std::string_view token);
    // The first and the last count characters of a token (all of it when shorter).
    static std::string_view Head(std::string_view token, int count);
    static std::string_view Tail(std::string_view token, int count);
    // Appends the folded UTF-8 form of one character.
    static void AppendFolded(QByteArray& out, char32_t c);

private:
    // The bridges of the runs at spans of m_buffer, whose last run is a word or not.
    void MakeBridges(const std::vector<std::pair<qsizetype, qsizetype>>& spans, bool lastIsWord);

    QByteArray m_buffer;
    std::vector<std::string_view> m_tokens;
    std::unordered_set<std::string_view> m_seen;
    std::string m_bridgeBuffer;
    std::vector<std::string_view> m_bridges;
    std::unordered_set<std::string_view> m_seenBridges;
};
