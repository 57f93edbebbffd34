#pragma once

#include "richtext/RichParagraphFormat.h"

#include <QtGlobal>

// Where the text of a group goes.
enum class RtfDestination : quint8
{
    Text, // the document body or a field result
    Skip, // pictures, headers, unknown \* destinations: nothing is kept
    FontTable,
    ColorTable,
    FieldInst, // the instruction of a field (HYPERLINK "url")
    Pn, // {\*\pn ...}: numbering of the current paragraph
    PnTextBefore,
    PnTextAfter,
    ListTable,
    List,
    ListLevel,
    LevelText,
    ListOverrideTable,
    ListOverride,
};

// Character properties as indices into the reader's tables: cheap to copy and compare, and
// only turned into a RichCharFormat when a new run starts.
struct RtfCharState
{
    int font = -1; // -1: the default font (\deff)
    int sizeHalfPoints = 24;
    int textColour = -1; // index into the colour table, -1 automatic
    int background = -1;
    int link = -1; // index into the reader's link URLs
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool superscript = false;
    bool subscript = false;
    bool hidden = false;

    bool operator==(const RtfCharState&) const = default;
};

// Everything an RTF group inherits from its parent and restores when it closes.
struct RtfGroupState
{
    RtfCharState chr;
    RichParagraphFormat para;
    RtfDestination dest = RtfDestination::Text;
    RtfDestination uprDest = RtfDestination::Text; // where the \ud part of an \upr goes
    bool inUpr = false;
    int unicodeSkip = 1; // \ucN: fallback characters after each \uN
    int field = -1; // index into the reader's fields, -1 outside a field
    int listOverride = 0; // \lsN of the paragraph, 0 none
    int listLevel = 0; // \ilvlN of the paragraph
};
