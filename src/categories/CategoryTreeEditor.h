#pragma once

#include "categories/CategoryTree.h"

class NamePrompt;
class UserPrompt;

// The commands of the "Edit Category Trees" dialog on its working copy of the trees:
// create, rename and delete categories and move subtrees by drag and drop, merging
// categories of the same name on request. Questions and messages go through UserPrompt,
// names through NamePrompt; nothing is written until the trees are saved through the
// note database. The dialog and the command line both drive this class.
//
// Nodes are named by the ids the working copy was numbered with; new categories get the
// greatest id + 1. The pseudo category "<UNASSIGNED>" (UNASSIGNED_CATEGORY_ID) holds the
// notes without a category.
class CategoryTreeEditor
{
public:
    CategoryTreeEditor(CategoryTree& working, UserPrompt& prompt, NamePrompt& names);

    // A copy of trees, numbered, with the "<UNASSIGNED>" node appended.
    static CategoryTree WorkingCopy(const CategoryTree& trees, const NoteIdList& unassignedNoteIds);

    // Each returns the id of the node to select afterwards, or 0 when nothing changed.
    qint32 CreateLevel1Category();
    qint32 CreateSubcategory(qint32 parentId);
    qint32 RenameCategory(qint32 nodeId);
    qint32 DeleteCategory(qint32 nodeId);
    // A drag of draggedId dropped on targetId, or on the blank area when targetId is 0.
    // True when the trees changed.
    bool Drop(qint32 draggedId, qint32 targetId);

    CategoryNode* UnassignedNode();
    CategoryTree& Trees() { return m_trees; }

    static QString InvalidNameText();
    static QString InvalidNameCaption();

private:
    bool DropOnBlank(CategoryNode& dragged);
    bool DropUnassignedOn(CategoryNode& unassigned, CategoryNode& target);
    bool DropOnUnassigned(CategoryNode& dragged, CategoryNode& unassigned);
    bool MoveUnder(CategoryNode& dragged, CategoryNode& target);
    // The insert-under rule: node (with its subtree) goes under parent, asking whether
    // the parent's own notes move down (only for the node a command inserts, top) and
    // whether a same-named child merges with it.
    void InsertUnder(CategoryNode node, CategoryNode& parent, bool top);
    // The top-level rule: node becomes a Level 1 category, merging with a same-named one
    // on request. Returns the id the node ends with (the merged one's when merged).
    qint32 AddAtTopLevel(CategoryNode node);
    // "Rename Category" without Cancel, for the No answer of a merge question.
    QString AskReplacementName(const QString& current);
    void TellInvalidName();

    CategoryTree& m_trees;
    UserPrompt& m_prompt;
    NamePrompt& m_names;
};
