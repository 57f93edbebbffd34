#pragma once

#include <QLineEdit>

// The hot-key control: shows one key with its modifiers ("Ctrl+Shift+N", "None") and
// takes the next key pressed in it, any key VirtualKeys knows, with or without Alt,
// Control and Shift. Tab and Escape alone keep their work in the dialog (moving on,
// closing); Backspace or Delete alone empty the control.
class CHotKeyCtrl : public QLineEdit
{
    Q_OBJECT
public:
    explicit CHotKeyCtrl(QWidget* parent = nullptr);

    // The key as the settings store it: the virtual-key code (0: none) and the flags
    // Alt 1, Control 2, Shift 4.
    quint32 KeyCode() const { return m_code; }
    quint32 ModifierFlags() const { return m_flags; }
    void SetHotKey(quint32 keyCode, quint32 modifierFlags);

signals:
    void HotKeyChanged();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowHotKey();

    quint32 m_code = 0;
    quint32 m_flags = 0;
};
