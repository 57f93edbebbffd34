#pragma once

#include "richtext/RichListFormat.h"

#include <QString>

// The labels of numbered paragraphs, as a rich-edit control draws them.
//
//   Number(Arabic, 3)      #=> "3"
//   Number(LowerLetter, 28) #=> "ab"
//   Number(UpperRoman, 14) #=> "XIV"
//   Label({Arabic, textAfter ")"}, 2) #=> "2)"
class RichListNumbering
{
public:
    // The number alone; empty for bullets, for no numbering, and for letters or roman
    // numerals below 1.
    static QString Number(RichListStyle style, int number);
    // The number with the text before and after it; a bullet gives U+2022.
    static QString Label(const RichListFormat& format, int number);
};
