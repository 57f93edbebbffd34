#include "editor/CAttachmentsListCtrl.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

namespace {

constexpr int kTitleWidth = 230;
// From nine attachments on, the list makes room for its scroll bar.
constexpr int kRowsBeforeScrolling = 9;

struct KindLook
{
    const char* label;
    QRgb colour;
};

KindLook LookOf(qint32 kind)
{
    switch (kind) {
    case KindImage:
        return {"IMG", qRgb(40, 140, 70)};
    case KindText:
        return {"TXT", qRgb(90, 90, 90)};
    case KindDocument:
        return {"DOC", qRgb(40, 90, 180)};
    case KindPdf:
        return {"PDF", qRgb(200, 40, 40)};
    case KindSpreadsheet:
        return {"XLS", qRgb(30, 130, 60)};
    case KindMusic:
        return {"\u266B", qRgb(150, 60, 170)};
    case KindVideo:
        return {"\u25B6", qRgb(200, 110, 20)};
    case KindHtml:
        return {"WWW", qRgb(20, 130, 170)};
    case KindCode:
        return {"{ }", qRgb(100, 70, 40)};
    case KindCompressed:
        return {"ZIP", qRgb(160, 130, 30)};
    default:
        return {"?", qRgb(130, 130, 130)};
    }
}

} // namespace

CAttachmentsListCtrl::CAttachmentsListCtrl(QWidget* parent)
    : QTableWidget(parent)
{
    setObjectName(QStringLiteral("attachmentsList"));
    setAccessibleName(QStringLiteral("Attachments"));
    setToolTip(QStringLiteral("Double-Click on an attachment to open it."));
    setColumnCount(2);
    setHorizontalHeaderLabels({QStringLiteral("Title"), QStringLiteral("Original File Name")});
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setIconSize(QSize(20, 20));
    verticalHeader()->hide();
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QIcon CAttachmentsListCtrl::KindIcon(qint32 kind)
{
    const KindLook look = LookOf(kind);
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A page with a folded corner and a coloured band naming the kind.
    QPolygonF page({{3.5, 0.5}, {13, 0.5}, {17.5, 5}, {17.5, 19.5}, {3.5, 19.5}});
    painter.setPen(QColor(120, 120, 120));
    painter.setBrush(Qt::white);
    painter.drawPolygon(page);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(look.colour));
    painter.drawRect(QRectF(1, 9, 15, 8));
    QFont font = painter.font();
    font.setPixelSize(7);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(1, 9, 15, 8), Qt::AlignCenter, QString::fromUtf8(look.label));
    return QIcon(pixmap);
}

void CAttachmentsListCtrl::Fill(const QList<AttachmentRecord>& attachments)
{
    setRowCount(0);
    setRowCount(int(attachments.size()));
    for (int row = 0; row < attachments.size(); ++row)
        UpdateRow(row, attachments[row]);
    FitColumns();
}

void CAttachmentsListCtrl::UpdateRow(int row, const AttachmentRecord& attachment)
{
    auto* title = new QTableWidgetItem(KindIcon(attachment.Kind), attachment.Title);
    title->setData(Qt::UserRole, row);
    title->setToolTip(KindName(attachment.Kind));
    setItem(row, 0, title);
    setItem(row, 1, new QTableWidgetItem(attachment.OriginalName));
}

int CAttachmentsListCtrl::SelectedRow() const
{
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.first().topRow();
}

void CAttachmentsListCtrl::SelectRow(int row)
{
    clearSelection();
    if (row >= 0 && row < rowCount()) {
        selectRow(row);
        setCurrentCell(row, 0);
    }
}

void CAttachmentsListCtrl::FitColumns()
{
    int rest = viewport()->width() - kTitleWidth;
    if (rowCount() >= kRowsBeforeScrolling && !verticalScrollBar()->isVisible())
        rest -= style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setColumnWidth(0, kTitleWidth);
    setColumnWidth(1, std::max(80, rest));
}

void CAttachmentsListCtrl::resizeEvent(QResizeEvent* event)
{
    QTableWidget::resizeEvent(event);
    FitColumns();
}
