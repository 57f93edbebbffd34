#pragma once

#include <QString>

// Turns 8-bit text of a Windows code page into Unicode, through the C library's iconv.
// Conversion handles are opened once per code page and thread and then reused, because the
// search decodes thousands of notes in a row. ASCII-only text never reaches iconv.
//
// Code pages: the Windows ones (874, 932, 936, 949, 950, 1250-1258, 1361, 437, 850, 866),
// Mac Roman (10000) and Mac Japanese (10001, read as Shift-JIS), and the symbol pseudo code
// page 42 (each byte kept as the character of the same code). Any other code page is read
// as 1252. A byte sequence that is invalid in the code page gives U+FFFD and decoding goes
// on after it.
class CodePageDecoder
{
public:
    // Appends the decoded text of bytes [data, data + size) to out.
    static void Append(int codePage, const char* data, qsizetype size, QString& out);
    static QString Decode(int codePage, const QByteArray& bytes);
};
