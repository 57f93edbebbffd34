#pragma once

#include <QSet>
#include <QtGlobal>
#include <vector>

// A set of note ids that answers "seen before?" with one bit per id. Ids are issued from
// 1000 upwards and stay dense, so the bits of every id up to the highest cost little; an
// id far beyond that range (a damaged or hostile file) goes to a hash instead, so that a
// single huge id cannot claim memory.
class NoteIdSet
{
public:
    // True when id was not yet in the set.
    bool Insert(qint32 id);
    bool Contains(qint32 id) const;

private:
    // Ids below this are kept as bits: 64 million ids in 8 MB at most.
    static constexpr qint64 kDenseLimit = qint64(1) << 26;

    std::vector<quint64> m_bits;
    QSet<qint32> m_sparse;
};
