#pragma once

#include "categories/CategorySelection.h"

#include <QHash>
#include <QTreeWidget>

// The tree of the control bar's Categories page: every category holding notes and
// "<UNASSIGNED>", with the two counts, the active icon of the items whose notes are in
// the current list, a context menu and icon clicks that take or drop notes.
class CCategoryTreeCtrlSel : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CCategoryTreeCtrlSel(QWidget* parent = nullptr);

    // Rebuilds from copies of the trees and the current list's ids.
    void Build(const CategoryTree& trees, const NoteIdList& unassignedNoteIds, const NoteIdList& currentIds);
    const CategorySelection& Selection() const { return m_selection; }
    QTreeWidgetItem* FindItem(qint32 nodeId) const;
    static qint32 NodeId(const QTreeWidgetItem* item);

    // The context menu's command ids on a node (0: the blank area), 0 for a separator.
    QList<int> MenuCommands(qint32 nodeId) const;
    static QString CommandText(int commandId);
    void RunCommand(int commandId, qint32 nodeId);
    // A click on an item's icon.
    void ClickIcon(qint32 nodeId);

signals:
    void PageNotesChanged(const NoteIdList& ids);
    // ControlBarOutput::Print, Export or Delete of these notes.
    void OutputRequested(int output, const NoteIdList& ids);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QTreeWidgetItem* MakeItem(const CategoryNode& node);
    void RefreshItems();
    void RefreshItem(QTreeWidgetItem* item);
    void Changed();

    CategorySelection m_selection;
    QHash<qint32, QTreeWidgetItem*> m_items; // by node id, owned by the tree
};
