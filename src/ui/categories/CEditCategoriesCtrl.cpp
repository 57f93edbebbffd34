#include "ui/categories/CEditCategoriesCtrl.h"

#include "categories/CategoryTreeEditor.h"
#include "lists/NoteSort.h"
#include "ui/categories/CategoryIcons.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

namespace {

constexpr int kEditNodeIdRole = Qt::UserRole;
// Marks a drag as this tree's own, whatever window it passes over.
const QString kOwnDragFormat = QStringLiteral("application/x-quorvel-category-drag");
const QString kCollapsedSuffix = QStringLiteral(" >>");

// Sorted by displayed text, lower-cased and compared byte by byte.
void SortChildren(QList<QTreeWidgetItem*>& items)
{
    StableSortByText(items, [](const QTreeWidgetItem* item) { return item->text(0); });
}

} // namespace

CEditCategoriesCtrl::CEditCategoriesCtrl(CategoryTreeEditor& editor, QWidget* parent)
    : QTreeWidget(parent)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("categoryTreesCtrl"));
    setAccessibleName(QStringLiteral("Category Trees:"));
    setToolTip(QStringLiteral("Right-click for commands; drag a category to move it"));
    setHeaderHidden(true);
    setIconSize(QSize(19, 20));
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    // A drop files the dragged category under the item it lands on, never between two
    // items: the indicator frames that item (or the blank area, a new Level 1 category)
    // instead of drawing a line between rows.
    setDragDropOverwriteMode(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::MoveAction);
    setExpandsOnDoubleClick(false);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        if (item->childCount() > 0)
            item->setExpanded(!item->isExpanded());
    });
    const auto remember = [this](QTreeWidgetItem* item, bool expanded) {
        if (expanded)
            m_expanded.insert(NodeId(item));
        else
            m_expanded.remove(NodeId(item));
        if (!item->parent())
            RefreshTopSuffix(item);
    };
    connect(this, &QTreeWidget::itemExpanded, this,
            [remember](QTreeWidgetItem* item) { remember(item, true); });
    connect(this, &QTreeWidget::itemCollapsed, this,
            [remember](QTreeWidgetItem* item) { remember(item, false); });
    Populate();
}

qint32 CEditCategoriesCtrl::NodeId(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kEditNodeIdRole).toInt() : 0;
}

QString CEditCategoriesCtrl::ItemText(const CategoryNode& node, bool collapsedTop)
{
    const int own = node.NotesOnlyAtThisLevel().Count();
    QString text = own >= 1 ? QStringLiteral("%1 (%2)").arg(node.name).arg(own) : node.name;
    if (collapsedTop && !node.Parent() && node.HasChildren())
        text += kCollapsedSuffix;
    return text;
}

QTreeWidgetItem* CEditCategoriesCtrl::MakeItem(const CategoryNode& node)
{
    auto* item = new QTreeWidgetItem;
    item->setData(0, kEditNodeIdRole, node.id);
    if (!m_items.contains(node.id))
        m_items.insert(node.id, item);
    item->setText(0, ItemText(node, false));
    item->setIcon(0,
                  CategoryIcons::Make(node.Depth(),
                                      node.notes.IsEmpty() ? CategoryIcons::Variant::Empty
                                                           : CategoryIcons::Variant::Normal));
    item->setToolTip(0,
                     node.IsUnassignedPseudoNode() ? QStringLiteral("The notes without a category")
                                                   : CategoryTree::PathText(node).trimmed());
    QList<QTreeWidgetItem*> children;
    for (int i = 0; i < node.ChildCount(); ++i)
        children.append(MakeItem(node.Child(i)));
    SortChildren(children);
    item->addChildren(children);
    return item;
}

void CEditCategoriesCtrl::Populate(qint32 selectId)
{
    const QSet<qint32> expanded = m_expanded;
    blockSignals(true);
    clear();
    m_items.clear();
    m_nodes = CategoryNodeIndex(m_editor.Trees());
    QList<QTreeWidgetItem*> tops;
    const CategoryTree& trees = m_editor.Trees();
    for (int i = 0; i < trees.Count(); ++i)
        tops.append(MakeItem(trees.Node(i)));
    SortChildren(tops);
    addTopLevelItems(tops);
    for (qint32 id : expanded) {
        if (QTreeWidgetItem* item = FindItem(id))
            item->setExpanded(true);
    }
    for (QTreeWidgetItem* top : tops)
        RefreshTopSuffix(top);
    blockSignals(false);
    m_expanded = expanded;
    if (QTreeWidgetItem* selected = FindItem(selectId)) {
        for (QTreeWidgetItem* up = selected->parent(); up; up = up->parent())
            up->setExpanded(true);
        setCurrentItem(selected);
        scrollToItem(selected);
    }
}

void CEditCategoriesCtrl::RefreshTopSuffix(QTreeWidgetItem* item)
{
    if (const CategoryNode* node = m_nodes.Find(NodeId(item)))
        item->setText(0, ItemText(*node, !item->isExpanded()));
}

QTreeWidgetItem* CEditCategoriesCtrl::FindItem(qint32 nodeId) const
{
    return nodeId == 0 ? nullptr : m_items.value(nodeId, nullptr);
}

QList<int> CEditCategoriesCtrl::MenuCommands(qint32 nodeId) const
{
    if (nodeId == 0)
        return {CreateLevel1};
    const CategoryNode* node = m_editor.Trees().FindNode(nodeId);
    if (!node || node->IsUnassignedPseudoNode())
        return {};
    QList<int> commands {RenameCategory, 0};
    if (node->Depth() < 3)
        commands.append(CreateSubcategory);
    commands.append(DeleteCategory);
    return commands;
}

void CEditCategoriesCtrl::RunCommand(int commandId, qint32 nodeId)
{
    qint32 select = 0;
    switch (commandId) {
    case CreateLevel1:
        select = m_editor.CreateLevel1Category();
        break;
    case CreateSubcategory:
        select = m_editor.CreateSubcategory(nodeId);
        if (select)
            m_expanded.insert(select);
        break;
    case DeleteCategory:
        select = m_editor.DeleteCategory(nodeId);
        break;
    case RenameCategory:
        select = m_editor.RenameCategory(nodeId);
        break;
    default:
        return;
    }
    if (select)
        Populate(select);
}

void CEditCategoriesCtrl::DropNode(qint32 draggedId, qint32 targetId)
{
    if (m_editor.Drop(draggedId, targetId))
        Populate(targetId ? targetId : draggedId);
}

CEditCategoriesCtrl::ShownDrop CEditCategoriesCtrl::DropIndicator() const
{
    switch (dropIndicatorPosition()) {
    case OnItem:
        return ShownDrop::OnCategory;
    case OnViewport:
        return ShownDrop::OnBlankArea;
    case AboveItem:
    case BelowItem:
        break;
    }
    return ShownDrop::BetweenRows;
}

void CEditCategoriesCtrl::contextMenuEvent(QContextMenuEvent* event)
{
    QTreeWidgetItem* item = itemAt(viewport()->mapFromGlobal(event->globalPos()));
    if (item)
        setCurrentItem(item);
    const qint32 nodeId = NodeId(item);
    const QList<int> commands = MenuCommands(nodeId);
    if (commands.isEmpty())
        return;
    static const QHash<int, QString> texts {
        {CreateLevel1, QStringLiteral("Create New Level 1 Category")},
        {CreateSubcategory, QStringLiteral("Create New Subcategory")},
        {DeleteCategory, QStringLiteral("Delete Category")},
        {RenameCategory, QStringLiteral("Rename Category")},
    };
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Category commands"));
    for (int command : commands) {
        if (command == 0)
            menu.addSeparator();
        else
            menu.addAction(texts.value(command))->setData(command);
    }
    if (QAction* chosen = menu.exec(event->globalPos()))
        RunCommand(chosen->data().toInt(), nodeId);
}

QMimeData* CEditCategoriesCtrl::mimeData(const QList<QTreeWidgetItem*>& items) const
{
    QMimeData* data = QTreeWidget::mimeData(items);
    if (data)
        data->setData(kOwnDragFormat, DragToken());
    return data;
}

QByteArray CEditCategoriesCtrl::DragToken() const
{
    return QByteArray::number(quintptr(this));
}

bool CEditCategoriesCtrl::IsOwnDrag(const QDropEvent* event) const
{
    return event->source() == this
        || (event->mimeData() && event->mimeData()->data(kOwnDragFormat) == DragToken());
}

void CEditCategoriesCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    m_dragTopId = 0;
    if (IsOwnDrag(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CEditCategoriesCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    QTreeWidget::dragMoveEvent(event);
    if (!IsOwnDrag(event))
        return;
    // The blank area takes drops too.
    event->acceptProposedAction();
    QTreeWidgetItem* over = itemAt(event->position().toPoint());
    if (!over)
        return;
    if (over->childCount() > 0 && !over->isExpanded())
        over->setExpanded(true);
    // The Level 1 tree passed over last closes again once the pointer leaves it.
    QTreeWidgetItem* top = over;
    while (top->parent())
        top = top->parent();
    if (m_dragTopId && m_dragTopId != NodeId(top)) {
        if (QTreeWidgetItem* last = FindItem(m_dragTopId))
            last->setExpanded(false);
    }
    m_dragTopId = NodeId(top);
}

void CEditCategoriesCtrl::dropEvent(QDropEvent* event)
{
    m_dragTopId = 0;
    if (!IsOwnDrag(event))
        return event->ignore();
    const qint32 dragged = NodeId(currentItem());
    const qint32 target = NodeId(itemAt(event->position().toPoint()));
    // The tree is rebuilt from the working trees; the view must not move items itself.
    event->setDropAction(Qt::IgnoreAction);
    event->accept();
    // The questions of the drop open after the drag has ended.
    if (dragged)
        QMetaObject::invokeMethod(
            this, [this, dragged, target] { DropNode(dragged, target); }, Qt::QueuedConnection);
}
