#include "categories/CategoryTreeLoader.h"

#include "categories/CategoryNode.h"
#include "categories/CategoryTree.h"
#include "format/CategoryAssignment.h"

CategoryTreeLoader::CategoryTreeLoader(CategoryTree& tree)
    : m_tree(tree)
{
    m_tree.Clear();
}

CategoryNode& CategoryTreeLoader::NodeAt(CategoryNode* parent, const QString& name, bool* created)
{
    QHash<QString, CategoryNode*>& children = m_children[parent];
    const auto found = children.constFind(name);
    *created = found == children.cend();
    if (!*created)
        return **found;
    CategoryNode& node = parent ? parent->AppendChild(CategoryNode(name)) : m_tree.Append(CategoryNode(name));
    children.insert(name, &node);
    return node;
}

void CategoryTreeLoader::AddNote(qint32 noteId, const CategoryAssignment& a, NoteIdList& unassignedNoteIds,
                                 bool firstSight)
{
    if (a.AssignedLevelCount() == 0) {
        if (firstSight)
            unassignedNoteIds.Append(noteId);
        else
            unassignedNoteIds.AddIfAbsent(noteId);
        return;
    }
    // Levels are looked up by their level field; the path stops at the first level
    // without an entry or without a category, as the tree's own filing does.
    CategoryNode* parent = nullptr;
    for (int level = 0; level < 4; ++level) {
        const CategoryLevelEntry* entry = a.FindEntry(level);
        if (!entry || !entry->IsAssigned())
            return;
        bool created = false;
        CategoryNode& node = NodeAt(parent, entry->name, &created);
        if (created || firstSight)
            node.notes.Append(noteId);
        else
            node.notes.AddIfAbsent(noteId);
        parent = &node;
    }
}
