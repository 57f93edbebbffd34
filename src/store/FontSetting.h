#pragma once

#include <QString>

// A font with its colour as the settings keep it, one settings group per font (for
// example "EditTextFont" and "ImgTitleFont") with the values "Height", "Weight",
// "Italic", "Underline", "PitchAndFamily", "CharSet", "FaceName", "Red", "Blue" and
// "Green". Colour channels are 0 to 255.
struct FontSetting
{
    qint32 Height = 0;
    qint32 Weight = 400;
    qint32 Italic = 0;
    qint32 Underline = 0;
    qint32 PitchAndFamily = 0;
    qint32 CharSet = 0;
    QString FaceName; // at most 31 characters
    qint32 Red = 0;
    qint32 Green = 0;
    qint32 Blue = 0;

    bool operator==(const FontSetting&) const = default;
};
