#pragma once

#include "index/DocSet.h"

#include <QString>
#include <optional>

class IndexContent;
class QueryMemo;
class TextMatcher;

// Answers a search from an index's content, by the same rules as reading every note
// (TextMatcher), with the same notes as the answer.
//
// Each term is looked up by its runs (TextTokenizer::Runs):
// - a term of one run is found exactly in the tokens that hold it (a substring), or that
//   are it (a quoted run of word characters: a whole word); up to three characters are one
//   gram.
// - a term reaching across runs is found in the bridges (TextTokenizer) that can hold its
//   runs of other characters with the words beside them: exactly when it has one such run
//   and the words beside it in the term are short enough to lie in a bridge whole ("ka lo",
//   "pie,"); otherwise the bridges and the tokens that could hold its runs in a row give
//   candidates.
// - a quoted run of other characters, too, gives candidates; a term holding half of a
//   surrogate pair: every note.
// Each candidate that the exact terms do not settle is confirmed by the rules themselves
// on its record in its note file, which must still have the stamp the index read it with.
class IndexQuery
{
public:
    struct Answer
    {
        DocSet matches;
        int confirmed = 0; // notes whose RTF was read to confirm them
    };

    // None when the content failed while answering (a damaged store), or a note file to
    // be read changed since the index read it. memo, when given, answers again what it
    // knows, narrows the candidates of a query that narrows one it knows, and keeps what
    // this query found; the caller forgets its matches whenever the content changes.
    static std::optional<Answer> Find(IndexContent& content, const TextMatcher& rules,
                                      const QString& notesFolder, QueryMemo* memo = nullptr);
};
