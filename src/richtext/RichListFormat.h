#pragma once

#include <QString>

// Numbering styles, with the values rich-edit paragraph numbering uses.
enum class RichListStyle
{
    None = 0,
    Bullet = 1,
    Arabic = 2, // 1, 2, 3
    LowerLetter = 3, // a, b, c
    UpperLetter = 4, // A, B, C
    LowerRoman = 5, // i, ii, iii
    UpperRoman = 6, // I, II, III
};

// The bullet or numbering of one paragraph. Consecutive paragraphs with the same list
// format form one list: the first shows `start`, the next start + 1, and so on. Nesting is
// expressed by the paragraph's indent; `level` keeps the list level a word processor gave.
struct RichListFormat
{
    RichListStyle style = RichListStyle::None;
    int start = 1;
    int level = 0;
    int numberTab = 0; // twips between the number and the text (\pnindent)
    QString textBefore; // e.g. "(" for "(1)"; empty for bullets
    QString textAfter; // e.g. "." for "1." or ")" for "1)"

    bool IsList() const { return style != RichListStyle::None; }
    bool IsNumbered() const { return static_cast<int>(style) >= static_cast<int>(RichListStyle::Arabic); }
    bool operator==(const RichListFormat&) const = default;
};
