#pragma once

#include <QWidget>

class CSourcesTreeCtrlSel;
class NoteDatabase;
class NoteIdList;
class SourceStore;
class QComboBox;

// The control bar's Sources page with its "Show Sources By:" list.
class CCtrlSourcesPg : public QWidget
{
    Q_OBJECT
public:
    explicit CCtrlSourcesPg(QWidget* parent = nullptr);
    void Build(const NoteDatabase& database, const SourceStore& sources, const NoteIdList& currentIds,
               int showBy);
    CSourcesTreeCtrlSel* Tree() const { return m_tree; }
    QComboBox* ShowBy() const { return m_showBy; }

signals:
    // The value of the entry chosen in "Show Sources By:" (30, 10 or 20).
    void ShowByChanged(int value);

private:
    QComboBox* m_showBy;
    CSourcesTreeCtrlSel* m_tree;
};
