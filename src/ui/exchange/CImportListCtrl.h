#pragma once

#include <QList>
#include <QTreeWidget>

class ImportSession;

// The import dialog's list: one row per listed incoming note, its status, source title,
// four category names and attachment count. Each row carries the note's index in the
// import list and its check image: 1 unselected, 2 new, 3 newer, 4 older, 5 same.
// Clicking a row's check image (or pressing the space bar) toggles the row.
class CImportListCtrl : public QTreeWidget
{
    Q_OBJECT
public:
    explicit CImportListCtrl(QWidget* parent = nullptr);

    // Fills the list from the session, every listed row selected.
    void Fill(const ImportSession& session, bool showSameNotes);
    // Rewrites one row's texts from the session and, when selected, its image.
    void RefreshRow(int row, const ImportSession& session);

    int RowCount() const { return topLevelItemCount(); }
    int NoteIndex(int row) const;
    int CheckImage(int row) const;
    bool IsChecked(int row) const { return CheckImage(row) > 1; }
    void SetChecked(int row, bool checked);
    void ToggleRow(int row);
    void SetAllChecked(bool checked);
    // The import-list indices of the selected rows, in row order.
    QList<int> CheckedNotes() const;
    int RowOfNote(int noteIndex) const;

    // The picture of a check image (1 to 5).
    static QIcon CheckIcon(int image);
    // The selected image a status text asks for: no "EXISTS" 2, "new" 3, "old" 4, else 5.
    static int ImageForStatus(const QString& statusText);

signals:
    void CheckedChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void SetImage(QTreeWidgetItem* item, int image);
};
