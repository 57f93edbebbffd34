#include "ui/sources/CSourcePreviewWnd.h"

#include "ui/sources/CitationPainter.h"

#include <QPainter>

namespace {
constexpr int kPreviewMargin = 8;
} // namespace

CSourcePreviewWnd::CSourcePreviewWnd(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("sourcePreview"));
    setAccessibleName(QStringLiteral("Citation preview"));
    setToolTip(QStringLiteral("The citation as the chosen style writes it"));
    setMinimumHeight(90);
}

void CSourcePreviewWnd::SetSource(const SourceRecord& source)
{
    m_source = source;
    setAccessibleDescription(source.CitationText);
    update();
}

void CSourcePreviewWnd::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(frame, QColor(235, 235, 235));
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(frame);
    const CitationPainter citation(CitationPainter::kSourceWindowPixels);
    citation.Paint(painter, QPoint(kPreviewMargin, kPreviewMargin),
                   citation.Layout(m_source, width() - 2 * kPreviewMargin), QColor(0, 0, 0));
}
