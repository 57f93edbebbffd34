#pragma once

// The field encoding shared by every data file under "Data Files".
//
// A data file is a stream of fields written back to back with no separators:
//   Integer  16 bytes: "%.16d" for 0 or more, "%.15d" for negatives ("-000000000000005").
//   Boolean  an Integer: 2112 for true, 0 for false; any value above 0 reads as true.
//   Real     20 bytes: "%020.9f" ("0000000003.500000000").
//   Text     an Integer byte length N, then the N bytes (UTF-8 here).
//   DateTime a Text of "%Y-%m-%d-%H-%M-%S" (19 bytes), empty for a null value.
// Files use the line-end translation of text files: a line feed inside any field is
// stored as CR LF and read back as LF, and a Ctrl-Z byte ends the stream. Text lengths
// count the bytes before translation.

#include <QtGlobal>

namespace FieldFormat {

constexpr int kIntWidth = 16;
constexpr int kRealWidth = 20;
constexpr qint32 kTrueValue = 2112;
// What an Integer or Real field yields when nothing at all could be read.
constexpr qint32 kMissingInt = -21122112;
constexpr double kMissingReal = -21122112.0;
// Every Text field of 99,999 bytes or less is read whole; longer ones are read whole too,
// as far as the file holds them. A length beyond the end of the file yields the bytes
// that are there: nothing is ever allocated from an unchecked length.
constexpr int kTextFieldGuaranteedBytes = 99999;
constexpr char kEndOfStream = 26; // Ctrl-Z

} // namespace FieldFormat
