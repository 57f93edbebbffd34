#pragma once

#include <QtGlobal>

// Constants shared by the RTF reader and writer.
namespace RtfFormat {

// RTF's default font size when a document gives none: \fs24, 12 points.
constexpr int kDefaultSizeHalfPoints = 24;

// The document code page when \ansicpg is missing.
constexpr int kDefaultCodePage = 1252;

// Windows' pseudo code page of symbol fonts (\fcharset2): a byte is the glyph number and
// is kept as the character with the same code (the Wingdings arrow is byte 224, U+00E0).
constexpr int kSymbolCodePage = 42;
constexpr int kSymbolCharset = 2;

// The background colour search hits get.
constexpr quint32 kSearchHighlight = 0xFF8E28; // RGB 255, 142, 40

// Nesting deeper than this keeps the formatting of the deepest group it reached: the
// reader's state stack stays bounded whatever the input.
constexpr int kMaxGroupDepth = 512;

// The code page of a font's \fcharset; 0 when the charset means "the document's code
// page" (1 = DEFAULT_CHARSET, or an unknown value).
int CodePageOfCharset(int charset);

} // namespace RtfFormat
