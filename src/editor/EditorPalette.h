#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>

// The choices of the note editor's tool bar: the sixteen colours of the colour pop-up,
// the fonts of the font list, and the pictures of the image buttons.
namespace EditorPalette {

// The colour commands: 32791 is Black, 32806 White.
constexpr int kFirstColourCommand = 32791;
constexpr int kColourCount = 16;

// "Black", "Maroon", ... "White", in command order.
QString ColourName(int index);
// The standard colour of that place (0 Black .. 15 White); an invalid colour outside.
QColor Colour(int index);

// The installed fonts without the script variants of one face (names containing "Greek",
// "CYR", "Baltic", "CE" or "TUR") and without names already listed.
QStringList FontNames(const QStringList& installed);

enum class Picture
{
    AlignLeft,
    AlignCentre,
    AlignRight,
    Bullets,
    Numbering,
    Highlight,
    TextColour,
    ChooseSource,
    RemoveSource,
    Attachments,
    SizeUp,
    SizeDown,
};

// The button pictures are drawn, not loaded; the same arguments give the same picture.
QIcon Icon(Picture picture, const QColor& accent = QColor());

} // namespace EditorPalette
