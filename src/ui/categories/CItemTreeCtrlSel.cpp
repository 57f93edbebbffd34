#include "ui/categories/CItemTreeCtrlSel.h"

#include "ui/categories/ControlBarSignals.h"
#include "ui/categories/ControlBarStyle.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>

namespace {

constexpr int kIndexRole = Qt::UserRole;
constexpr int kSelectAll = 2309;
constexpr int kClearAll = 2311;

} // namespace

CItemTreeCtrlSel::CItemTreeCtrlSel(const Commands& commands, const QHash<int, QString>& texts,
                                   QWidget* parent)
    : QTreeWidget(parent)
    , m_commands(commands)
    , m_texts(texts)
{
    m_texts.insert(kSelectAll, QStringLiteral("Select All"));
    m_texts.insert(kClearAll, QStringLiteral("Clear All"));
    ControlBarStyle::Apply(this);
    setIconSize(QSize(16, 16));
    connect(this, &QTreeWidget::itemClicked, this, [](QTreeWidgetItem* item) {
        if (item->childCount() > 0)
            item->setExpanded(!item->isExpanded());
    });
}

int CItemTreeCtrlSel::IndexOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kIndexRole).toInt() : -1;
}

void CItemTreeCtrlSel::Build(QList<SelectionItem> items, const NoteIdList& currentIds)
{
    m_selection.Build(std::move(items), currentIds);
    clear();
    m_items.clear();
    // The items come in display order, each child after its group. Each is made whole
    // before it joins the tree, which announces every change of an item it holds.
    const Icons icons = MakeIcons();
    QList<QTreeWidgetItem*> tops;
    for (int i = 0; i < m_selection.Count(); ++i) {
        auto* item = new QTreeWidgetItem;
        item->setData(0, kIndexRole, i);
        m_items.append(item);
        RefreshItem(i, icons);
        const int parent = m_selection.Item(i).parent;
        if (parent >= 0 && parent < i)
            m_items.at(parent)->addChild(item);
        else
            tops.append(item);
    }
    addTopLevelItems(tops);
}

QTreeWidgetItem* CItemTreeCtrlSel::ItemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

int CItemTreeCtrlSel::IndexOf(const QString& label) const
{
    for (int i = 0; i < m_selection.Count(); ++i) {
        if (m_selection.Item(i).label == label)
            return i;
    }
    return -1;
}

CItemTreeCtrlSel::Icons CItemTreeCtrlSel::MakeIcons() const
{
    return {style()->standardIcon(QStyle::SP_FileIcon), style()->standardIcon(QStyle::SP_DirIcon),
            style()->standardIcon(QStyle::SP_DialogApplyButton)};
}

void CItemTreeCtrlSel::RefreshItem(int index, const Icons& icons)
{
    QTreeWidgetItem* item = m_items.at(index);
    item->setText(0, m_selection.ItemText(index));
    const bool isActive = m_selection.IsActive(index);
    item->setIcon(0, isActive ? icons.active : m_selection.Item(index).group ? icons.group : icons.plain);
    item->setData(0, Qt::AccessibleDescriptionRole,
                  isActive ? QStringLiteral("active") : QStringLiteral("not active"));
}

void CItemTreeCtrlSel::RefreshItems()
{
    const Icons icons = MakeIcons();
    for (int i = 0; i < m_items.size(); ++i)
        RefreshItem(i, icons);
}

QList<int> CItemTreeCtrlSel::MenuCommands(int index) const
{
    if (index < 0 || index >= m_selection.Count())
        return {kSelectAll, kClearAll};
    if (m_selection.Item(index).group)
        return {};
    QList<int> commands;
    if (m_selection.OffersGet(index))
        commands << m_commands.get;
    if (m_selection.OffersRemove(index))
        commands << m_commands.remove;
    commands << 0;
    if (m_commands.attach) {
        commands << m_commands.attach;
        if (m_selection.OffersRemove(index))
            commands << m_commands.detach;
        commands << 0;
    }
    commands << m_commands.print << m_commands.exportNotes << 0 << m_commands.deleteNotes;
    return commands;
}

void CItemTreeCtrlSel::Changed()
{
    RefreshItems();
    emit PageNotesChanged(m_selection.PageNotes());
    setFocus();
}

void CItemTreeCtrlSel::RunCommand(int commandId, int index)
{
    if (commandId == kSelectAll || commandId == kClearAll) {
        if (commandId == kSelectAll)
            m_selection.SelectAll();
        else
            m_selection.ClearAll();
        return Changed();
    }
    if (index < 0 || index >= m_selection.Count() || m_selection.Item(index).group)
        return;
    const SelectionItem& item = m_selection.Item(index);
    if (commandId == m_commands.get) {
        m_selection.GetNotes(index);
        Changed();
    } else if (commandId == m_commands.remove) {
        m_selection.RemoveNotes(index);
        Changed();
    } else if (commandId == m_commands.attach || commandId == m_commands.detach) {
        emit KeyWordCommand(item.label, commandId == m_commands.attach);
    } else if (commandId == m_commands.print) {
        emit OutputRequested(ControlBarOutput::Print, item.notes);
    } else if (commandId == m_commands.exportNotes) {
        emit OutputRequested(ControlBarOutput::Export, item.notes);
    } else if (commandId == m_commands.deleteNotes) {
        emit OutputRequested(ControlBarOutput::Delete, item.notes);
    }
}

void CItemTreeCtrlSel::ClickIcon(int index)
{
    if (index < 0 || index >= m_selection.Count() || m_selection.Item(index).group)
        return;
    if (m_selection.IsActive(index))
        m_selection.RemoveNotes(index);
    else
        m_selection.GetNotes(index);
    Changed();
}

void CItemTreeCtrlSel::contextMenuEvent(QContextMenuEvent* event)
{
    const int index = IndexOf(itemAt(viewport()->mapFromGlobal(event->globalPos())));
    const QList<int> commands = MenuCommands(index);
    if (commands.isEmpty())
        return;
    QMenu menu(this);
    menu.setAccessibleName(accessibleName() + QStringLiteral(" commands"));
    for (int command : commands) {
        if (command == 0)
            menu.addSeparator();
        else
            menu.addAction(CommandText(command))->setData(command);
    }
    if (QAction* chosen = menu.exec(event->globalPos()))
        RunCommand(chosen->data().toInt(), index);
}

void CItemTreeCtrlSel::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item && event->button() == Qt::LeftButton
        && ControlBarStyle::OnIcon(visualItemRect(item), iconSize(), event->position().toPoint())) {
        ClickIcon(IndexOf(item));
        return;
    }
    QTreeWidget::mousePressEvent(event);
}
