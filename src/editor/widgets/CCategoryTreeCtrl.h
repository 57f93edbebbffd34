#pragma once

#include "format/CategoryAssignment.h"

#include <QTreeWidget>

class CategoryTree;
class QComboBox;

// The category picker of the note editor: one note's path of up to four levels, shown as
// four nested rows (Level 1 at the top), each "- " and the level's name. Clicking a row
// opens an editable drop-down over it with the names known at that level under the
// level above; choosing or typing a name sets that level and clears every deeper one. A
// name that no tree holds yet makes a new category when the note is saved.
//
// Works on its own copy of the assignment; the editor takes it back on save.
class CCategoryTreeCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CCategoryTreeCtrl(QWidget* parent = nullptr);

    // The trees the drop-downs offer names from; not owned, may be null (no names).
    void SetTrees(const CategoryTree* trees) { m_trees = trees; }
    void SetAssignment(const CategoryAssignment& assignment);
    const CategoryAssignment& Assignment() const { return m_assignment; }

    QTreeWidgetItem* Row(int level) const;
    // Opens the drop-down over the row of that level: refused (false) below a level
    // whose name is still unassigned.
    bool OpenEditor(int level);
    void CloseEditor();
    // The open drop-down, or null.
    QComboBox* Editor() const { return m_editor; }
    int EditedLevel() const { return m_editedLevel; }
    // A name typed or chosen for a level, trimmed; an empty text changes nothing.
    void TakeName(int level, const QString& text);

    // The row icons: one per level, with a paler variant for an unassigned level.
    static QIcon LevelIcon(int level, bool empty);

signals:
    void AssignmentChanged();
    // The row of this level (0 to 3) was clicked or its drop-down opened.
    void LevelClicked(int level);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // The rows are always open: no branch marks to click.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override { }

private:
    void Rebuild();
    void RefreshRows();
    void PlaceEditor();
    QStringList Choices(int level) const;

    const CategoryTree* m_trees = nullptr;
    CategoryAssignment m_assignment;
    QList<QTreeWidgetItem*> m_rows;
    QComboBox* m_editor = nullptr;
    int m_editedLevel = -1;
};
