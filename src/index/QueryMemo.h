#pragma once

#include "index/DocSet.h"

#include <QByteArray>
#include <QCache>
#include <QString>
#include <deque>
#include <utility>
#include <vector>

class TextMatcher;

// What the latest searches found, kept for the next ones while the index stays as it is.
// Typing a term letter by letter asks for ever narrower queries, whose notes lie among
// those of the query before; asking again gives the same answer. Beside that, the shown
// texts of the notes whose files were read to confirm them, by the digest of their stored
// texts, so that the next query confirms them without reading the files again.
class QueryMemo
{
public:
    // A query as the memo compares them: its operator and each term folded, with whether
    // it asks for a whole word.
    struct Key
    {
        int op = 0;
        std::vector<std::pair<QByteArray, bool>> terms;
        friend bool operator==(const Key&, const Key&) = default;
    };
    static Key KeyOf(const TextMatcher& rules);

    // The notes a query with this key matched, when it was asked since the index last
    // changed.
    const DocSet* Same(const Key& key) const;
    // The notes of the query asked lately that every match of key lies among (the fewest
    // of them): one with the same operator and as many terms, each of the same kind, each
    // term of key holding that query's term (a quoted one equal to it).
    const DocSet* Wider(const Key& key) const;
    void Remember(Key key, DocSet matches);
    // The index changed: the matches are forgotten (the texts stay true to their digests).
    void ForgetMatches();

    const QString* ShownText(quint64 digest) const;
    void RememberShownText(quint64 digest, const QString& text);

private:
    std::deque<std::pair<Key, DocSet>> m_queries; // the latest last
    mutable QCache<quint64, QString> m_texts;
};
