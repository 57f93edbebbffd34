#pragma once

#include "categories/CategoryNode.h"
#include "format/CategoryAssignment.h"
#include "format/NoteIdList.h"

#include <QJsonArray>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

struct NoteRecord;

// The category trees: the ordered list of Level 1 categories, each owning its
// subcategories. Categories have no file of their own; the trees are built from the
// notes' paths at every load (AddNoteAtLoad or FileNote per note, in load order) and
// kept in step by FileNote and UnfileNote. Copying a tree copies every node; dialogs
// and views work on such copies.
//
// Names are compared exactly and case-sensitively ("Science" and "science" are two
// categories). A path stops at its first unassigned level: a note named at Level 1 and
// Level 3 but not at Level 2 is filed under its Level 1 category only.
class CategoryTree
{
public:
    CategoryTree() = default;
    CategoryTree(const CategoryTree& other);
    CategoryTree(CategoryTree&& other) noexcept = default;
    CategoryTree& operator=(const CategoryTree& other);
    CategoryTree& operator=(CategoryTree&& other) noexcept = default;
    ~CategoryTree();

    // The Level 1 categories.
    int Count() const { return static_cast<int>(m_nodes.size()); }
    bool IsEmpty() const { return m_nodes.empty(); }
    const CategoryNode& Node(int index) const { return *m_nodes.at(index); }
    CategoryNode& Node(int index) { return *m_nodes.at(index); }
    // The position of a Level 1 category, or -1.
    int IndexOf(const CategoryNode& node) const;
    // Appends a Level 1 category with its subtree and returns it in place.
    CategoryNode& Append(CategoryNode node);
    // Takes the Level 1 category at index out and hands it back free-standing.
    CategoryNode TakeNode(int index);
    void Clear();

    // The load step for one note: an unassigned note goes to unassignedNoteIds, any
    // other is filed under its path.
    void AddNoteAtLoad(qint32 noteId, const CategoryAssignment& a, NoteIdList& unassignedNoteIds);
    // Files the note under its path, creating the categories it names that do not exist
    // yet (appended after their existing siblings). An unassigned note changes nothing.
    void FileNote(qint32 noteId, const CategoryAssignment& a);
    // Takes the note out of every category on its path. Categories left empty stay.
    void UnfileNote(qint32 noteId, const CategoryAssignment& a);

    // Files the note into node, which stands at depth k, and below it; a (with its paths
    // rebuilt) gives the path. Returns 0 when the node is not on the note's path,
    // otherwise 1 plus what the children accepted.
    static int Offer(CategoryNode& node, const CategoryAssignment& a, int k, qint32 noteId);
    // The chain of new categories for levels k and below of the path, each holding only
    // noteId; nothing when level k is missing, unassigned or deeper than Level 4.
    static std::optional<CategoryNode> Chain(const CategoryAssignment& a, int k, qint32 noteId);
    // Removes every occurrence of noteId from node and below it, when node (at depth k)
    // lies on the note's path.
    static void Withdraw(CategoryNode& node, const CategoryAssignment& a, int k, qint32 noteId);

    // Depth first, Level 1 in order, each node before its children; nullptr if none. A
    // walk: callers that look up many ids use a CategoryNodeIndex.
    const CategoryNode* FindNode(qint32 id) const;
    CategoryNode* FindNode(qint32 id);
    // Every node in the order of FindNode's walk.
    void ForEachNode(const std::function<void(CategoryNode&)>& visit);
    void ForEachNode(const std::function<void(const CategoryNode&)>& visit) const;
    // Ids 1, 2, 3... in the order of FindNode's walk.
    void Renumber();
    // The greatest id, 0 for empty trees; the "<UNASSIGNED>" pseudo node and everything
    // below it are skipped.
    qint32 MaxId() const;
    // Whether a sibling of the node (the node itself included) is named exactly name;
    // for a Level 1 node or an unknown id, whether a Level 1 category is.
    bool NameExistsAmongSiblings(qint32 nodeId, const QString& name) const;

    static NoteIdList NotesOnlyAtThisLevel(const CategoryNode& node) { return node.NotesOnlyAtThisLevel(); }
    static void AddNotesToNodeAndAncestors(CategoryNode& node, const NoteIdList& ids)
    {
        node.AddNotesToNodeAndAncestors(ids);
    }
    static void RemoveNotesFromSubtree(CategoryNode& node, const NoteIdList& ids)
    {
        node.RemoveNotesFromSubtree(ids);
    }
    // "L1: Art" for a Level 1 node (no line end); below Level 1 one line "L<n>: <name>\n"
    // per level from Level 1 down to the node.
    static QString PathText(const CategoryNode& node);
    // The choices of the category picker for a level: "<UNASSIGNED>" first, then the
    // trimmed names of the nodes at that depth (under a parent named parentName unless
    // level is 0 or parentName is empty), without empties or repeats ignoring case.
    QStringList NamesAtLevel(int level, const QString& parentName) const;
    // Re-files one note from these (edited) trees: the assignment is rewritten from the
    // first Level 1 tree that holds the note, or made unassigned when none does. True
    // when a tree holds the note and its path there differs from the one it had: the
    // caller then stamps the note as edited.
    bool ApplyToNote(qint32 noteId, CategoryAssignment& a) const;
    // The same for a whole note: its LastEdited becomes now (Clock) when its path changed.
    bool ApplyToNote(NoteRecord& note) const;
    // The rule of ApplyToNote given the nodes that hold the note along its way down, in
    // the walk's order: the first Level 1 tree that holds it, then each node that holds
    // it below a node already taken. Empty when no tree holds the note.
    static bool ApplyHolders(const QList<const CategoryNode*>& holders, CategoryAssignment& a);

    // Detaches a node that lies in these trees, with its subtree, and hands it back
    // free-standing. Below Level 1 its note ids also leave every node of the Level 1
    // tree that held it, to be filed again where the subtree goes.
    CategoryNode Detach(CategoryNode& node);

    // Appends the pseudo Level 1 node "<UNASSIGNED>" (id UNASSIGNED_CATEGORY_ID)
    // holding a copy of unassignedNoteIds. Call after Renumber.
    CategoryNode& AppendUnassignedNode(const NoteIdList& unassignedNoteIds);
    // Removes every pseudo node and returns the notes of the first; empty when none.
    NoteIdList TakeUnassignedNode();

    // [{"name", "notes": [ids], "children": [...]}] in tree order.
    QJsonArray ToJson() const;

    friend bool operator==(const CategoryTree& a, const CategoryTree& b);

    // How many nodes the walks over these trees (finding, numbering, listing) have met
    // since they were made or copied: what a walk per item would cost shows here.
    quint64 NodeVisits() const { return m_visits; }

private:
    static bool Matches(const CategoryNode& node, const CategoryAssignment& a, int k);
    static void CollectHolders(const CategoryNode& node, qint32 noteId, QList<const CategoryNode*>& holders);
    static bool PathDiffers(const QList<const CategoryNode*>& holders, const CategoryNode& node,
                            const CategoryAssignment& a);

    std::vector<std::unique_ptr<CategoryNode>> m_nodes;
    mutable quint64 m_visits = 0;
};
