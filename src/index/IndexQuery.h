#pragma once

#include "index/DocSet.h"

#include <optional>

class IndexContent;
class TextMatcher;

// Answers a search from an index's content, by the same rules as reading every note
// (TextMatcher), with the same notes as the answer.
//
// Each term is looked up by its runs (TextTokenizer::Runs):
// - a term of word characters only is found in the tokens that hold it (substring), or
//   that are it (quoted: a whole word); one or two characters are one gram. This is
//   exact for the shown text, and a note whose PlainText holds every word of its shown
//   text (or is empty) passes the PlainText rule too.
// - any other term (punctuation, or reaching across words) gives candidates: the notes
//   whose tokens could hold its runs in a row (a term holding half of a surrogate pair:
//   every note). Each candidate is confirmed by the rules themselves on its kept texts,
//   as is every note the exact rule does not settle.
class IndexQuery
{
public:
    struct Answer
    {
        DocSet matches;
        int confirmed = 0; // notes whose texts were read to confirm them
    };

    // None when the content failed while answering (a damaged store).
    static std::optional<Answer> Find(IndexContent& content, const TextMatcher& rules);
};
