#pragma once

#include "ui/ThrottledRepaint.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// The progress dialog of long operations: a message and a bar of steps, kept above the
// main window. The work runs on the one user-interface thread, so changes repaint the
// dialog without waiting for the event loop, at most about thirty times a second.
class CSkinProgressDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CSkinProgressDlg(QWidget* owner);

    void SetRange(int low, int high);
    void SetPosition(int position);
    void StepIt();
    void SetMessage(const QString& message);
    // Shows the dialog centred on its owner.
    void ShowCentred();

    QString Message() const;
    int Position() const;
    int Maximum() const;

private:
    // The bar's state, given to the bar only when the dialog is painted.
    void ShowBarState();

    int m_low = 0;
    int m_high = 100;
    int m_position = 0;
    QLabel* m_message;
    QProgressBar* m_bar;
    ThrottledRepaint m_repaint {this, [this] { ShowBarState(); }};
};
