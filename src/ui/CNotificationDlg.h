#pragma once

#include "ui/ThrottledRepaint.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// The one-line notification window: a message and a running busy strip, centred on its
// owner. Setting the message redraws without waiting for the event loop, so it shows while
// the thread is busy, at most about thirty times a second.
class CNotificationDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CNotificationDlg(QWidget* owner);

    void SetMessage(const QString& text);
    QString Message() const { return m_text; }
    void ShowCentred();

private:
    ThrottledRepaint m_repaint {this};
    QString m_text;
    QLabel* m_label;
    QProgressBar* m_busy;
};
