#include "ui/agent/AgentHotKey.h"

#include "ui/agent/VirtualKeys.h"

#include <QCoreApplication>
#include <QGuiApplication>

#if QUORVEL_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace {

constexpr quint16 kShiftMask = 1;
constexpr quint16 kLockMask = 2;
constexpr quint16 kControlMask = 4;
constexpr quint16 kMod1Mask = 8; // Alt
constexpr quint16 kMod2Mask = 16; // Num Lock

#if QUORVEL_HAVE_XCB
xcb_connection_t* Connection()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t RootWindow(xcb_connection_t* connection)
{
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return screen ? screen->root : 0;
}

// The first key code whose key carries the symbol.
quint8 KeyCodeOf(xcb_connection_t* connection, quint32 keysym)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const quint8 first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, first, count), nullptr);
    if (!reply)
        return 0;
    const xcb_keysym_t* symbols = xcb_get_keyboard_mapping_keysyms(reply);
    const int perCode = reply->keysyms_per_keycode;
    quint8 found = 0;
    for (int code = 0; code < count && found == 0; ++code) {
        for (int i = 0; i < perCode; ++i) {
            if (symbols[code * perCode + i] == keysym) {
                found = quint8(first + code);
                break;
            }
        }
    }
    free(reply);
    return found;
}

// The grab must also hold with Caps Lock and Num Lock on.
QList<quint16> LockVariants(quint16 mask)
{
    return {mask, quint16(mask | kLockMask), quint16(mask | kMod2Mask),
            quint16(mask | kLockMask | kMod2Mask)};
}
#endif

} // namespace

AgentHotKey::AgentHotKey(QObject* parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

AgentHotKey::~AgentHotKey()
{
    Release();
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool AgentHotKey::WaylandSession()
{
    return qEnvironmentVariable("XDG_SESSION_TYPE").compare(QLatin1String("wayland"), Qt::CaseInsensitive)
        == 0
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

quint32 AgentHotKey::KeySym(quint32 virtualKey)
{
    return VirtualKeys::KeySym(virtualKey);
}

quint16 AgentHotKey::ModifierMask(quint32 modifiers)
{
    quint16 mask = 0;
    if (modifiers & VirtualKeys::kAltFlag)
        mask |= kMod1Mask;
    if (modifiers & VirtualKeys::kControlFlag)
        mask |= kControlMask;
    if (modifiers & VirtualKeys::kShiftFlag)
        mask |= kShiftMask;
    return mask;
}

bool AgentHotKey::Grab(quint32 virtualKey, quint32 modifiers)
{
    Release();
#if QUORVEL_HAVE_XCB
    xcb_connection_t* connection = Connection();
    const quint32 keysym = KeySym(virtualKey);
    if (!connection || keysym == 0)
        return false;
    const quint8 keycode = KeyCodeOf(connection, keysym);
    if (keycode == 0)
        return false;
    const quint16 mask = ModifierMask(modifiers);
    bool grabbed = true;
    for (quint16 variant : LockVariants(mask)) {
        xcb_generic_error_t* error
            = xcb_request_check(connection,
                                xcb_grab_key_checked(connection, 1, RootWindow(connection), variant, keycode,
                                                     XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        grabbed = grabbed && error == nullptr;
        free(error);
    }
    m_keycode = keycode;
    m_mask = mask;
    if (!grabbed)
        Release();
    return grabbed;
#else
    Q_UNUSED(virtualKey);
    Q_UNUSED(modifiers);
    return false;
#endif
}

void AgentHotKey::Release()
{
#if QUORVEL_HAVE_XCB
    xcb_connection_t* connection = Connection();
    if (connection && m_keycode != 0) {
        for (quint16 variant : LockVariants(m_mask))
            xcb_ungrab_key(connection, m_keycode, RootWindow(connection), variant);
        xcb_flush(connection);
    }
#endif
    m_keycode = 0;
    m_mask = 0;
}

bool AgentHotKey::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
#if QUORVEL_HAVE_XCB
    if (m_keycode == 0 || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS)
        return false;
    const auto* key = static_cast<const xcb_key_press_event_t*>(message);
    if (key->detail != m_keycode || (key->state & ~(kLockMask | kMod2Mask)) != m_mask)
        return false;
    emit Pressed();
    return true;
#else
    Q_UNUSED(eventType);
    Q_UNUSED(message);
    return false;
#endif
}
