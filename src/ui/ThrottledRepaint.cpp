#include "ui/ThrottledRepaint.h"

#include <QApplication>
#include <QWidget>

ThrottledRepaint::ThrottledRepaint(QWidget* window, std::function<void()> beforePaint)
    : m_window(window)
    , m_beforePaint(std::move(beforePaint))
{
    m_late.setSingleShot(true);
    QObject::connect(&m_late, &QTimer::timeout, m_window, [this] { PaintNow(); });
}

void ThrottledRepaint::Request(bool force)
{
    if (!m_window->isVisible())
        return;
    const qint64 since = m_clock.isValid() ? m_clock.elapsed() : IntervalMs;
    if (force || since >= IntervalMs) {
        PaintNow();
        return;
    }
    if (!m_late.isActive())
        m_late.start(static_cast<int>(IntervalMs - since));
}

void ThrottledRepaint::PaintNow()
{
    m_late.stop();
    if (!m_window->isVisible())
        return;
    if (m_beforePaint)
        m_beforePaint();
    m_window->repaint();
    m_clock.start();
    // Lets the window system put the new picture on the screen; input waits.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
