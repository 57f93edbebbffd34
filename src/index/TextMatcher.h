#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The search's rules on a note's two texts, the one place they are written: the full scan
// of the note files and the kept index both decide with them. A matcher changes nothing
// once made, so threads may share one.
//
// A note is searched in its text as the note view shows it (its RichText read as RTF),
// and only there: its stored PlainText, written by whichever program saved the note, may
// differ from it and is never consulted. Each term is searched from the start of that
// text to its end, letter case ignored, continuing after each occurrence; a term written
// in double quotes loses its first and last characters and is searched as a whole word.
// A term with at least one occurrence is a hit. The note matches when some term is a hit
// and, for AND, every term is.
//
// Letter case is ignored by folding each character on its own (QChar::toCaseFolded), so
// a match has the length of the term.
class TextMatcher
{
public:
    // How the terms are joined; the values of SearchQuery's operator.
    enum Operator : int
    {
        None = -1,
        And = 1,
        Or = 2
    };

    TextMatcher(int op, const QStringList& terms);

    int Op() const { return m_operator; }
    int TermCount() const { return int(m_terms.size()); }
    // A term without its quotes, and whether it asks for a whole word.
    const QString& TermBody(int term) const { return m_terms.at(term).body; }
    bool IsWholeWord(int term) const { return m_terms.at(term).wholeWord; }

    // Whether the text as shown has enough hits to match: each term searched only up to
    // its first hit.
    bool ShownTextMatches(const QString& shown) const;
    // The ranges of every hit of every term in the shown text, and the number of terms
    // with a hit.
    int FindAllHits(const QString& shown, QList<QPair<int, int>>* ranges) const;

private:
    struct Term
    {
        QString body; // without the quotes
        bool wholeWord = false;
    };

    bool Matched(int hitTerms) const;

    int m_operator;
    QList<Term> m_terms;
};

// Letters, digits and the marks that combine with them make up words; anything else
// (blanks, punctuation, symbols, line breaks) separates them.
bool IsWordChar(char32_t c);

// The character at pos (a surrogate pair as one), and the one before pos.
char32_t CodePointAt(const QString& text, qsizetype pos);
char32_t CodePointBefore(const QString& text, qsizetype pos);

// "\"cat\"" searches cat as a whole word: the first and last characters go, whatever
// they are.
QString SearchTermBody(const QString& term, bool* wholeWord);

// Occurrences of a term in text as (start, length) in QString positions, by the rules
// above (quotes ask for a whole word; an empty term has none).
QList<QPair<int, int>> FindTermHits(const QString& text, const QString& term);
