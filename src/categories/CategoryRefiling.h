#pragma once

#include <QList>
#include <QtGlobal>
#include <utility>
#include <vector>

class CategoryAssignment;
class CategoryNode;
class CategoryTree;

// Re-files many notes from one set of (edited) trees, as CategoryTree::ApplyToNote does
// one note: made in one walk that notes, for every note id, the nodes holding it. Asking
// each note of the database which Level 1 tree holds it, and which child below, would
// cost the number of notes times the width of the trees.
//
// The trees must stay as they are (shape and notes) while this is used.
class CategoryRefiling
{
public:
    explicit CategoryRefiling(const CategoryTree& trees);

    // CategoryTree::ApplyToNote for the note: true when a tree holds it and its path
    // there differs from a's; a is rewritten from the trees either way.
    bool ApplyToNote(qint32 noteId, CategoryAssignment& a) const;

private:
    // (note id, a node holding it), sorted by id; the nodes of one id in the walk's order.
    std::vector<std::pair<qint32, const CategoryNode*>> m_holders;
};
