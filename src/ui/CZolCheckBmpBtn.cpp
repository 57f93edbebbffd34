#include "ui/CZolCheckBmpBtn.h"

#include <QMouseEvent>

CZolCheckBmpBtn::CZolCheckBmpBtn(QWidget* parent, int commandId)
    : CZol3StageButton(parent, commandId)
{
}

void CZolCheckBmpBtn::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_tracking = false;
        m_pressed = !m_pressed;
    }
    QAbstractButton::mousePressEvent(event);
}

void CZolCheckBmpBtn::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_hovering = false;
    QAbstractButton::mouseReleaseEvent(event);
    update();
}

void CZolCheckBmpBtn::OnLeave()
{
    m_hovering = false;
    m_pressed = false;
    m_tracking = false;
    update();
}
