#pragma once

#include <QStringList>
#include <QWidget>

class CategoryTree;
class QComboBox;
class QLabel;

// The import dialog's category override: one drop-down list per level, labelled
// "Level 1 Category:" to "Level 4 Category:". Each offers "<DO NOT MODIFY>" (the default),
// then the names the category trees hold at that level under the name chosen above it,
// with "<UNASSIGNED>" offered as "<SET UNASSIGNED>". Below a level set unassigned nothing
// can be chosen: those levels become unassigned anyway.
class CCategoryTreeCtrlImp : public QWidget
{
    Q_OBJECT
public:
    explicit CCategoryTreeCtrlImp(const CategoryTree* trees, QWidget* parent = nullptr);

    // The choice per level, 1 to 4, as the override takes it.
    QStringList Choices() const;
    QComboBox* LevelBox(int level) const { return m_boxes.at(level); }
    // Chooses a text at a level (for tests and keyboard users); false when not offered.
    bool Choose(int level, const QString& text);
    // Every level back to "<DO NOT MODIFY>".
    void Reset();

    static QString LevelLabel(int level) { return QStringLiteral("Level %1 Category:").arg(level + 1); }

private:
    void FillFrom(int level);

    const CategoryTree* m_trees;
    QList<QComboBox*> m_boxes;
    QList<QLabel*> m_labels;
};
