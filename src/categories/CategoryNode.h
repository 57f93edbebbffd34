#pragma once

#include "format/NoteIdList.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// The id of the pseudo Level 1 node "<UNASSIGNED>" that the category editor and the
// control bar add to their working copies for the notes without a category. It is never
// stored and never part of the database's trees.
constexpr qint32 UNASSIGNED_CATEGORY_ID = 21122112;

// One category in memory, with its subcategories.
//
// A node owns its children; each child knows its parent. The parent link describes where
// a node sits, not what it holds: a copy (or a moved-from value) is a free-standing node
// with no parent, and adding it as a child sets the link. Children live on the heap, so
// references to nodes stay valid while siblings are added or removed.
//
// notes holds every note filed at this category or below it: each id of a child's notes
// is also in its parent's. The notes filed at exactly this category are those that no
// child holds (NotesOnlyAtThisLevel).
class CategoryNode
{
public:
    CategoryNode() = default;
    explicit CategoryNode(QString name, qint32 id = -1);
    CategoryNode(const CategoryNode& other);
    CategoryNode(CategoryNode&& other) noexcept;
    // Assignment replaces the contents and keeps this node's own place (its parent).
    CategoryNode& operator=(const CategoryNode& other);
    CategoryNode& operator=(CategoryNode&& other) noexcept;
    ~CategoryNode();

    qint32 id = -1; // -1 until numbered
    QString name;
    NoteIdList notes;

    // The node one level up; nullptr for a Level 1 category or a free-standing node.
    const CategoryNode* Parent() const { return m_parent; }
    CategoryNode* Parent() { return m_parent; }
    // 0 for Level 1.
    int Depth() const;
    int Level() const { return Depth() + 1; }
    // The greatest depth below this node minus its own; 0 without children.
    int Height() const;
    // The names of the ancestors, Level 1 first.
    QStringList AncestorNames() const;
    // True when this node is ancestor or the node itself lies below ancestor.
    bool IsWithin(const CategoryNode& ancestor) const;
    bool IsUnassignedPseudoNode() const { return id == UNASSIGNED_CATEGORY_ID; }

    int ChildCount() const { return static_cast<int>(m_children.size()); }
    bool HasChildren() const { return !m_children.empty(); }
    const CategoryNode& Child(int index) const { return *m_children.at(index); }
    CategoryNode& Child(int index) { return *m_children.at(index); }
    // The position of child among the children, or -1.
    int IndexOfChild(const CategoryNode& child) const;
    // Appends a subcategory (the node and its whole subtree) and returns it in place.
    CategoryNode& AppendChild(CategoryNode child);
    // Unlinks the child at index and hands it back free-standing.
    CategoryNode TakeChild(int index);

    // notes minus every id that some child holds.
    NoteIdList NotesOnlyAtThisLevel() const;
    // Union-appends ids into this node and every ancestor.
    void AddNotesToNodeAndAncestors(const NoteIdList& ids);
    // Removes every occurrence of each id from this node and every descendant.
    void RemoveNotesFromSubtree(const NoteIdList& ids);

    // {"name", "notes": [ids], "children": [nodes]} in child order.
    QJsonObject ToJson() const;

    // Same ids, names, notes and children, in the same order.
    friend bool operator==(const CategoryNode& a, const CategoryNode& b);

private:
    void CopyChildrenFrom(const CategoryNode& other);
    void AdoptChildren();

    CategoryNode* m_parent = nullptr;
    std::vector<std::unique_ptr<CategoryNode>> m_children;
};
