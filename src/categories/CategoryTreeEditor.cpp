// The create, rename and delete commands of the category editor.
#include "categories/CategoryTreeEditor.h"

#include "platform/NamePrompt.h"
#include "platform/UserPrompt.h"

CategoryTreeEditor::CategoryTreeEditor(CategoryTree& working, UserPrompt& prompt, NamePrompt& names)
    : m_trees(working)
    , m_prompt(prompt)
    , m_names(names)
{
}

CategoryTree CategoryTreeEditor::WorkingCopy(const CategoryTree& trees, const NoteIdList& unassignedNoteIds)
{
    CategoryTree working(trees);
    working.Renumber();
    working.AppendUnassignedNode(unassignedNoteIds);
    return working;
}

CategoryNode* CategoryTreeEditor::UnassignedNode()
{
    CategoryNode* node = m_trees.FindNode(UNASSIGNED_CATEGORY_ID);
    // A working copy made elsewhere may lack it; the deleted trees' notes need a home.
    return node ? node : &m_trees.AppendUnassignedNode({});
}

QString CategoryTreeEditor::InvalidNameText()
{
    return QStringLiteral("There is already a category at this level with the same name.");
}

QString CategoryTreeEditor::InvalidNameCaption()
{
    return QStringLiteral("Invalid Category Name");
}

void CategoryTreeEditor::TellInvalidName()
{
    m_prompt.Tell(InvalidNameText(), InvalidNameCaption(), UserPrompt::Icon::Warning);
}

qint32 CategoryTreeEditor::CreateLevel1Category()
{
    const std::optional<QString> name
        = m_names.AskName(QStringLiteral("New Level 1 Category"), QString(), true);
    // An empty name would make a category no note can be filed under by name.
    if (!name || name->isEmpty())
        return 0;
    for (int i = 0; i < m_trees.Count(); ++i) {
        if (m_trees.Node(i).name == *name) {
            TellInvalidName();
            return 0;
        }
    }
    return AddAtTopLevel(CategoryNode(*name, m_trees.MaxId() + 1));
}

qint32 CategoryTreeEditor::CreateSubcategory(qint32 parentId)
{
    CategoryNode* parent = m_trees.FindNode(parentId);
    if (!parent || parent->IsUnassignedPseudoNode() || parent->Depth() >= 3)
        return 0;
    const QString caption = QStringLiteral("New Level %1 Category").arg(parent->Level() + 1);
    const std::optional<QString> name = m_names.AskName(caption, QString(), true);
    if (!name || name->isEmpty())
        return 0;
    for (int i = 0; i < parent->ChildCount(); ++i) {
        if (parent->Child(i).name == *name) {
            TellInvalidName();
            return 0;
        }
    }
    InsertUnder(CategoryNode(*name, m_trees.MaxId() + 1), *parent, true);
    return parentId;
}

qint32 CategoryTreeEditor::RenameCategory(qint32 nodeId)
{
    CategoryNode* node = m_trees.FindNode(nodeId);
    if (!node || node->IsUnassignedPseudoNode())
        return 0;
    const std::optional<QString> name = m_names.AskName(QStringLiteral("Rename Category"), node->name, true);
    if (!name || name->isEmpty())
        return 0;
    // The node's own name counts too: renaming to the same name is refused as a clash.
    if (m_trees.NameExistsAmongSiblings(nodeId, *name)) {
        TellInvalidName();
        return 0;
    }
    node->name = *name;
    return nodeId;
}

qint32 CategoryTreeEditor::DeleteCategory(qint32 nodeId)
{
    CategoryNode* node = m_trees.FindNode(nodeId);
    if (!node || node->IsUnassignedPseudoNode())
        return 0;
    const QString question
        = QStringLiteral("Do you wish to delete the Level %1 category \"%2\", and all its subcategories?")
              .arg(node->Level())
              .arg(node->name);
    if (!m_prompt.AskYesNo(question, QStringLiteral("Delete Category?")))
        return 0;
    CategoryNode* parent = node->Parent();
    if (!parent) {
        const CategoryNode taken = m_trees.TakeNode(m_trees.IndexOf(*node));
        UnassignedNode()->notes.UnionAppend(taken.notes);
        return UNASSIGNED_CATEGORY_ID;
    }
    // The notes stay in the parent and the ancestors, so they end up filed at the parent.
    parent->TakeChild(parent->IndexOfChild(*node));
    return parent->id;
}

QString CategoryTreeEditor::AskReplacementName(const QString& current)
{
    const std::optional<QString> name = m_names.AskName(QStringLiteral("Rename Category"), current, false);
    return name ? *name : current;
}
