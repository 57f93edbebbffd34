#include "ui/categories/CShowCtrlBarButton.h"

#include "ui/CommandIds.h"

#include <QPainter>
#include <QPainterPath>

CShowCtrlBarButton::CShowCtrlBarButton(QWidget* parent)
    : CZol3StageButton(parent, CommandIds::ToggleControlBar)
{
    setObjectName(QStringLiteral("showCtrlBarButton"));
    setAccessibleName(QStringLiteral("Show or Hide Search Controls"));
    SetBarShown(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void CShowCtrlBarButton::SetBarShown(bool shown)
{
    m_barShown = shown;
    setToolTip(shown ? QStringLiteral("Hide Search Controls") : QStringLiteral("Show Search Controls"));
    update();
}

void CShowCtrlBarButton::DrawArrow(QPainter& painter, int centreY) const
{
    const qreal x = width() / 2.0;
    // Pointing left hides the bar (it sits to the right of the strip), right shows it.
    const qreal dx = m_barShown ? -3.0 : 3.0;
    QPainterPath arrow;
    arrow.moveTo(x - dx, centreY - 5);
    arrow.lineTo(x + dx, centreY);
    arrow.lineTo(x - dx, centreY + 5);
    painter.drawPath(arrow);
}

void CShowCtrlBarButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor face(58, 66, 78);
    if (isDown())
        face = face.darker(130);
    else if (Hovering())
        face = face.lighter(140);
    painter.fillRect(rect(), face);
    painter.setPen(QPen(QColor(220, 225, 232), 1.6));
    painter.setBrush(Qt::NoBrush);
    DrawArrow(painter, 14);
    DrawArrow(painter, height() - 14);
    // The grip: three dots centred vertically.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 205, 212));
    for (int i = -1; i <= 1; ++i)
        painter.drawEllipse(QPointF(width() / 2.0, height() / 2.0 + i * 7), 1.6, 1.6);
}
