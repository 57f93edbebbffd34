#pragma once

#include "format/AttachmentRecord.h"

#include <QTableWidget>

// The list of the "Attachments" dialog: one row per attachment with its kind's icon, the
// "Title" column (230 pixels) and "Original File Name" (the rest), full-row selection and
// grid lines. Each row carries the index of its attachment in the note's list.
class CAttachmentsListCtrl : public QTableWidget
{
    Q_OBJECT
public:
    explicit CAttachmentsListCtrl(QWidget* parent = nullptr);

    void Fill(const QList<AttachmentRecord>& attachments);
    void UpdateRow(int row, const AttachmentRecord& attachment);
    int SelectedRow() const;
    void SelectRow(int row);

    // A small file picture per kind, with the kind's short name on it.
    static QIcon KindIcon(qint32 kind);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitColumns();
};
