#pragma once

#include "index/DocSet.h"
#include "index/IndexCoding.h"

#include <QtGlobal>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// The documents of every token while a whole build takes the notes in, each token's in
// rising order. Each list is kept in whichever form is smaller: the differences between
// its documents (as IndexCoding stores a few of them), or, once those outgrow it, a plain
// bitmap up to its last document. Adding a document is then a few byte operations, with
// no look-up and no compressed set to keep in order.
class TokenDocLists
{
public:
    // Adds doc to the token's documents: above every one added to that token before.
    void Add(quint32 token, quint32 doc);

    quint32 TokenCount() const { return quint32(m_lists.size()); }
    quint32 Count(quint32 token) const { return m_lists[token].count; }
    // The token's documents as their differences (PutVarint of each less the one before,
    // the first less 0), while at most kMostFew of them.
    std::string_view Differences(quint32 token) const;
    // The token's documents as a set; its list is emptied.
    DocSet TakeSet(quint32 token);
    // Empties the token's list.
    void Release(quint32 token);

    // A list of at most this many documents is always kept as its differences: as many
    // as the store keeps so.
    static constexpr quint32 kMostFew = quint32(IndexCoding::kMostDifferences);

private:
    struct List
    {
        std::string bytes; // the differences, or the bitmap (bit d % 8 of byte d / 8)
        quint32 last = 0;
        quint32 count = 0;
    };

    void MakeBitmap(quint32 token);

    std::deque<List> m_lists; // by token (a million of them: never copied to grow)
    std::vector<bool> m_bitmap; // by token: its list is a bitmap
};
