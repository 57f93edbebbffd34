#pragma once

#include "format/NoteIdList.h"

#include <QList>
#include <QString>

// One item of the Key Words or Sources page: a key word or a source with its notes, or a
// group item (a shared title, publication or author list) holding sources as children.
struct SelectionItem
{
    QString label;
    NoteIdList notes;
    int parent = -1; // the group item's position, or -1 at top level
    bool group = false; // group items have no notes of their own
    qint32 data = -1; // the key word's position or the source id; -1 for a group
};

// The Key Words and Sources pages' working state: their items, PageNotes (the page's
// copy of the current list's ids) and which items are active. The commands change it and
// the page hands PageNotes to the current list.
class ItemSelection
{
public:
    // Items in display order (children after their group). An item is active when one of
    // its notes is in currentIds; a group when one of its children is.
    void Build(QList<SelectionItem> items, const NoteIdList& currentIds);

    int Count() const { return static_cast<int>(m_items.size()); }
    const SelectionItem& Item(int index) const { return m_items.at(index); }
    const NoteIdList& PageNotes() const { return m_pageNotes; }
    bool IsActive(int index) const { return m_active.value(index); }
    // "Word (2/5)" with the number of its notes in PageNotes and of all its notes; a
    // group item shows its bare label.
    QString ItemText(int index) const;

    // "Get All Notes ..." is offered while some of the item's notes are missing from
    // PageNotes; "Remove ..." while it is active and some are there.
    bool OffersGet(int index) const;
    bool OffersRemove(int index) const;

    void GetNotes(int index);
    void RemoveNotes(int index);
    void SelectAll();
    void ClearAll();

private:
    int CountInPage(const NoteIdList& ids) const;
    bool AnyChildActive(int group) const;

    QList<SelectionItem> m_items;
    QList<QList<int>> m_children; // of each group item, in order
    QList<bool> m_active;
    NoteIdList m_pageNotes;
};
