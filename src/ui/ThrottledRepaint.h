#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <functional>

class QWidget;

// Repaints a progress window while the work runs on the user-interface thread, at most
// about thirty times a second: a repaint and the event processing that puts it on the
// screen cost far more than one step of most operations. A change that comes too soon is
// painted by the next change that is due, or by a timer once the event loop runs again, so
// the last state is always shown.
class ThrottledRepaint
{
public:
    static constexpr int IntervalMs = 33;

    // `beforePaint` copies the window's state into its controls just before a paint, for
    // controls (a progress bar) that would repaint themselves at every change.
    explicit ThrottledRepaint(QWidget* window, std::function<void()> beforePaint = {});

    // Asks for the window's new state on the screen; `force` paints at once (the window
    // has just appeared).
    void Request(bool force = false);

private:
    void PaintNow();

    QWidget* m_window;
    std::function<void()> m_beforePaint;
    QElapsedTimer m_clock;
    QTimer m_late;
};
