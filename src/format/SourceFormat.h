#pragma once

// Layouts of the sources subsystem's files, all made of the fields of format/FieldFormat.h.
// Two composite fields are used: an Integer list (Integer count N, then N Integers) and
// a Text list (Integer count N, then N Texts).
//
// "Data Files\Authors.dat":
//   Real version (the program's, format/Version.h), Integer count N, then N author records:
//   AuthorId (Integer), FirstName, MiddleInitial, LastName, AuthorText4, AuthorText5 (Texts).
//
// "Data Files\Sources.dat":
//   Real version (the program's, format/Version.h), Integer count N, then N source records:
//   SourceGUID (Text), SourceId (Integer), AuthorsText (Text), Style, Type, IndentSpaces,
//   AuthorsBeforeEtAl (Integers), AuthorIds (Integer list), Fields (Text list),
//   YearOnly (Integer), DateSet (Boolean), Date (DateTime).
//   Older files differ, by their leading version:
//   <= 0.9500006  no SourceGUID; the record starts with SourceId.
//   <= 0.9520007  after SourceId and AuthorsText only five Texts follow, which are
//                 Fields 2, 0, 1, 3 and 4 (date text, title, publication, volume, pages).
//   <= 1.20005    YearOnly, DateSet and Date are missing; they are derived from Field 2.
//
// "Data Files\Bib.dat" (for the print program): see format/BibFile.h.
//
// Exchange form of one source (inside export files): see format/SourceExchangeRecord.h.
//
// Mark positions are indices into the QString of the citation (UTF-16 code units), which
// equal the byte positions of the old 8-bit files for every text in Latin-1.

// Both files are written with the program's version (format/Version.h).
namespace SourceFormat {

// Versions at or below which a stored source lacks a part of today's record (compared
// with Version::AtOrBelow).
constexpr double kVersionWithoutGuid = 0.9500006;
constexpr double kVersionWithFiveTexts = 0.9520007;
constexpr double kVersionWithoutDate = 1.20005;

} // namespace SourceFormat
