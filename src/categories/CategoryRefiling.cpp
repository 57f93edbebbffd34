#include "categories/CategoryRefiling.h"

#include "categories/CategoryTree.h"

#include <algorithm>

CategoryRefiling::CategoryRefiling(const CategoryTree& trees)
{
    // The walk meets every node once, Level 1 trees in order, each node before its
    // children: the order ApplyToNote walks in.
    trees.ForEachNode([this](const CategoryNode& node) {
        for (qint32 id : node.notes)
            m_holders.emplace_back(id, &node);
    });
    std::stable_sort(m_holders.begin(), m_holders.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
}

bool CategoryRefiling::ApplyToNote(qint32 noteId, CategoryAssignment& a) const
{
    const auto byId
        = [](const std::pair<qint32, const CategoryNode*>& holder, qint32 id) { return holder.first < id; };
    auto at = std::lower_bound(m_holders.cbegin(), m_holders.cend(), noteId, byId);
    // The first Level 1 tree that holds the note, then what its walk down would reach:
    // each holder whose parent was taken.
    QList<const CategoryNode*> taken;
    for (; at != m_holders.cend() && at->first == noteId; ++at) {
        const CategoryNode* node = at->second;
        if (taken.contains(node))
            continue; // listed twice in one node
        if (taken.isEmpty() ? node->Parent() == nullptr : taken.contains(node->Parent()))
            taken.append(node);
    }
    return CategoryTree::ApplyHolders(taken, a);
}
