#include "categories/NoteIdSet.h"

#include <algorithm>

bool NoteIdSet::Insert(qint32 id)
{
    if (id < 0 || id >= kDenseLimit) {
        const qsizetype before = m_sparse.size();
        m_sparse.insert(id);
        return m_sparse.size() != before;
    }
    const size_t word = static_cast<size_t>(id) / 64;
    const quint64 bit = quint64(1) << (id % 64);
    if (word >= m_bits.size())
        m_bits.resize(std::min(std::max(word + 1, m_bits.size() * 2), size_t(kDenseLimit / 64)), 0);
    const bool added = !(m_bits[word] & bit);
    m_bits[word] |= bit;
    return added;
}

bool NoteIdSet::Contains(qint32 id) const
{
    if (id < 0 || id >= kDenseLimit)
        return m_sparse.contains(id);
    const size_t word = static_cast<size_t>(id) / 64;
    return word < m_bits.size() && (m_bits[word] & (quint64(1) << (id % 64)));
}
