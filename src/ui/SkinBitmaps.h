#pragma once

#include <QPixmap>
#include <QSize>

// The program draws its own button bitmaps instead of loading them from files: each
// glyph comes in three states (normal, pressed, hover) so that the three-state buttons
// can tell the user what the mouse is doing.
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
