#pragma once

#include <QWidget>

class CKeyWordTreeCtrlSel;
class NoteDatabase;
class NoteIdList;

// The control bar's Key Words page.
class CCtrlKeyWordsPg : public QWidget
{
    Q_OBJECT
public:
    explicit CCtrlKeyWordsPg(QWidget* parent = nullptr);
    void Build(const NoteDatabase& database, const NoteIdList& currentIds);
    CKeyWordTreeCtrlSel* Tree() const { return m_tree; }

private:
    CKeyWordTreeCtrlSel* m_tree;
};
