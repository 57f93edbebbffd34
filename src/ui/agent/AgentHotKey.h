#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

// The agent's global hot key on X11: the X server grabs the key on the root window, so the
// key reaches the agent whatever window has the focus. Elsewhere (Wayland) nothing is
// grabbed; the desktop's own shortcut runs "QVAgent --capture" instead.
//
// The key comes as the settings store it (VirtualKeys): "Hotkey" a virtual-key code and
// "HotkeyMod" the flags Alt 1, Control 2, Shift 4.
class AgentHotKey : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit AgentHotKey(QObject* parent = nullptr);
    ~AgentHotKey() override;

    // Grabs the key, releasing any key grabbed before; false when it cannot be grabbed
    // (no X server, an unknown key, or another program holds it).
    bool Grab(quint32 virtualKey, quint32 modifiers);
    void Release();

    // A Wayland session: the desktop lets no program grab a key, so the hot key does
    // nothing and a desktop shortcut running "QVAgent --capture" takes its place.
    static bool WaylandSession();

    // The X key symbol of a virtual-key code, 0 when there is none.
    static quint32 KeySym(quint32 virtualKey);
    // The X modifier mask of the stored flags.
    static quint16 ModifierMask(quint32 modifiers);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void Pressed();

private:
    quint8 m_keycode = 0;
    quint16 m_mask = 0;
};
