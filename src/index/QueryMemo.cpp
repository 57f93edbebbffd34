#include "index/QueryMemo.h"

#include "index/TextMatcher.h"
#include "index/TextTokenizer.h"

namespace QueryMemoParts {

constexpr size_t kQueries = 8;
constexpr qsizetype kTextCharacters = qsizetype(16) << 20; // 32 MB of shown texts

bool Narrows(const QueryMemo::Key& narrow, const QueryMemo::Key& wide)
{
    if (narrow.op != wide.op || narrow.terms.size() != wide.terms.size())
        return false;
    for (size_t i = 0; i < narrow.terms.size(); ++i) {
        const auto& [body, wholeWord] = narrow.terms[i];
        const auto& [wideBody, wideWholeWord] = wide.terms[i];
        // An empty term never hits, so it narrows nothing.
        if (wholeWord != wideWholeWord || wideBody.isEmpty()
            || (wholeWord ? body != wideBody : !body.contains(wideBody)))
            return false;
    }
    return true;
}

} // namespace QueryMemoParts

using namespace QueryMemoParts;

QueryMemo::Key QueryMemo::KeyOf(const TextMatcher& rules)
{
    Key key;
    key.op = rules.Op();
    for (int i = 0; i < rules.TermCount(); ++i)
        key.terms.emplace_back(TextTokenizer::Fold(rules.TermBody(i)), rules.IsWholeWord(i));
    return key;
}

const DocSet* QueryMemo::Same(const Key& key) const
{
    for (const auto& [known, matches] : m_queries) {
        if (known == key)
            return &matches;
    }
    return nullptr;
}

const DocSet* QueryMemo::Wider(const Key& key) const
{
    const DocSet* fewest = nullptr;
    for (const auto& [known, matches] : m_queries) {
        if (Narrows(key, known) && (!fewest || matches.Count() < fewest->Count()))
            fewest = &matches;
    }
    return fewest;
}

void QueryMemo::Remember(Key key, DocSet matches)
{
    if (m_queries.size() == kQueries)
        m_queries.pop_front();
    m_queries.emplace_back(std::move(key), std::move(matches));
}

void QueryMemo::ForgetMatches()
{
    m_queries.clear();
}

const QString* QueryMemo::ShownText(quint64 digest) const
{
    return m_texts.object(digest);
}

void QueryMemo::RememberShownText(quint64 digest, const QString& text)
{
    if (m_texts.maxCost() != kTextCharacters)
        m_texts.setMaxCost(kTextCharacters);
    m_texts.insert(digest, new QString(text), std::max<qsizetype>(1, text.size()));
}
