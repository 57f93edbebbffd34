#include "ui/categories/CCategoryTreeCtrlSel.h"

#include "lists/NoteSort.h"
#include "ui/categories/CategoryIcons.h"
#include "ui/categories/ControlBarSignals.h"
#include "ui/categories/ControlBarStyle.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

namespace {

constexpr int kIdRole = Qt::UserRole;

enum Command
{
    GetOnlyHere = 2301,
    GetAllSubcategories = 2303,
    ClearTree = 2305,
    RemoveOnlyHere = 2307,
    SelectAll = 2309,
    ClearAll = 2311,
    PrintOnlyHere = 2313,
    PrintAll = 2315,
    ExportOnlyHere = 2317,
    ExportAll = 2319,
    DeleteOnlyHere = 2321,
    DeleteAll = 2323,
};

} // namespace

CCategoryTreeCtrlSel::CCategoryTreeCtrlSel(QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("categoryTreeCtrlSel"));
    setAccessibleName(QStringLiteral("Categories"));
    setToolTip(QStringLiteral("Click an icon to take or drop a category's notes; right-click for more"));
    ControlBarStyle::Apply(this);
    setIconSize(QSize(19, 20));
    connect(this, &QTreeWidget::itemClicked, this, [](QTreeWidgetItem* item) {
        if (item->childCount() > 0)
            item->setExpanded(!item->isExpanded());
    });
    connect(this, &QTreeWidget::itemExpanded, this, &CCategoryTreeCtrlSel::RefreshItem);
    connect(this, &QTreeWidget::itemCollapsed, this, &CCategoryTreeCtrlSel::RefreshItem);
}

qint32 CCategoryTreeCtrlSel::NodeId(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kIdRole).toInt() : 0;
}

void CCategoryTreeCtrlSel::Build(const CategoryTree& trees, const NoteIdList& unassignedNoteIds,
                                 const NoteIdList& currentIds)
{
    m_selection.Build(trees, unassignedNoteIds, currentIds);
    clear();
    m_items.clear();
    QList<QTreeWidgetItem*> tops;
    const CategoryTree& copy = m_selection.Trees();
    for (int i = 0; i < copy.Count(); ++i) {
        if (CategorySelection::IsShown(copy.Node(i)))
            tops.append(MakeItem(copy.Node(i)));
    }
    ControlBarStyle::SortByText(tops);
    addTopLevelItems(tops);
}

// The item whole before it joins the tree: every change of an item in the tree is
// announced to the view.
QTreeWidgetItem* CCategoryTreeCtrlSel::MakeItem(const CategoryNode& node)
{
    auto* item = new QTreeWidgetItem;
    item->setData(0, kIdRole, node.id);
    if (!m_items.contains(node.id))
        m_items.insert(node.id, item);
    QList<QTreeWidgetItem*> children;
    for (int i = 0; i < node.ChildCount(); ++i) {
        if (CategorySelection::IsShown(node.Child(i)))
            children.append(MakeItem(node.Child(i)));
    }
    ControlBarStyle::SortByText(children);
    item->addChildren(children);
    RefreshItem(item);
    return item;
}

void CCategoryTreeCtrlSel::RefreshItem(QTreeWidgetItem* item)
{
    const qint32 id = NodeId(item);
    const CategoryNode* node = m_selection.Node(id);
    if (!node)
        return;
    QString text = m_selection.ItemText(id);
    if (!node->Parent() && item->childCount() > 0 && !item->isExpanded())
        text += QStringLiteral(" >>");
    item->setText(0, text);
    const bool active = m_selection.IsActive(id);
    item->setIcon(
        0,
        CategoryIcons::Make(node->Depth(),
                            active ? CategoryIcons::Variant::Active : CategoryIcons::Variant::Normal));
    item->setData(0, Qt::AccessibleDescriptionRole,
                  active ? QStringLiteral("active") : QStringLiteral("not active"));
}

void CCategoryTreeCtrlSel::RefreshItems()
{
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        RefreshItem(*it);
}

QTreeWidgetItem* CCategoryTreeCtrlSel::FindItem(qint32 nodeId) const
{
    return m_items.value(nodeId, nullptr);
}

QList<int> CCategoryTreeCtrlSel::MenuCommands(qint32 nodeId) const
{
    if (!m_selection.Node(nodeId))
        return {SelectAll, ClearAll};
    const CategorySelection::Menu menu = m_selection.MenuFor(nodeId);
    QList<int> commands;
    if (menu.getOnlyHere)
        commands << GetOnlyHere;
    if (menu.getAllSubcategories)
        commands << GetAllSubcategories;
    if (menu.separatorAfterGets)
        commands << 0;
    if (menu.removeOnlyHere)
        commands << RemoveOnlyHere;
    if (menu.clearTree)
        commands << ClearTree;
    commands << 0;
    for (const auto& [onlyHere, all] :
         {std::pair {PrintOnlyHere, PrintAll}, std::pair {ExportOnlyHere, ExportAll},
          std::pair {DeleteOnlyHere, DeleteAll}}) {
        if (commands.last() != 0)
            commands << 0;
        if (menu.onlyHereOutputs)
            commands << onlyHere;
        commands << all;
    }
    return commands;
}

QString CCategoryTreeCtrlSel::CommandText(int commandId)
{
    static const QHash<int, QString> texts {
        {GetOnlyHere, QStringLiteral("Get Notes Only At This Level")},
        {GetAllSubcategories, QStringLiteral("Get Notes In All Subcategories")},
        {RemoveOnlyHere, QStringLiteral("Remove Notes Only At This Level")},
        {ClearTree, QStringLiteral("Clear Current Tree")},
        {SelectAll, QStringLiteral("Select All")},
        {ClearAll, QStringLiteral("Clear All")},
        {PrintOnlyHere, QStringLiteral("Print Notes Only At This Level")},
        {PrintAll, QStringLiteral("Print All Notes With This Category")},
        {ExportOnlyHere, QStringLiteral("Export Notes Only At This Level")},
        {ExportAll, QStringLiteral("Export All Notes With This Category")},
        {DeleteOnlyHere, QStringLiteral("Delete Notes Only At This Level")},
        {DeleteAll, QStringLiteral("Delete All Notes With This Category")},
    };
    return texts.value(commandId);
}

void CCategoryTreeCtrlSel::Changed()
{
    RefreshItems();
    emit PageNotesChanged(m_selection.PageNotes());
    setFocus();
}

void CCategoryTreeCtrlSel::RunCommand(int commandId, qint32 nodeId)
{
    switch (commandId) {
    case GetOnlyHere:
        m_selection.GetNotesOnlyAtThisLevel(nodeId);
        return Changed();
    case GetAllSubcategories:
        m_selection.GetNotesInAllSubcategories(nodeId);
        return Changed();
    case RemoveOnlyHere:
        m_selection.RemoveNotesOnlyAtThisLevel(nodeId);
        return Changed();
    case ClearTree:
        m_selection.ClearCurrentTree(nodeId);
        return Changed();
    case SelectAll:
        m_selection.SelectAll();
        return Changed();
    case ClearAll:
        m_selection.ClearAll();
        return Changed();
    case PrintOnlyHere:
    case ExportOnlyHere:
    case DeleteOnlyHere: {
        const int output = commandId == PrintOnlyHere ? ControlBarOutput::Print
            : commandId == ExportOnlyHere             ? ControlBarOutput::Export
                                                      : ControlBarOutput::Delete;
        emit OutputRequested(output, m_selection.NotesOnlyHere(nodeId));
        return;
    }
    case PrintAll:
    case ExportAll:
    case DeleteAll: {
        const int output = commandId == PrintAll ? ControlBarOutput::Print
            : commandId == ExportAll             ? ControlBarOutput::Export
                                                 : ControlBarOutput::Delete;
        emit OutputRequested(output, m_selection.AllNotes(nodeId));
        return;
    }
    default:
        return;
    }
}

void CCategoryTreeCtrlSel::ClickIcon(qint32 nodeId)
{
    m_selection.ToggleIcon(nodeId);
    Changed();
}

void CCategoryTreeCtrlSel::contextMenuEvent(QContextMenuEvent* event)
{
    const qint32 nodeId = NodeId(itemAt(viewport()->mapFromGlobal(event->globalPos())));
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Category page commands"));
    for (int command : MenuCommands(nodeId)) {
        if (command == 0)
            menu.addSeparator();
        else
            menu.addAction(CommandText(command))->setData(command);
    }
    if (QAction* chosen = menu.exec(event->globalPos()))
        RunCommand(chosen->data().toInt(), nodeId);
}

void CCategoryTreeCtrlSel::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item && event->button() == Qt::LeftButton
        && ControlBarStyle::OnIcon(visualItemRect(item), iconSize(), event->position().toPoint())) {
        ClickIcon(NodeId(item));
        return;
    }
    QTreeWidget::mousePressEvent(event);
}
