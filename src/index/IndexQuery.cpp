#include "index/IndexQuery.h"

#include "index/IndexContent.h"
#include "index/TextMatcher.h"
#include "index/TextTokenizer.h"

namespace {

// What the index says of one term.
struct TermDocs
{
    DocSet docs; // the notes whose shown text hits it, or candidates for it
    bool exactShown = false; // docs is exactly the notes whose shown text hits the term
    bool wordsOnly = false; // the term is one run of word characters
};

std::string_view View(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), size_t(bytes.size()));
}

DocSet Containing(IndexContent& content, const QByteArray& piece)
{
    const Vocabulary& terms = content.Terms();
    if (TextTokenizer::CharCount(View(piece)) <= 2) {
        const std::optional<quint32> gram = terms.Find(Vocabulary::Kind::Gram, View(piece));
        return gram ? content.Postings(*gram) : DocSet();
    }
    return content.UnionOfPostings(terms.TokensContaining(View(piece)));
}

DocSet Exactly(IndexContent& content, const QByteArray& token)
{
    const std::optional<quint32> id = content.Terms().Find(Vocabulary::Kind::Token, View(token));
    return id ? content.Postings(*id) : DocSet();
}

TermDocs LookUp(IndexContent& content, const QString& body, bool wholeWord)
{
    TermDocs term;
    if (body.isEmpty()) { // never a hit
        term.exactShown = true;
        term.wordsOnly = true;
        return term;
    }
    if (!QStringView(body).isValidUtf16()) {
        // Half a character pair matches half of one in the text, which no token shows:
        // every note is a candidate.
        term.docs = content.Live();
        return term;
    }
    const std::vector<TextTokenizer::Run> runs = TextTokenizer::Runs(body);
    if (runs.size() == 1) {
        const TextTokenizer::Run& run = runs.front();
        term.wordsOnly = run.word;
        // A quoted run of other characters must still have words or nothing beside it:
        // that is confirmed on the text.
        term.exactShown = run.word || !wholeWord;
        term.docs = run.word && wholeWord ? Exactly(content, run.folded) : Containing(content, run.folded);
        return term;
    }
    // Reaching across runs: the first run ends a token, the last starts one, and those
    // between are whole tokens. A quoted term's outer runs of word characters are whole.
    for (size_t i = 0; i < runs.size(); ++i) {
        const TextTokenizer::Run& run = runs[i];
        const bool first = i == 0;
        const bool last = i + 1 == runs.size();
        const Vocabulary& terms = content.Terms();
        DocSet docs;
        if ((!first && !last) || (wholeWord && run.word))
            docs = Exactly(content, run.folded);
        else if (first)
            docs = content.UnionOfPostings(terms.TokensEndingWith(View(run.folded)));
        else
            docs = content.UnionOfPostings(terms.TokensStartingWith(View(run.folded)));
        if (i == 0)
            term.docs = std::move(docs);
        else
            term.docs &= docs;
        if (term.docs.IsEmpty())
            break;
    }
    return term;
}

} // namespace

std::optional<IndexQuery::Answer> IndexQuery::Find(IndexContent& content, const TextMatcher& rules)
{
    const bool all = rules.Op() == TextMatcher::And;
    std::vector<TermDocs> terms;
    for (int i = 0; i < rules.TermCount(); ++i)
        terms.push_back(LookUp(content, rules.TermBody(i), rules.IsWholeWord(i)));

    // Candidates, and those settled without reading their texts: a note whose PlainText
    // is empty passes that rule; one that holds every shown word passes it for a term of
    // word characters found in its shown text.
    const DocSet passesPlainRule = content.PlainEmpty() | content.PlainHasShownWords();
    DocSet candidates;
    DocSet settled;
    bool allExact = true;
    bool allWords = true;
    for (size_t i = 0; i < terms.size(); ++i) {
        const TermDocs& term = terms[i];
        allExact = allExact && term.exactShown;
        allWords = allWords && term.wordsOnly && term.exactShown;
        if (i == 0)
            candidates = term.docs;
        else if (all)
            candidates &= term.docs;
        else
            candidates |= term.docs;
        if (!all && term.exactShown)
            settled |= term.docs & (term.wordsOnly ? passesPlainRule : content.PlainEmpty());
    }
    candidates &= content.Live();
    if (all && allExact)
        settled = candidates & (allWords ? passesPlainRule : content.PlainEmpty());
    else if (all)
        settled = DocSet();
    settled &= candidates;

    Answer answer;
    answer.matches = settled;
    const DocSet unsettled = candidates - settled;
    bool failed = false;
    unsettled.ForEach([&](quint32 doc) {
        const std::optional<PackedTexts::Texts> texts = content.Texts(doc);
        if (!texts) {
            failed = true;
            return false;
        }
        ++answer.confirmed;
        const QByteArray& plain = texts->plainText;
        if (rules.MayMatchBytes(plain.constData(), plain.size()) && rules.ShownTextMatches(texts->shown))
            answer.matches.Add(doc);
        return true;
    });
    if (failed || content.Failed())
        return std::nullopt;
    return answer;
}
