#pragma once

#include <QHash>
#include <QtGlobal>
#include <vector>

// From note ids to positions (0 or more), kept as an array indexed by id: ids are issued
// from 1000 upwards and stay dense, so a lookup is one load instead of a hash probe. An
// id far beyond that range (a damaged or hostile file) goes to a hash instead, so that a
// single huge id cannot claim memory.
class NoteIdMap
{
public:
    static constexpr int kAbsent = -1;

    // The position of id, or kAbsent.
    int Value(qint32 id) const;
    // The position of id, to be read or changed in place; kAbsent when it was absent.
    int& Slot(qint32 id);
    void Remove(qint32 id);
    void Clear();

private:
    // Ids below this are kept in the array: 4 million ids in 16 MB at most.
    static constexpr qint64 kDenseLimit = qint64(1) << 22;

    std::vector<int> m_dense;
    QHash<qint32, int> m_sparse;
};
