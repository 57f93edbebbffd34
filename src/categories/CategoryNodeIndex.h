#pragma once

#include "categories/NoteIdMap.h"

#include <QtGlobal>
#include <vector>

class CategoryNode;
class CategoryTree;

// A lookup table from category ids to the nodes of one numbered tree, made in one walk.
// The control bar and the category editor ask for a node by its id once per item; a walk
// of the trees per question would make a tree of many categories cost the square of its
// size to show. Each node also gets a position (0, 1, 2... in the walk's order), for
// keeping what a view knows of each item in an array.
//
// Valid while the tree keeps its shape: nodes may gain or lose notes, but a node added
// or removed after the table was made is not seen (and a removed one must not be asked
// for). As with CategoryTree::FindNode, an id held by two nodes finds the first in the
// walk's order.
class CategoryNodeIndex
{
public:
    CategoryNodeIndex() = default;
    explicit CategoryNodeIndex(CategoryTree& trees);

    // nullptr when no node has that id.
    CategoryNode* Find(qint32 id) const
    {
        const int position = Position(id);
        return position >= 0 ? m_nodes[size_t(position)] : nullptr;
    }
    // The node's position, or -1 when no node has that id.
    int Position(qint32 id) const { return m_positions.Value(id); }
    int Count() const { return static_cast<int>(m_nodes.size()); }

private:
    NoteIdMap m_positions; // ids are numbered densely from 1: an array, not a hash
    std::vector<CategoryNode*> m_nodes;
};
