#pragma once

#include "richtext/RichListFormat.h"

#include <QList>

// The format of one paragraph. Lengths are twips (1/20 point), as in RTF.
struct RichParagraphFormat
{
    enum class Alignment
    {
        Left,
        Centre,
        Right,
        Justify
    };

    Alignment alignment = Alignment::Left;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0; // relative to leftIndent; negative for a hanging indent
    int spaceBefore = 0;
    int spaceAfter = 0;
    int lineSpacing = 0; // \sl: 0 single; positive "at least", negative "exactly"
    bool lineSpacingMultiple = false; // \slmult1: lineSpacing is a multiple of 240 = single
    QList<int> tabStops; // positions in twips, in the order given
    RichListFormat list;

    bool operator==(const RichParagraphFormat&) const = default;
};
