#pragma once

#include <QDialog>

class CViewImageWnd;

// "View Image": a resizable dialog showing one picture in its window, which fills the
// dialog less a margin of 10 pixels. A double-click on the picture closes it.
class CViewImageDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CViewImageDlg(const QString& path, QWidget* parent = nullptr);

    CViewImageWnd* Window() const { return m_window; }

private:
    CViewImageWnd* m_window = nullptr;
};
