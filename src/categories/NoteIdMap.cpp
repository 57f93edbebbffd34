#include "categories/NoteIdMap.h"

#include <algorithm>

namespace {

bool IsDense(qint32 id, qint64 limit)
{
    return id >= 0 && id < limit;
}

} // namespace

int NoteIdMap::Value(qint32 id) const
{
    if (!IsDense(id, kDenseLimit))
        return m_sparse.value(id, kAbsent);
    return static_cast<size_t>(id) < m_dense.size() ? m_dense[static_cast<size_t>(id)] : kAbsent;
}

int& NoteIdMap::Slot(qint32 id)
{
    if (!IsDense(id, kDenseLimit)) {
        const auto found = m_sparse.find(id);
        return found != m_sparse.end() ? *found : *m_sparse.insert(id, kAbsent);
    }
    const size_t index = static_cast<size_t>(id);
    if (index >= m_dense.size())
        m_dense.resize(std::min(std::max(index + 1, m_dense.size() * 2), size_t(kDenseLimit)), kAbsent);
    return m_dense[index];
}

void NoteIdMap::Remove(qint32 id)
{
    if (!IsDense(id, kDenseLimit))
        m_sparse.remove(id);
    else if (static_cast<size_t>(id) < m_dense.size())
        m_dense[static_cast<size_t>(id)] = kAbsent;
}

void NoteIdMap::Clear()
{
    m_dense.clear();
    m_sparse.clear();
}
