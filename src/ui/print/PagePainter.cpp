#include "ui/print/PagePainter.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

namespace PagePainter {

namespace {

    QFont BandFont(bool bold)
    {
        QFont font(QStringLiteral("Times New Roman"), 9);
        font.setBold(bold);
        return font;
    }

    void PaintBands(QPainter& painter, const QRectF& page, qreal bandHeight, const QString& title, int number,
                    int count)
    {
        painter.save();
        painter.setPen(QColor(0x30, 0x30, 0x30));
        const QRectF header(page.left(), page.top(), page.width(), bandHeight * 0.7);
        painter.setFont(BandFont(true));
        painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, title);
        painter.drawLine(QPointF(page.left(), header.bottom()), QPointF(page.right(), header.bottom()));
        const QRectF footer(page.left(), page.bottom() - bandHeight * 0.7, page.width(), bandHeight * 0.7);
        painter.setFont(BandFont(false));
        painter.drawText(footer, Qt::AlignHCenter | Qt::AlignVCenter, PageNumberText(number, count));
        painter.restore();
    }

} // namespace

QString PageNumberText(int page, int pageCount)
{
    return QStringLiteral("Page %1 of %2").arg(page).arg(pageCount);
}

int Paint(const QTextDocument& document, const QString& title, QPrinter* printer)
{
    QPainter painter;
    if (!painter.begin(printer))
        return 0;
    const QRectF page(QPointF(0, 0), printer->pageLayout().paintRectPixels(printer->resolution()).size());
    // Header and footer bands of one and a half lines of their font each.
    const qreal band = QFontMetricsF(BandFont(true), printer).height() * 2.2;
    const QSizeF body(page.width(), page.height() - 2 * band);

    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(printer);
    copy->setPageSize(body);
    const int count = qMax(1, copy->pageCount());
    for (int number = 1; number <= count; ++number) {
        if (number > 1)
            printer->newPage();
        PaintBands(painter, page, band, title, number, count);
        painter.save();
        const QRectF slice(0, (number - 1) * body.height(), body.width(), body.height());
        painter.translate(0, band - slice.top());
        painter.setClipRect(slice);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = slice;
        copy->documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    return count;
}

} // namespace PagePainter
