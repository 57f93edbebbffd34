#include "categories/CategoryNodeIndex.h"

#include "categories/CategoryTree.h"

CategoryNodeIndex::CategoryNodeIndex(CategoryTree& trees)
{
    trees.ForEachNode([this](CategoryNode& node) {
        // The walk meets a node before its children and Level 1 trees in order: the
        // first node with an id is the one FindNode would find.
        int& position = m_positions.Slot(node.id);
        if (position != NoteIdMap::kAbsent)
            return;
        position = static_cast<int>(m_nodes.size());
        m_nodes.push_back(&node);
    });
}
