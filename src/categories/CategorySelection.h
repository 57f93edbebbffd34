#pragma once

#include "categories/CategoryNodeIndex.h"
#include "categories/CategoryTree.h"

#include <vector>

// What the Categories page of the control bar knows about its tree: a numbered copy of
// the category trees with the "<UNASSIGNED>" pseudo tree, the working copy of the current
// list's ids (PageNotes), the active items and the first count shown beside each item.
// The page's commands change these and hand PageNotes to the current list; the widget
// only draws what this says. Items are found by id through a lookup table made with the
// copy, so that drawing every item, or a command, costs the size of the trees once.
class CategorySelection
{
public:
    // Copies and numbers the trees, appends "<UNASSIGNED>" with unassignedNoteIds, takes
    // currentIds as PageNotes and marks active every category holding one of them.
    void Build(const CategoryTree& trees, const NoteIdList& unassignedNoteIds, const NoteIdList& currentIds);

    const CategoryTree& Trees() const { return m_trees; }
    const NoteIdList& PageNotes() const { return m_pageNotes; }
    const CategoryNode* Node(qint32 id) const { return m_index.Find(id); }
    bool IsActive(qint32 id) const;
    // Shown only while it holds a note (in its subtree): categories emptied since the
    // last load stay hidden.
    static bool IsShown(const CategoryNode& node) { return !node.notes.IsEmpty(); }
    static bool HasShownChildren(const CategoryNode& node);

    // "Name (3/5)", "Name (0/5)", or the bare name without notes at its own level.
    QString ItemText(qint32 id) const;
    // Strips a count suffix: the text from the blank before the last "(" when it ends
    // with ")".
    static QString WithoutCount(const QString& text);

    // Which context-menu commands an item offers.
    struct Menu
    {
        bool getOnlyHere = false; // 2301
        bool getAllSubcategories = false; // 2303
        bool separatorAfterGets = false;
        bool removeOnlyHere = false; // 2307
        bool clearTree = false; // 2305
        bool onlyHereOutputs = false; // 2313, 2317, 2321
    };
    Menu MenuFor(qint32 id) const;

    void GetNotesOnlyAtThisLevel(qint32 id);
    void GetNotesInAllSubcategories(qint32 id);
    void RemoveNotesOnlyAtThisLevel(qint32 id);
    void ClearCurrentTree(qint32 id);
    // A click on the item's icon.
    void ToggleIcon(qint32 id);
    void SelectAll();
    void ClearAll();

    NoteIdList NotesOnlyHere(qint32 id) const;
    NoteIdList AllNotes(qint32 id) const;

private:
    CategoryNode* Find(qint32 id) { return m_index.Find(id); }
    void Activate(CategoryNode& node);
    void Deactivate(CategoryNode& node);
    void TakeSubcategories(CategoryNode& node);
    // Going up from node: each ancestor without another active child and with none of
    // its own notes in PageNotes becomes inactive, until one does not.
    void DeactivateUpwards(CategoryNode& node);
    bool HasActiveChild(const CategoryNode& node, const CategoryNode* except) const;
    void RefreshCount(const CategoryNode& node);

    CategoryTree m_trees;
    CategoryNodeIndex m_index; // of m_trees, whose shape never changes after Build
    NoteIdList m_pageNotes;
    // What is known of each category, by its place in m_index.
    struct ItemState
    {
        int firstCount = 0;
        int ownCount = 0; // its notes only at this level: fixed with the copy
        bool active = false;
    };
    ItemState* State(qint32 id);
    const ItemState* State(qint32 id) const;
    void SetActive(qint32 id, bool active);
    std::vector<ItemState> m_states;
};
