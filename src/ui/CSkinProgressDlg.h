#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

// The progress dialog of long operations: a message and a bar of steps, kept above the
// main window. The work runs on the one user-interface thread, so every change repaints
// the dialog at once instead of waiting for the event loop.
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
    void RepaintNow();

    QLabel* m_message;
    QProgressBar* m_bar;
};
