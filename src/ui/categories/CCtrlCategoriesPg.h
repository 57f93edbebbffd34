#pragma once

#include <QWidget>

class CCategoryTreeCtrlSel;
class NoteDatabase;
class NoteIdList;

// The control bar's Categories page.
class CCtrlCategoriesPg : public QWidget
{
    Q_OBJECT
public:
    explicit CCtrlCategoriesPg(QWidget* parent = nullptr);
    void Build(const NoteDatabase& database, const NoteIdList& currentIds);
    CCategoryTreeCtrlSel* Tree() const { return m_tree; }

private:
    CCategoryTreeCtrlSel* m_tree;
};
