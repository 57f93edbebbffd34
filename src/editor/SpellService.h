#pragma once

#include <QColor>

class Settings;
class SpellChecker;

// The one spell checker of the program and the look of its marks, set up at start-up and
// changed by the options; every note text control reads them when it marks a word.
namespace SpellService {

// None until the program sets one up: then no text is checked.
SpellChecker* Checker();
void SetChecker(SpellChecker* checker);

// Flags of the mark style: always 1; bold 2, italics 4, underline 8, strike-through 64.
enum MarkFlag
{
    MarkBase = 1,
    MarkBold = 2,
    MarkItalics = 4,
    MarkUnderline = 8,
    MarkStrike = 64
};
int StyleFromSettings(const Settings& settings);
// Rebuilds the style and colour from the mark settings.
void SetMarks(const Settings& settings);
int MarkStyle();
QColor MarkColour();

} // namespace SpellService
