#pragma once

#include "store/FontSetting.h"

#include <QColor>
#include <QFont>

class SettingsBackend;

// The font new note text is written in, with its colour: the settings group
// "EditTextFont". Heights are stored in pixels at 96 per inch; black is the automatic
// colour, so text typed in it stores no colour of its own.
struct NoteTextFont
{
    QFont font;
    QColor colour;

    static QString SettingName() { return QStringLiteral("EditTextFont"); }
    // "Times New Roman", 18 pixels high, weight 400, black.
    static FontSetting DefaultSetting();
    static NoteTextFont FromSetting(const FontSetting& setting);
    static NoteTextFont Load(const SettingsBackend& backend);

    // The colour typed text takes, invalid for the automatic one.
    QColor TypedColour() const;
};
