#include "categories/CategorySelection.h"

namespace {

int CountIn(const NoteIdList& ids, const NoteIdList& pageNotes)
{
    int count = 0;
    for (qint32 id : ids) {
        if (pageNotes.Contains(id))
            ++count;
    }
    return count;
}

bool AnyIn(const NoteIdList& ids, const NoteIdList& pageNotes)
{
    for (qint32 id : ids) {
        if (pageNotes.Contains(id))
            return true;
    }
    return false;
}

template<typename Visit> void ForEachBelow(CategoryNode& node, const Visit& visit)
{
    for (int i = 0; i < node.ChildCount(); ++i) {
        visit(node.Child(i));
        ForEachBelow(node.Child(i), visit);
    }
}

} // namespace

void CategorySelection::Build(const CategoryTree& trees, const NoteIdList& unassignedNoteIds,
                              const NoteIdList& currentIds)
{
    m_trees = trees;
    m_trees.Renumber();
    m_trees.AppendUnassignedNode(unassignedNoteIds);
    m_pageNotes = currentIds;
    m_active.clear();
    m_firstCount.clear();
    for (int i = 0; i < m_trees.Count(); ++i) {
        CategoryNode& top = m_trees.Node(i);
        const auto mark = [this](CategoryNode& node) {
            // The first count: the page's notes whose deepest category is this one.
            m_firstCount.insert(node.id, CountIn(node.NotesOnlyAtThisLevel(), m_pageNotes));
            if (AnyIn(node.notes, m_pageNotes))
                m_active.insert(node.id);
        };
        mark(top);
        ForEachBelow(top, mark);
    }
}

bool CategorySelection::HasShownChildren(const CategoryNode& node)
{
    for (int i = 0; i < node.ChildCount(); ++i) {
        if (IsShown(node.Child(i)))
            return true;
    }
    return false;
}

QString CategorySelection::ItemText(qint32 id) const
{
    const CategoryNode* node = Node(id);
    if (!node)
        return QString();
    const int own = node->NotesOnlyAtThisLevel().Count();
    if (own == 0)
        return node->name;
    return QStringLiteral("%1 (%2/%3)").arg(node->name).arg(m_firstCount.value(id)).arg(own);
}

QString CategorySelection::WithoutCount(const QString& text)
{
    if (!text.endsWith(QLatin1Char(')')))
        return text;
    const qsizetype open = text.lastIndexOf(QLatin1Char('('));
    if (open < 1 || text.at(open - 1) != QLatin1Char(' '))
        return text;
    return text.left(open - 1);
}

CategorySelection::Menu CategorySelection::MenuFor(qint32 id) const
{
    Menu menu;
    const CategoryNode* node = Node(id);
    if (!node)
        return menu;
    const NoteIdList own = node->NotesOnlyAtThisLevel();
    const bool active = IsActive(id);
    const bool hasSub = HasShownChildren(*node);
    menu.getOnlyHere = !own.IsEmpty() && CountIn(own, m_pageNotes) < own.Count();
    menu.getAllSubcategories = hasSub;
    menu.separatorAfterGets = (menu.getOnlyHere || menu.getAllSubcategories) && active;
    menu.removeOnlyHere = active && AnyIn(own, m_pageNotes);
    menu.clearTree = active;
    menu.onlyHereOutputs = !own.IsEmpty() && hasSub;
    return menu;
}

void CategorySelection::Activate(CategoryNode& node)
{
    // Ancestors show as active too; their notes are not taken.
    for (CategoryNode* up = &node; up; up = up->Parent())
        m_active.insert(up->id);
}

void CategorySelection::RefreshCount(const CategoryNode& node)
{
    m_firstCount.insert(node.id, IsActive(node.id) ? node.NotesOnlyAtThisLevel().Count() : 0);
}

void CategorySelection::GetNotesOnlyAtThisLevel(qint32 id)
{
    CategoryNode* node = Find(id);
    if (!node)
        return;
    Activate(*node);
    m_pageNotes.UnionAppend(node->NotesOnlyAtThisLevel());
    RefreshCount(*node);
}

void CategorySelection::TakeSubcategories(CategoryNode& node)
{
    ForEachBelow(node, [this](CategoryNode& below) {
        if (!IsShown(below))
            return;
        m_active.insert(below.id);
        m_pageNotes.UnionAppend(below.NotesOnlyAtThisLevel());
        RefreshCount(below);
    });
}

void CategorySelection::GetNotesInAllSubcategories(qint32 id)
{
    CategoryNode* node = Find(id);
    if (!node)
        return;
    Activate(*node);
    TakeSubcategories(*node);
    RefreshCount(*node);
}

bool CategorySelection::HasActiveChild(const CategoryNode& node, const CategoryNode* except) const
{
    for (int i = 0; i < node.ChildCount(); ++i) {
        const CategoryNode& child = node.Child(i);
        if (&child != except && IsActive(child.id))
            return true;
    }
    return false;
}

void CategorySelection::DeactivateUpwards(CategoryNode& node)
{
    const CategoryNode* handled = &node;
    for (CategoryNode* up = node.Parent(); up; up = up->Parent()) {
        if (HasActiveChild(*up, handled) || AnyIn(up->NotesOnlyAtThisLevel(), m_pageNotes))
            return;
        m_active.remove(up->id);
        handled = up;
    }
}

void CategorySelection::RemoveNotesOnlyAtThisLevel(qint32 id)
{
    CategoryNode* node = Find(id);
    if (!node)
        return;
    m_pageNotes.RemoveAll(node->NotesOnlyAtThisLevel());
    m_firstCount.insert(id, 0);
    if (HasActiveChild(*node, nullptr))
        return;
    m_active.remove(id);
    DeactivateUpwards(*node);
}

void CategorySelection::Deactivate(CategoryNode& node)
{
    m_active.remove(node.id);
    m_firstCount.insert(node.id, 0);
    ForEachBelow(node, [this](CategoryNode& below) {
        m_active.remove(below.id);
        m_firstCount.insert(below.id, 0);
    });
    m_pageNotes.RemoveAll(node.notes);
}

void CategorySelection::ClearCurrentTree(qint32 id)
{
    CategoryNode* node = Find(id);
    if (!node)
        return;
    Deactivate(*node);
    const CategoryNode* handled = node;
    for (CategoryNode* up = node->Parent(); up; up = up->Parent()) {
        if (HasActiveChild(*up, handled))
            return;
        Deactivate(*up);
        handled = up;
    }
}

void CategorySelection::ToggleIcon(qint32 id)
{
    CategoryNode* node = Find(id);
    if (!node)
        return;
    if (IsActive(id)) {
        Deactivate(*node);
        DeactivateUpwards(*node);
        return;
    }
    if (node->NotesOnlyAtThisLevel().IsEmpty()) {
        GetNotesInAllSubcategories(id);
        return;
    }
    GetNotesOnlyAtThisLevel(id);
}

void CategorySelection::SelectAll()
{
    for (int i = 0; i < m_trees.Count(); ++i) {
        CategoryNode& top = m_trees.Node(i);
        if (!IsShown(top))
            continue;
        GetNotesOnlyAtThisLevel(top.id);
        TakeSubcategories(top);
    }
}

void CategorySelection::ClearAll()
{
    for (int i = 0; i < m_trees.Count(); ++i)
        ClearCurrentTree(m_trees.Node(i).id);
}

NoteIdList CategorySelection::NotesOnlyHere(qint32 id) const
{
    const CategoryNode* node = Node(id);
    return node ? node->NotesOnlyAtThisLevel() : NoteIdList();
}

NoteIdList CategorySelection::AllNotes(qint32 id) const
{
    const CategoryNode* node = Node(id);
    return node ? node->notes : NoteIdList();
}
