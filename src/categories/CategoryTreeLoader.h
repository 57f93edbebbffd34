#pragma once

#include <QHash>
#include <QString>
#include <QtGlobal>
#include <unordered_map>

class CategoryAssignment;
class CategoryNode;
class CategoryTree;
class NoteIdList;

// Builds the category trees of a load from an empty tree: each note goes to the node of
// every level of its path (up to the first level without a category), and nodes missing
// from the path are appended as they are first met. The result is the one
// CategoryTree::AddNoteAtLoad gives; this form finds each node with one lookup instead of
// offering the note to every category on the way.
//
// It relies on the tree being built by it alone: then no two siblings share a name.
class CategoryTreeLoader
{
public:
    // Empties tree.
    explicit CategoryTreeLoader(CategoryTree& tree);

    // firstSight: no list holds noteId yet, so it is appended without looking for it.
    void AddNote(qint32 noteId, const CategoryAssignment& a, NoteIdList& unassignedNoteIds, bool firstSight);

private:
    CategoryNode& NodeAt(CategoryNode* parent, const QString& name, bool* created);

    CategoryTree& m_tree;
    // The children of each node (nullptr for Level 1) by name. Looking a name up copies
    // nothing: the names are shared with the scanning thread, and every copy would touch
    // their shared counts.
    std::unordered_map<const CategoryNode*, QHash<QString, CategoryNode*>> m_children;
};
