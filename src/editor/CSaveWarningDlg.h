#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QPushButton;

// "Continue?": asked before the note editor is cancelled. "Yes" (Accepted) closes the
// editor without saving, "No" (the default, Rejected) returns to it. Ticking "Do not
// display this warning again." turns the warning off through the given callback, and
// shortly afterwards closes the warning as if "Yes" had been pressed.
class CSaveWarningDlg : public QDialog
{
    Q_OBJECT
public:
    // turnOff switches the setting off and stores the settings at once.
    explicit CSaveWarningDlg(std::function<void()> turnOff, QWidget* parent = nullptr);

    QPushButton* YesButton() const { return m_yes; }
    QPushButton* NoButton() const { return m_no; }
    QCheckBox* DontShowBox() const { return m_dontShow; }

private:
    void OnDontShow(bool checked);

    std::function<void()> m_turnOff;
    QPushButton* m_yes = nullptr;
    QPushButton* m_no = nullptr;
    QCheckBox* m_dontShow = nullptr;
};
