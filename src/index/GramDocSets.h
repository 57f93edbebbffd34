#pragma once

#include "index/DocSet.h"

#include <QtGlobal>
#include <vector>

// The documents of every gram while a whole build makes them from the tokens that hold
// each gram. A token of a few documents adds them in no order that suits a compressed
// set, so they wait in a plain list per gram and go into the set sorted, a batch at a
// time, whenever the lists together grow past a budget (and when the set is taken).
class GramDocSets
{
public:
    // Adds docs (rising) to the gram's documents.
    void AddFew(quint32 gram, const std::vector<quint32>& docs);
    // Adds a set to the gram's documents.
    void AddSet(quint32 gram, const DocSet& docs);
    quint32 GramCount() const { return quint32(m_sets.size()); }
    // The gram's documents; its set is emptied.
    DocSet Take(quint32 gram);

private:
    void Grow(quint32 gram);
    void Flush(quint32 gram);
    void FlushAll();

    std::vector<DocSet> m_sets;
    std::vector<std::vector<quint32>> m_waiting; // by gram
    size_t m_waitingTotal = 0;
};
