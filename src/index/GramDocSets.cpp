#include "index/GramDocSets.h"

#include <algorithm>
#include <utility>

namespace {

// The documents waiting in all lists together before they go into the sets: 32 MB.
constexpr size_t kMostWaiting = size_t(8) << 20;

} // namespace

void GramDocSets::Grow(quint32 gram)
{
    if (gram < m_sets.size())
        return;
    m_sets.resize(size_t(gram) + 1);
    m_waiting.resize(size_t(gram) + 1);
}

void GramDocSets::AddFew(quint32 gram, const std::vector<quint32>& docs)
{
    Grow(gram);
    m_waiting[gram].insert(m_waiting[gram].end(), docs.begin(), docs.end());
    m_waitingTotal += docs.size();
    if (m_waitingTotal > kMostWaiting)
        FlushAll();
}

void GramDocSets::AddSet(quint32 gram, const DocSet& docs)
{
    Grow(gram);
    m_sets[gram] |= docs;
}

DocSet GramDocSets::Take(quint32 gram)
{
    Flush(gram);
    return std::exchange(m_sets[gram], DocSet());
}

void GramDocSets::Flush(quint32 gram)
{
    std::vector<quint32>& waiting = m_waiting[gram];
    if (waiting.empty())
        return;
    m_waitingTotal -= std::min(m_waitingTotal, waiting.size());
    // Sorted, the documents are appended to a set of their own, which is merged in.
    std::sort(waiting.begin(), waiting.end());
    waiting.erase(std::unique(waiting.begin(), waiting.end()), waiting.end());
    DocSet batch;
    batch.AddMany(waiting.data(), waiting.size());
    m_sets[gram] |= batch;
    std::vector<quint32>().swap(waiting);
}

void GramDocSets::FlushAll()
{
    for (quint32 gram = 0; gram < m_sets.size(); ++gram)
        Flush(gram);
    m_waitingTotal = 0;
}
