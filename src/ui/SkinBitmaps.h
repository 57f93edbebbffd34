#pragma once

#include <QPixmap>
#include <QSize>

// The bitmaps of the skinned buttons: a bevelled face with a glyph drawn from an SVG
// resource (src/ui/skin/). Each glyph comes in three states (normal, pressed, hover) so
// that the three-state buttons can tell the user what the mouse is doing.
namespace SkinBitmaps {

enum class Glyph
{
    Import,
    Export,
    Print,
    AddNote,
    Sources,
    Categories,
    Clear,
    SearchDatabase,
    SearchCurrent,
    Dropdown,
    Online,
    ImageZoomIn,
    ImageZoomOut,
    ImageShiftLeft,
    ImageShiftRight,
    ImageRestore,
};

enum class State
{
    Normal,
    Pressed,
    Hover
};

// A bitmap of the given size; the same arguments always give the same picture.
QPixmap Make(Glyph glyph, State state, QSize size);

} // namespace SkinBitmaps
