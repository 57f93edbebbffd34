#pragma once

#include "categories/CategoryNodeIndex.h"

#include <QHash>
#include <QSet>
#include <QTreeWidget>

class CategoryNode;
class CategoryTreeEditor;

// The tree of the "Edit Category Trees" dialog: every category of the working trees and
// "<UNASSIGNED>", each item showing its notes at its own level. Its context menu and its
// drag and drop run the editor's commands; after each it shows the trees afresh.
class CEditCategoriesCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    // Context menu command ids.
    static constexpr int CreateLevel1 = 2292;
    static constexpr int CreateSubcategory = 2294;
    static constexpr int DeleteCategory = 2296;
    static constexpr int RenameCategory = 2298;

    explicit CEditCategoriesCtrl(CategoryTreeEditor& editor, QWidget* parent = nullptr);

    // Shows the working trees again, keeping which items were expanded; selects selectId.
    void Populate(qint32 selectId = 0);
    // "Name (3)" or the bare name; " >>" after a collapsed Level 1 item with children.
    static QString ItemText(const CategoryNode& node, bool collapsedTop);
    QTreeWidgetItem* FindItem(qint32 nodeId) const;
    static qint32 NodeId(const QTreeWidgetItem* item);

    // The context menu's command on a node (0 for the blank area).
    void RunCommand(int commandId, qint32 nodeId);
    // The command ids the context menu offers on a node (0: the blank area); a 0 in the
    // list stands for a separator.
    QList<int> MenuCommands(qint32 nodeId) const;
    // A drag of one node dropped on another, or on the blank area (0).
    void DropNode(qint32 draggedId, qint32 targetId);
    // What the drop indicator shows during a drag: a frame round the category the drop
    // files under, or the blank area (a new Level 1 category); never a line between two
    // rows, since no drop places a category there.
    enum class ShownDrop
    {
        OnCategory,
        OnBlankArea,
        BetweenRows,
    };
    ShownDrop DropIndicator() const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;

private:
    // Only a category dragged from this tree is dropped here; the drag's data says where
    // it comes from.
    bool IsOwnDrag(const QDropEvent* event) const;
    QByteArray DragToken() const;
    QTreeWidgetItem* MakeItem(const CategoryNode& node);
    void RefreshTopSuffix(QTreeWidgetItem* item);

    CategoryTreeEditor& m_editor;
    // The items and the working trees' nodes by id, as of the last Populate: the trees
    // change only through commands, each followed by a Populate.
    QHash<qint32, QTreeWidgetItem*> m_items;
    CategoryNodeIndex m_nodes;
    QSet<qint32> m_expanded;
    // During a drag: the last Level 1 item the pointer passed over.
    qint32 m_dragTopId = 0;
};
