#include "ui/exchange/CImportListCtrl.h"

#include "exchange/ImportSession.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int NoteIndexRole = Qt::UserRole;
constexpr int ImageRole = Qt::UserRole + 1;
constexpr int kCheckWidth = 22; // the check image's part of the first column

// The colours of the states: new green, newer red, older blue, same grey.
QColor StateColour(int image)
{
    switch (image) {
    case 2:
        return QColor(0, 150, 60);
    case 3:
        return QColor(210, 30, 30);
    case 4:
        return QColor(30, 70, 210);
    default:
        return QColor(120, 120, 120);
    }
}

} // namespace

CImportListCtrl::CImportListCtrl(QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("importList"));
    setAccessibleName(QStringLiteral("Notes To Import"));
    setToolTip(QStringLiteral("Click a note's check box to select it; double-click to view or edit it"));
    setRootIsDecorated(false);
    setAllColumnsShowFocus(true); // full-row selection
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    // Grid lines. A style sheet rule for the items takes their drawing from the style, the
    // selected look included: the selected row is given the highlight colours outright so
    // that its text stays readable, with the focus or without it.
    setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; "
                                 "border-bottom: 1px solid #d0d0d0; }"
                                 "QTreeView::item:selected { background: palette(highlight); "
                                 "color: palette(highlighted-text); }"));
    setHeaderLabels({QStringLiteral("  Selection/Status"), QStringLiteral("Source Title"),
                     QStringLiteral("L1 Category"), QStringLiteral("L2 Category"),
                     QStringLiteral("L3 Category"), QStringLiteral("L4 Category"),
                     QStringLiteral("Attachments")});
    const int widths[] = {175, 220, 100, 100, 100, 100, 60};
    for (int column = 0; column < 7; ++column)
        setColumnWidth(column, widths[column]);
    headerItem()->setTextAlignment(6, Qt::AlignCenter);
}

QIcon CImportListCtrl::CheckIcon(int image)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(image > 1 ? StateColour(image) : QColor(Qt::white));
    painter.drawRect(QRectF(1.5, 1.5, 13, 13));
    if (image > 1) {
        painter.setPen(QPen(Qt::white, 2));
        painter.drawPolyline(QPolygonF({QPointF(4, 8), QPointF(7, 11), QPointF(12, 4)}));
    }
    return QIcon(pixmap);
}

int CImportListCtrl::ImageForStatus(const QString& statusText)
{
    if (!statusText.contains(QLatin1String("EXISTS")))
        return 2;
    if (statusText.contains(QLatin1String("new")))
        return 3;
    if (statusText.contains(QLatin1String("old")))
        return 4;
    return 5;
}

void CImportListCtrl::Fill(const ImportSession& session, bool showSameNotes)
{
    clear();
    for (int index : session.ListedRows(showSameNotes)) {
        auto* item = new QTreeWidgetItem(this);
        item->setData(0, NoteIndexRole, index);
        RefreshRow(topLevelItemCount() - 1, session);
        SetImage(item, ImageForStatus(item->text(0)));
    }
    emit CheckedChanged();
}

void CImportListCtrl::RefreshRow(int row, const ImportSession& session)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return;
    const int index = NoteIndex(row);
    const NoteRecord& note = session.Items().at(index).note;
    item->setText(0, session.StatusText(index));
    item->setText(1, note.SourceID > 0 ? note.AttachedSource.Fields.value(0) : QString());
    for (int level = 0; level < 4; ++level)
        item->setText(2 + level, note.Categories.NameAt(level));
    item->setText(6, QString::number(note.Attachments.size()));
    item->setTextAlignment(6, Qt::AlignCenter);
    if (IsChecked(row))
        SetImage(item, ImageForStatus(item->text(0)));
}

int CImportListCtrl::NoteIndex(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, NoteIndexRole).toInt() : -1;
}

int CImportListCtrl::RowOfNote(int noteIndex) const
{
    for (int row = 0; row < RowCount(); ++row) {
        if (NoteIndex(row) == noteIndex)
            return row;
    }
    return -1;
}

int CImportListCtrl::CheckImage(int row) const
{
    const QTreeWidgetItem* item = topLevelItem(row);
    return item ? item->data(0, ImageRole).toInt() : 0;
}

void CImportListCtrl::SetImage(QTreeWidgetItem* item, int image)
{
    item->setData(0, ImageRole, image);
    item->setIcon(0, CheckIcon(image));
}

void CImportListCtrl::SetChecked(int row, bool checked)
{
    QTreeWidgetItem* item = topLevelItem(row);
    if (!item)
        return;
    SetImage(item, checked ? ImageForStatus(item->text(0)) : 1);
    emit CheckedChanged();
}

void CImportListCtrl::ToggleRow(int row)
{
    SetChecked(row, !IsChecked(row));
}

void CImportListCtrl::SetAllChecked(bool checked)
{
    for (int row = 0; row < RowCount(); ++row)
        SetImage(topLevelItem(row), checked ? ImageForStatus(topLevelItem(row)->text(0)) : 1);
    emit CheckedChanged();
}

QList<int> CImportListCtrl::CheckedNotes() const
{
    QList<int> notes;
    for (int row = 0; row < RowCount(); ++row) {
        if (IsChecked(row))
            notes.append(NoteIndex(row));
    }
    return notes;
}

void CImportListCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || !index.isValid() || index.column() != 0)
        return;
    if (event->position().x() - visualRect(index).left() < kCheckWidth)
        ToggleRow(index.row());
}

void CImportListCtrl::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && currentIndex().isValid()) {
        ToggleRow(currentIndex().row());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}
