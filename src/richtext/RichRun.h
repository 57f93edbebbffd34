#pragma once

#include "richtext/RichCharFormat.h"

#include <QString>

// A stretch of text within one paragraph that shares one character format. The text
// holds no paragraph breaks; a line break inside the paragraph is U+2028 and a tab is '\t'.
struct RichRun
{
    RichCharFormat format;
    QString text;

    bool operator==(const RichRun&) const = default;
};
