#include "categories/ItemSelection.h"

void ItemSelection::Build(QList<SelectionItem> items, const NoteIdList& currentIds)
{
    m_items = std::move(items);
    m_pageNotes = currentIds;
    m_active = QList<bool>(m_items.size(), false);
    m_children = QList<QList<int>>(m_items.size());
    for (int i = 0; i < Count(); ++i) {
        if (m_items.at(i).parent >= 0 && m_items.at(i).parent < Count())
            m_children[m_items.at(i).parent].append(i);
    }
    for (int i = 0; i < Count(); ++i) {
        if (m_items.at(i).group || CountInPage(m_items.at(i).notes) == 0)
            continue;
        m_active[i] = true;
        if (m_items.at(i).parent >= 0)
            m_active[m_items.at(i).parent] = true;
    }
}

int ItemSelection::CountInPage(const NoteIdList& ids) const
{
    int count = 0;
    for (qint32 id : ids) {
        if (m_pageNotes.Contains(id))
            ++count;
    }
    return count;
}

QString ItemSelection::ItemText(int index) const
{
    const SelectionItem& item = m_items.at(index);
    if (item.group)
        return item.label;
    return QStringLiteral("%1 (%2/%3)").arg(item.label).arg(CountInPage(item.notes)).arg(item.notes.Count());
}

bool ItemSelection::OffersGet(int index) const
{
    const SelectionItem& item = m_items.at(index);
    return !item.group && !item.notes.IsEmpty() && CountInPage(item.notes) < item.notes.Count();
}

bool ItemSelection::OffersRemove(int index) const
{
    return !m_items.at(index).group && IsActive(index) && CountInPage(m_items.at(index).notes) > 0;
}

void ItemSelection::GetNotes(int index)
{
    const SelectionItem& item = m_items.at(index);
    if (item.group)
        return;
    m_active[index] = true;
    if (item.parent >= 0)
        m_active[item.parent] = true;
    m_pageNotes.UnionAppend(item.notes);
}

bool ItemSelection::AnyChildActive(int group) const
{
    for (int child : m_children.at(group)) {
        if (m_active.at(child))
            return true;
    }
    return false;
}

void ItemSelection::RemoveNotes(int index)
{
    const SelectionItem& item = m_items.at(index);
    if (item.group)
        return;
    m_pageNotes.RemoveAll(item.notes);
    m_active[index] = false;
    if (item.parent >= 0 && !AnyChildActive(item.parent))
        m_active[item.parent] = false;
}

void ItemSelection::SelectAll()
{
    for (int i = 0; i < Count(); ++i)
        GetNotes(i);
}

void ItemSelection::ClearAll()
{
    // Every item's notes leave PageNotes in one pass, and nothing stays active.
    NoteIdList held;
    for (const SelectionItem& item : std::as_const(m_items))
        held.UnionAppend(item.notes);
    m_pageNotes.RemoveAll(held);
    m_active.fill(false);
}
