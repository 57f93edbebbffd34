#pragma once

#include <QKeyCombination>
#include <QtGlobal>

// The keys a hot key can be, by the codes the settings store them with: "Hotkey" holds
// the system's virtual-key code of the key ('A' to 'Z', '0' to '9', F1 0x70 to F24 0x87,
// the keypad's digits 0x60 to 0x69 and signs 0x6A to 0x6F, the arrows 0x25 to 0x28, Home,
// End, Page Up and Down, Insert, Delete, Space, Enter, the punctuation keys 0xBA to 0xDE,
// the media and browser keys...), "HotkeyMod" the modifiers as the flags Alt 1, Control 2,
// Shift 4.
//
// Keys are named by what they are on a US keyboard: a shifted symbol ('!', ':') counts as
// the key that bears it ('1', ';'), since that key and Shift are what was pressed. The
// modifier keys and the lock keys alone are not hot keys.
namespace VirtualKeys {

constexpr quint32 kAltFlag = 1;
constexpr quint32 kControlFlag = 2;
constexpr quint32 kShiftFlag = 4;

// The code of a key as Qt reports it (Qt::KeypadModifier marks a keypad key; other
// modifiers are ignored); 0 when the key cannot be a hot key.
quint32 CodeOf(QKeyCombination key);
// Qt's key of a code, with Qt::KeypadModifier for a keypad key; Qt::Key_unknown for an
// unknown code.
QKeyCombination KeyOf(quint32 code);
// The X key symbol the agent grabs for a code, 0 when there is none.
quint32 KeySym(quint32 code);

quint32 FlagsOf(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers ModifiersOf(quint32 flags);

} // namespace VirtualKeys
