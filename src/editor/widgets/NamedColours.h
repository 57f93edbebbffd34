#pragma once

#include <QColor>
#include <QString>

// The sixteen named colours of the colour list, by index 0 to 15. The values stay one
// or two steps away from the pure colours (black is 1, 2, 1); the same table gives the
// colour of the spell checker's marks.
namespace NamedColours {

constexpr int Count = 16;
// The index used when a stored index lies outside the table: "Red".
constexpr int FallbackIndex = 9;

QString Name(int index);
// The colour of an index; an index outside 0..15 gives the colour of index 9.
QColor Colour(int index);

} // namespace NamedColours
