#pragma once

#include "richtext/RtfToken.h"

#include <QByteArray>

// Splits RTF bytes into tokens without allocating. Tolerant of anything: numbers that do
// not fit an int are clamped, a lone backslash at the end ends the input, and CR, LF and
// NUL bytes between tokens are skipped as RTF says.
//
//   "{\b bold\b0}"  #=> GroupOpen, ControlWord b, Text "bold", ControlWord b 0, GroupClose
//   "\'e9\u-3913?"  #=> HexByte 0xE9, ControlWord u -3913, Text "?"
class RtfTokenizer
{
public:
    // Keeps a pointer into bytes: the array must stay alive and unchanged.
    explicit RtfTokenizer(const QByteArray& bytes);

    RtfToken Next();

    // Skips raw binary data (after \binN); stops at the end of the input.
    void SkipBytes(qint64 count);

private:
    RtfToken ReadControl();

    const char* m_pos;
    const char* m_end;
};
