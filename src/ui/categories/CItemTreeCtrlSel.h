#pragma once

#include "categories/ItemSelection.h"

#include <QHash>
#include <QTreeWidget>

// The tree of the control bar's Key Words or Sources page: one item per key word or
// source (sources may sit under group items) with the two counts, the active icon of the
// items whose notes are in the current list, a context menu and icon clicks.
class CItemTreeCtrlSel : public QTreeWidget
{
    Q_OBJECT
public:
    // The page's command ids: get, remove, print, export, delete; attach and detach only
    // on the key word page (0 elsewhere).
    struct Commands
    {
        int get, remove, attach, detach, print, exportNotes, deleteNotes;
    };

    CItemTreeCtrlSel(const Commands& commands, const QHash<int, QString>& texts, QWidget* parent = nullptr);

    void Build(QList<SelectionItem> items, const NoteIdList& currentIds);
    const ItemSelection& Selection() const { return m_selection; }
    QTreeWidgetItem* ItemAt(int index) const;
    // The position of the first item labelled label, or -1.
    int IndexOf(const QString& label) const;

    // The context menu's command ids on an item (-1: the blank area), 0 for a separator.
    QList<int> MenuCommands(int index) const;
    QString CommandText(int commandId) const { return m_texts.value(commandId); }
    void RunCommand(int commandId, int index);
    void ClickIcon(int index);

signals:
    void PageNotesChanged(const NoteIdList& ids);
    void OutputRequested(int output, const NoteIdList& ids);
    // The key word commands over the current list: attach or remove word.
    void KeyWordCommand(const QString& word, bool attach);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    struct Icons
    {
        QIcon plain, group, active;
    };
    static int IndexOf(const QTreeWidgetItem* item);
    Icons MakeIcons() const;
    void RefreshItem(int index, const Icons& icons);
    void RefreshItems();
    void Changed();

    Commands m_commands;
    QHash<int, QString> m_texts;
    ItemSelection m_selection;
    QList<QTreeWidgetItem*> m_items;
};
