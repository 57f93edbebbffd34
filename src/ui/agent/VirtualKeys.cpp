#include "ui/agent/VirtualKeys.h"

#include <array>

namespace VirtualKeys {
namespace {

    struct Key
    {
        quint32 code;
        int qtKey;
        bool keypad;
        quint32 keySym;
    };

    // Every key with one code; letters, digits and the numbered keys are ranges below.
    constexpr std::array kKeys {
        Key {0x08, Qt::Key_Backspace, false, 0xFF08},
        Key {0x09, Qt::Key_Tab, false, 0xFF09},
        Key {0x0D, Qt::Key_Return, false, 0xFF0D},
        Key {0x13, Qt::Key_Pause, false, 0xFF13},
        Key {0x1B, Qt::Key_Escape, false, 0xFF1B},
        Key {0x20, Qt::Key_Space, false, 0x0020},
        Key {0x21, Qt::Key_PageUp, false, 0xFF55},
        Key {0x22, Qt::Key_PageDown, false, 0xFF56},
        Key {0x23, Qt::Key_End, false, 0xFF57},
        Key {0x24, Qt::Key_Home, false, 0xFF50},
        Key {0x25, Qt::Key_Left, false, 0xFF51},
        Key {0x26, Qt::Key_Up, false, 0xFF52},
        Key {0x27, Qt::Key_Right, false, 0xFF53},
        Key {0x28, Qt::Key_Down, false, 0xFF54},
        Key {0x2C, Qt::Key_Print, false, 0xFF61},
        Key {0x2D, Qt::Key_Insert, false, 0xFF63},
        Key {0x2E, Qt::Key_Delete, false, 0xFFFF},
        Key {0x2F, Qt::Key_Help, false, 0xFF6A},
        Key {0x5D, Qt::Key_Menu, false, 0xFF67},
        Key {0x5F, Qt::Key_Sleep, false, 0x1008FF2F},
        Key {0x6A, Qt::Key_Asterisk, true, 0xFFAA},
        Key {0x6B, Qt::Key_Plus, true, 0xFFAB},
        Key {0x6C, Qt::Key_Comma, true, 0xFFAC},
        Key {0x6D, Qt::Key_Minus, true, 0xFFAD},
        Key {0x6E, Qt::Key_Period, true, 0xFFAE},
        Key {0x6F, Qt::Key_Slash, true, 0xFFAF},
        Key {0xA6, Qt::Key_Back, false, 0x1008FF26},
        Key {0xA7, Qt::Key_Forward, false, 0x1008FF27},
        Key {0xA8, Qt::Key_Refresh, false, 0x1008FF29},
        Key {0xA9, Qt::Key_Stop, false, 0x1008FF28},
        Key {0xAA, Qt::Key_Search, false, 0x1008FF1B},
        Key {0xAB, Qt::Key_Favorites, false, 0x1008FF30},
        Key {0xAC, Qt::Key_HomePage, false, 0x1008FF18},
        Key {0xAD, Qt::Key_VolumeMute, false, 0x1008FF12},
        Key {0xAE, Qt::Key_VolumeDown, false, 0x1008FF11},
        Key {0xAF, Qt::Key_VolumeUp, false, 0x1008FF13},
        Key {0xB0, Qt::Key_MediaNext, false, 0x1008FF17},
        Key {0xB1, Qt::Key_MediaPrevious, false, 0x1008FF16},
        Key {0xB2, Qt::Key_MediaStop, false, 0x1008FF15},
        Key {0xB3, Qt::Key_MediaTogglePlayPause, false, 0x1008FF14},
        Key {0xB4, Qt::Key_LaunchMail, false, 0x1008FF19},
        Key {0xB5, Qt::Key_LaunchMedia, false, 0x1008FF32},
        Key {0xBA, Qt::Key_Semicolon, false, 0x003B},
        Key {0xBB, Qt::Key_Equal, false, 0x003D},
        Key {0xBC, Qt::Key_Comma, false, 0x002C},
        Key {0xBD, Qt::Key_Minus, false, 0x002D},
        Key {0xBE, Qt::Key_Period, false, 0x002E},
        Key {0xBF, Qt::Key_Slash, false, 0x002F},
        Key {0xC0, Qt::Key_QuoteLeft, false, 0x0060},
        Key {0xDB, Qt::Key_BracketLeft, false, 0x005B},
        Key {0xDC, Qt::Key_Backslash, false, 0x005C},
        Key {0xDD, Qt::Key_BracketRight, false, 0x005D},
        Key {0xDE, Qt::Key_Apostrophe, false, 0x0027},
    };

    // What a key reports besides its own key: the symbols of its shifted state, Enter of
    // the keypad, Shift+Tab, the play key.
    struct Alias
    {
        int qtKey;
        quint32 code;
    };
    constexpr std::array kAliases {
        Alias {Qt::Key_Exclam, '1'},      Alias {Qt::Key_At, '2'},          Alias {Qt::Key_NumberSign, '3'},
        Alias {Qt::Key_Dollar, '4'},      Alias {Qt::Key_Percent, '5'},     Alias {Qt::Key_AsciiCircum, '6'},
        Alias {Qt::Key_Ampersand, '7'},   Alias {Qt::Key_Asterisk, '8'},    Alias {Qt::Key_ParenLeft, '9'},
        Alias {Qt::Key_ParenRight, '0'},  Alias {Qt::Key_Colon, 0xBA},      Alias {Qt::Key_Plus, 0xBB},
        Alias {Qt::Key_Less, 0xBC},       Alias {Qt::Key_Underscore, 0xBD}, Alias {Qt::Key_Greater, 0xBE},
        Alias {Qt::Key_Question, 0xBF},   Alias {Qt::Key_AsciiTilde, 0xC0}, Alias {Qt::Key_BraceLeft, 0xDB},
        Alias {Qt::Key_Bar, 0xDC},        Alias {Qt::Key_BraceRight, 0xDD}, Alias {Qt::Key_QuoteDbl, 0xDE},
        Alias {Qt::Key_Enter, 0x0D},      Alias {Qt::Key_Backtab, 0x09},    Alias {Qt::Key_MediaPlay, 0xB3},
        Alias {Qt::Key_MediaPause, 0xB3},
    };

    constexpr quint32 kFirstFunction = 0x70;
    constexpr quint32 kFunctionKeys = 24;
    constexpr quint32 kFirstKeypadDigit = 0x60;

} // namespace

quint32 CodeOf(QKeyCombination combination)
{
    const int key = combination.key();
    const bool keypad = combination.keyboardModifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return quint32(key); // a letter's code is its capital
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return keypad ? kFirstKeypadDigit + quint32(key - Qt::Key_0) : quint32(key);
    if (key >= Qt::Key_F1 && key < Qt::Key_F1 + int(kFunctionKeys))
        return kFirstFunction + quint32(key - Qt::Key_F1);
    for (const Key& entry : kKeys) {
        if (entry.qtKey == key && entry.keypad == keypad)
            return entry.code;
    }
    for (const Alias& alias : kAliases) {
        if (alias.qtKey == key)
            return alias.code;
    }
    // The keypad's arrows, Home, End... while Num Lock is off are the keys they stand for.
    if (keypad) {
        for (const Key& entry : kKeys) {
            if (entry.qtKey == key && !entry.keypad)
                return entry.code;
        }
    }
    return 0;
}

QKeyCombination KeyOf(quint32 code)
{
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return QKeyCombination(Qt::Key(code));
    if (code >= kFirstKeypadDigit && code < kFirstKeypadDigit + 10)
        return QKeyCombination(Qt::KeypadModifier, Qt::Key(Qt::Key_0 + int(code - kFirstKeypadDigit)));
    if (code >= kFirstFunction && code < kFirstFunction + kFunctionKeys)
        return QKeyCombination(Qt::Key(Qt::Key_F1 + int(code - kFirstFunction)));
    for (const Key& entry : kKeys) {
        if (entry.code == code)
            return QKeyCombination(entry.keypad ? Qt::KeypadModifier : Qt::NoModifier, Qt::Key(entry.qtKey));
    }
    return QKeyCombination(Qt::Key_unknown);
}

quint32 KeySym(quint32 code)
{
    if (code >= 'A' && code <= 'Z')
        return code - 'A' + 'a'; // the lower-case letter's symbol
    if (code >= '0' && code <= '9')
        return code;
    if (code >= kFirstKeypadDigit && code < kFirstKeypadDigit + 10)
        return 0xFFB0 + (code - kFirstKeypadDigit); // KP_0 to KP_9
    if (code >= kFirstFunction && code < kFirstFunction + kFunctionKeys)
        return 0xFFBE + (code - kFirstFunction); // F1 to F24
    for (const Key& entry : kKeys) {
        if (entry.code == code)
            return entry.keySym;
    }
    return 0;
}

quint32 FlagsOf(Qt::KeyboardModifiers modifiers)
{
    quint32 flags = 0;
    if (modifiers & Qt::AltModifier)
        flags |= kAltFlag;
    if (modifiers & Qt::ControlModifier)
        flags |= kControlFlag;
    if (modifiers & Qt::ShiftModifier)
        flags |= kShiftFlag;
    return flags;
}

Qt::KeyboardModifiers ModifiersOf(quint32 flags)
{
    Qt::KeyboardModifiers modifiers;
    if (flags & kAltFlag)
        modifiers |= Qt::AltModifier;
    if (flags & kControlFlag)
        modifiers |= Qt::ControlModifier;
    if (flags & kShiftFlag)
        modifiers |= Qt::ShiftModifier;
    return modifiers;
}

} // namespace VirtualKeys
