#include "ui/CHotKeyCtrl.h"

#include "ui/agent/VirtualKeys.h"

#include <QKeyEvent>
#include <QKeySequence>

namespace {

bool IsModifierKey(int key)
{
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
        || key == Qt::Key_AltGr || key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == Qt::Key_CapsLock
        || key == Qt::Key_NumLock || key == Qt::Key_ScrollLock;
}

} // namespace

CHotKeyCtrl::CHotKeyCtrl(QWidget* parent)
    : QLineEdit(parent)
{
    // Keys pressed here name the hot key; nothing is typed as text.
    setReadOnly(true);
    setFocusPolicy(Qt::StrongFocus);
    ShowHotKey();
}

void CHotKeyCtrl::SetHotKey(quint32 keyCode, quint32 modifierFlags)
{
    const bool known = VirtualKeys::KeyOf(keyCode).key() != Qt::Key_unknown;
    m_code = known ? keyCode : 0;
    m_flags = known
        ? modifierFlags & (VirtualKeys::kAltFlag | VirtualKeys::kControlFlag | VirtualKeys::kShiftFlag)
        : 0;
    ShowHotKey();
    emit HotKeyChanged();
}

void CHotKeyCtrl::ShowHotKey()
{
    if (m_code == 0) {
        setText(QStringLiteral("None"));
    } else {
        const QKeyCombination key = VirtualKeys::KeyOf(m_code);
        const Qt::KeyboardModifiers modifiers = VirtualKeys::ModifiersOf(m_flags);
        QString text = QKeySequence(QKeyCombination(modifiers, key.key())).toString(QKeySequence::NativeText);
        if (key.keyboardModifiers().testFlag(Qt::KeypadModifier))
            text += QStringLiteral(" (keypad)");
        setText(text);
    }
    // A screen reader hears the key as well as the control's name.
    setAccessibleDescription(text());
}

bool CHotKeyCtrl::event(QEvent* event)
{
    // Keys that are shortcuts elsewhere (Ctrl+A, Alt+F...) come here first while focused.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool plainNavigation = key->modifiers() == Qt::NoModifier
            && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Escape);
        if (!plainNavigation) {
            event->accept();
            return true;
        }
    }
    // Tab with a modifier is a hot key too.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void CHotKeyCtrl::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const Qt::KeyboardModifiers held
        = modifiers & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
    if (held == Qt::NoModifier && (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Escape)) {
        event->ignore();
        return;
    }
    if (IsModifierKey(key) || key == Qt::Key_unknown) {
        event->accept();
        return;
    }
    if (held == Qt::NoModifier && (key == Qt::Key_Backspace || key == Qt::Key_Delete)) {
        SetHotKey(0, 0);
        event->accept();
        return;
    }
    const quint32 code = VirtualKeys::CodeOf(QKeyCombination(modifiers & Qt::KeypadModifier, Qt::Key(key)));
    if (code != 0) {
        // Shift+Tab reports Backtab: the Tab key with Shift.
        SetHotKey(code, VirtualKeys::FlagsOf(held));
    }
    event->accept();
}
