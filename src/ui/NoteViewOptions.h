#pragma once

#include "store/FontSetting.h"

class Settings;

// The settings that decide how a note is laid out in the view. Two notes laid out with
// equal options and width have equal heights, so a change of any of these (or of the
// width) is what invalidates the measured heights.
struct NoteViewOptions
{
    bool showSources = true;
    bool sourceTop = false;
    bool showCats = true;
    bool catsTop = false;
    int sourceSize = 15;
    double zoom = 1.0;
    FontSetting imageTitleFont;

    static NoteViewOptions FromSettings(const Settings& settings);
    bool operator==(const NoteViewOptions&) const = default;
};
