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
    m_index = CategoryNodeIndex(m_trees);
    m_pageNotes = currentIds;
    m_states.assign(size_t(m_index.Count()), ItemState());
    for (int i = 0; i < m_trees.Count(); ++i) {
        CategoryNode& top = m_trees.Node(i);
        const auto mark = [this](CategoryNode& node) {
            ItemState* state = State(node.id);
            if (!state)
                return;
            // The first count: the page's notes whose deepest category is this one.
            const NoteIdList own = node.NotesOnlyAtThisLevel();
            state->ownCount = own.Count();
            state->firstCount = CountIn(own, m_pageNotes);
            state->active = AnyIn(node.notes, m_pageNotes);
        };
        mark(top);
        ForEachBelow(top, mark);
    }
}

CategorySelection::ItemState* CategorySelection::State(qint32 id)
{
    const int position = m_index.Position(id);
    return position >= 0 ? &m_states[size_t(position)] : nullptr;
}

const CategorySelection::ItemState* CategorySelection::State(qint32 id) const
{
    const int position = m_index.Position(id);
    return position >= 0 ? &m_states[size_t(position)] : nullptr;
}

bool CategorySelection::IsActive(qint32 id) const
{
    const ItemState* state = State(id);
    return state && state->active;
}

void CategorySelection::SetActive(qint32 id, bool active)
{
    if (ItemState* state = State(id))
        state->active = active;
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
    const ItemState& state = *State(id);
    if (state.ownCount == 0)
        return node->name;
    return node->name + QStringLiteral(" (") + QString::number(state.firstCount) + QLatin1Char('/')
        + QString::number(state.ownCount) + QLatin1Char(')');
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
        SetActive(up->id, true);
}

void CategorySelection::RefreshCount(const CategoryNode& node)
{
    if (ItemState* state = State(node.id))
        state->firstCount = state->active ? state->ownCount : 0;
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
        SetActive(below.id, true);
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
        SetActive(up->id, false);
        handled = up;
    }
}

void CategorySelection::RemoveNotesOnlyAtThisLevel(qint32 id)
{
    CategoryNode* node = Find(id);
    if (!node)
        return;
    m_pageNotes.RemoveAll(node->NotesOnlyAtThisLevel());
    State(id)->firstCount = 0;
    if (HasActiveChild(*node, nullptr))
        return;
    SetActive(id, false);
    DeactivateUpwards(*node);
}

void CategorySelection::Deactivate(CategoryNode& node)
{
    const auto clear = [this](const CategoryNode& each) {
        if (ItemState* state = State(each.id))
            *state = {0, state->ownCount, false};
    };
    clear(node);
    ForEachBelow(node, clear);
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
    if (State(id)->ownCount == 0) {
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
    // "Clear Current Tree" on every Level 1 item leaves nothing active, every first count
    // 0 and none of the trees' notes in PageNotes: done in one pass, as a removal per tree
    // would go through PageNotes once per tree.
    NoteIdList held;
    for (int i = 0; i < m_trees.Count(); ++i)
        held.UnionAppend(m_trees.Node(i).notes);
    for (ItemState& state : m_states)
        state = {0, state.ownCount, false};
    m_pageNotes.RemoveAll(held);
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
