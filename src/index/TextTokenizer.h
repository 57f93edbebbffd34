#pragma once

#include <QByteArray>
#include <QString>
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
class TextTokenizer
{
public:
    struct Run
    {
        QByteArray folded;
        bool word = false;
    };

    // The distinct tokens of text, in the order they first come; valid until the next
    // call.
    const std::vector<std::string_view>& Split(const QString& text);

    // Every run of text in order, repeats kept: how a search term is looked up.
    static std::vector<Run> Runs(const QString& text);
    // The folded bytes of a whole text.
    static QByteArray Fold(const QString& text);
    // A token's kind, from its first character (all of its characters are of one kind).
    static bool IsWordToken(std::string_view token);
    // The number of characters in a token.
    static int CharCount(std::string_view token);
    // Appends the folded UTF-8 form of one character.
    static void AppendFolded(QByteArray& out, char32_t c);

private:
    QByteArray m_buffer;
    std::vector<std::string_view> m_tokens;
    std::unordered_set<std::string_view> m_seen;
};
