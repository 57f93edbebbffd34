#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The character format of one run of rich text: what a rich-edit control keeps per
// character and what the note editor's tool bar can change.
//
// Colours are 0xRRGGBB. An empty colour means "automatic" (the control's default text
// colour, or no background). Sizes are in half points, as RTF writes them (\fs24 is 12 pt).
struct RichCharFormat
{
    enum class VerticalAlign
    {
        Normal,
        Superscript,
        Subscript
    };

    QString fontFamily; // empty when the document named no font
    int fontCharset = -1; // the font's \fcharset, -1 when not given (2 = symbol font)
    int sizeHalfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    VerticalAlign verticalAlign = VerticalAlign::Normal;
    std::optional<quint32> textColour;
    std::optional<quint32> backgroundColour; // the highlight
    QString linkUrl; // non-empty when the run is the visible text of a hyperlink

    bool operator==(const RichCharFormat&) const = default;
};
