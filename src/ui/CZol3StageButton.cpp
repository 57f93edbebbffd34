#include "ui/CZol3StageButton.h"

#include <QMouseEvent>
#include <QPainter>

CZol3StageButton::CZol3StageButton(QWidget* parent, int commandId)
    : QAbstractButton(parent)
    , m_commandId(commandId)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover);
    connect(this, &QAbstractButton::clicked, this, [this] { emit Command(m_commandId); });
}

void CZol3StageButton::SetBitmaps(QWidget* parent, const QPixmap& normal, const QPixmap& pressed,
                                  const QPixmap& hover)
{
    if (parent && parent != parentWidget())
        setParent(parent);
    m_hovering = m_pressed = m_tracking = false;
    m_normal = normal;
    m_pressedBitmap = pressed;
    m_hover = hover;
    update();
}

void CZol3StageButton::SetGlyph(SkinBitmaps::Glyph glyph, QSize size)
{
    using SkinBitmaps::State;
    SetBitmaps(nullptr, SkinBitmaps::Make(glyph, State::Normal, size),
               SkinBitmaps::Make(glyph, State::Pressed, size), SkinBitmaps::Make(glyph, State::Hover, size));
}

void CZol3StageButton::SizeToBitmap(bool keepRight, bool keepBottom)
{
    const QRect old = geometry();
    const QSize size = m_normal.isNull() ? old.size() : m_normal.deviceIndependentSize().toSize();
    const int x = keepRight ? old.right() + 1 - size.width() : old.left();
    const int y = keepBottom ? old.bottom() + 1 - size.height() : old.top();
    setGeometry(x, y, size.width(), size.height());
}

CZol3StageButton::Drawn CZol3StageButton::CurrentBitmap() const
{
    if (isDown())
        return m_pressedBitmap.isNull() ? Drawn::Nothing : Drawn::Pressed;
    if (m_hovering && !m_pressed)
        return m_hover.isNull() ? Drawn::Nothing : Drawn::Hover;
    return m_normal.isNull() ? Drawn::Nothing : Drawn::Normal;
}

QSize CZol3StageButton::sizeHint() const
{
    return m_normal.isNull() ? QSize(28, 28) : m_normal.deviceIndependentSize().toSize();
}

void CZol3StageButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!isEnabled())
        painter.setOpacity(0.35); // a command that cannot run now is drawn faded
    switch (CurrentBitmap()) {
    case Drawn::Pressed:
        painter.drawPixmap(rect(), m_pressedBitmap);
        break;
    case Drawn::Hover:
        painter.drawPixmap(rect(), m_hover);
        break;
    case Drawn::Normal:
        painter.drawPixmap(rect(), m_normal);
        break;
    case Drawn::Nothing:
        break;
    }
}

void CZol3StageButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    m_tracking = true;
    OnHover();
}

void CZol3StageButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    OnLeave();
}

void CZol3StageButton::mouseMoveEvent(QMouseEvent* event)
{
    // A move that arrives without an outstanding request starts one; the hover follows at once.
    if (!m_tracking && rect().contains(event->position().toPoint())) {
        m_tracking = true;
        OnHover();
    }
    QAbstractButton::mouseMoveEvent(event);
}

void CZol3StageButton::OnHover()
{
    if (!m_hovering) {
        m_hovering = true;
        update();
    }
}

void CZol3StageButton::OnLeave()
{
    m_hovering = false;
    m_tracking = false;
    update();
}

void CZol3StageButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_tracking = false;
        m_pressed = true;
    }
    QAbstractButton::mousePressEvent(event);
}

void CZol3StageButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = false;
        m_hovering = false;
    }
    QAbstractButton::mouseReleaseEvent(event);
    update();
}
