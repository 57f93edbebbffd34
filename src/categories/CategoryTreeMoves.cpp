// Drag and drop in the category editor, with the insert-under and top-level rules that
// also place newly created categories.
#include "categories/CategoryTreeEditor.h"
#include "platform/NamePrompt.h"
#include "platform/UserPrompt.h"

namespace {

QString MergeCaption(int level)
{
    return QStringLiteral("Merge Same Name Level %1 Categories?").arg(level);
}

// The first child of parent named exactly name; only that one counts for a merge.
CategoryNode* ChildNamed(CategoryNode& parent, const QString& name)
{
    for (int i = 0; i < parent.ChildCount(); ++i) {
        if (parent.Child(i).name == name)
            return &parent.Child(i);
    }
    return nullptr;
}

} // namespace

bool CategoryTreeEditor::Drop(qint32 draggedId, qint32 targetId)
{
    CategoryNode* dragged = m_trees.FindNode(draggedId);
    if (!dragged)
        return false;
    if (targetId == 0) {
        // The unassigned notes have no name to give a new Level 1 category.
        if (dragged->IsUnassignedPseudoNode())
            return false;
        return DropOnBlank(*dragged);
    }
    CategoryNode* target = m_trees.FindNode(targetId);
    // Onto itself, onto its own parent or into its own subtree: nothing to move.
    if (!target || target == dragged || target == dragged->Parent() || target->IsWithin(*dragged))
        return false;
    if (dragged->IsUnassignedPseudoNode())
        return DropUnassignedOn(*dragged, *target);
    if (target->IsUnassignedPseudoNode())
        return DropOnUnassigned(*dragged, *target);
    return MoveUnder(*dragged, *target);
}

bool CategoryTreeEditor::DropOnBlank(CategoryNode& dragged)
{
    const QString question = QStringLiteral("Do you wish to create a new Level 1 category called \"%1\",\n"
                                            " and move all its attached notes into it?")
                                 .arg(dragged.name);
    if (!m_prompt.AskYesNo(question, QStringLiteral("Create New Level 1 Category?")))
        return false;
    AddAtTopLevel(m_trees.Detach(dragged));
    return true;
}

bool CategoryTreeEditor::DropUnassignedOn(CategoryNode& unassigned, CategoryNode& target)
{
    const QString question
        = QStringLiteral("Do you wish to assign all of the unassigned notes to the category tree:\n\n%1")
              .arg(CategoryTree::PathText(target));
    if (!m_prompt.AskYesNo(question, QStringLiteral("Moving All Unassigned Categories?")))
        return false;
    target.AddNotesToNodeAndAncestors(unassigned.notes);
    unassigned.notes.Clear();
    return true;
}

bool CategoryTreeEditor::DropOnUnassigned(CategoryNode& dragged, CategoryNode& unassigned)
{
    const QString question
        = QStringLiteral(
              "Do you wish to unassign all the notes that have their Level %1 category assigned to: \"%2\"?")
              .arg(dragged.Level())
              .arg(dragged.name);
    if (!m_prompt.AskYesNo(question, QStringLiteral("Set Notes To Unassigned?")))
        return false;
    const CategoryNode taken = m_trees.Detach(dragged);
    unassigned.notes.UnionAppend(taken.notes);
    return true;
}

bool CategoryTreeEditor::MoveUnder(CategoryNode& dragged, CategoryNode& target)
{
    const int targetDepth = target.Depth();
    // Every moved category must stay within Level 4.
    if (targetDepth >= 3) {
        m_prompt.Tell(QStringLiteral("A Level 4 category cannot have any subcategories."),
                      QStringLiteral("No Level 4 Subcategories"), UserPrompt::Icon::Warning);
        return false;
    }
    if (dragged.Height() + 1 > 3 - targetDepth) {
        m_prompt.Tell(QStringLiteral("The dragging category has too many subcategories to be dropped there."),
                      QStringLiteral("Too Many Subcategories"), UserPrompt::Icon::Warning);
        return false;
    }
    InsertUnder(m_trees.Detach(dragged), target, true);
    return true;
}

void CategoryTreeEditor::InsertUnder(CategoryNode node, CategoryNode& parent, bool top)
{
    const NoteIdList parentOwn = parent.NotesOnlyAtThisLevel();
    if (top && !parentOwn.IsEmpty() && node.NotesOnlyAtThisLevel().IsEmpty()) {
        const QString question
            = QStringLiteral("Would like to assign the notes at the level %1 category \"%2\" "
                             "to the new level %3 category \"%4\"?")
                  .arg(QString::number(parent.Level()), parent.name, QString::number(parent.Level() + 1),
                       node.name);
        if (m_prompt.AskYesNo(question, QStringLiteral("Assign Notes To New Subcategory?")))
            node.notes.UnionAppend(parentOwn);
    }
    bool merged = false;
    if (CategoryNode* same = ChildNamed(parent, node.name)) {
        const QString question
            = QStringLiteral(
                  "This category tree already contains a Level %1 category named \"%2\".\n\n"
                  "Do you wish to merge the notes attached to the \"%2\" category that is being moved "
                  "with this category,\nor do you wish to rename the category that is being moved to "
                  "create a new subcategory of \"%3\"?\n\nClick \"YES\" to merge.\nClick \"NO\" to rename.\n")
                  .arg(same->Level())
                  .arg(same->name, parent.name);
        if (m_prompt.AskYesNo(question, MergeCaption(same->Level()))) {
            same->notes.UnionAppend(node.notes);
            for (int i = 0; i < node.ChildCount(); ++i)
                InsertUnder(node.Child(i), *same, false);
            merged = true;
        } else {
            node.name = AskReplacementName(node.name);
        }
    }
    const NoteIdList ids = node.notes;
    if (!merged)
        parent.AppendChild(std::move(node));
    parent.AddNotesToNodeAndAncestors(ids);
}

qint32 CategoryTreeEditor::AddAtTopLevel(CategoryNode node)
{
    if (node.id <= 0)
        node.id = m_trees.MaxId() + 1;
    for (int i = 0; i < m_trees.Count(); ++i) {
        CategoryNode& same = m_trees.Node(i);
        if (same.name != node.name)
            continue;
        const QString question
            = QStringLiteral(
                  "There is already a Level %1 category named \"%2\".\n\n"
                  "Do you wish to merge the notes attached to the \"%2\" category that is being moved "
                  "with this category,\nor do you wish to rename the category that is being moved to "
                  "create a new Level %1 category?\n\nClick \"YES\" to merge.\nClick \"NO\" to rename.\n")
                  .arg(same.Level())
                  .arg(same.name);
        if (m_prompt.AskYesNo(question, MergeCaption(same.Level()))) {
            same.notes.UnionAppend(node.notes);
            for (int c = 0; c < node.ChildCount(); ++c)
                InsertUnder(node.Child(c), same, false);
            return same.id;
        }
        node.name = AskReplacementName(node.name);
        if (node.name == UnassignedCategoryName())
            node.name = QStringLiteral("INVALID NAME");
        break;
    }
    return m_trees.Append(std::move(node)).id;
}
