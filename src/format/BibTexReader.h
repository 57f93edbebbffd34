#pragma once

#include "format/BibEntry.h"

#include <QString>

// Reads BibTeX and BibLaTeX files into entries of format/BibEntry.h.
//
//   @string{jcp = "Journal of Chemical Physics"}
//   @article{smith2007,
//     author  = {Smith, John M. and M{\"u}ller, Jan},
//     title   = {Cell {DNA} growth},
//     journal = jcp # " (Letters)",
//     year    = 2007, month = mar, pages = {45--50},
//   }
// gives an "article" with the key "smith2007", journaltitle "Journal of Chemical Physics
// (Letters)", date "2007-03", pages "45-50" and the title "Cell DNA growth".
//
// Everything outside an entry is a comment, as are @comment and @preamble. @string
// defines macros (jan to dec are predefined as month names; an undefined macro is empty,
// as BibTeX takes it); "#" joins the parts of a value. Values are turned into text by
// LatexText (url and doi are kept as written, less escapes). A crossref'd entry takes the
// fields it lacks from its parent, the parent's title as its booktitle. The BibTeX names
// are turned into BibLaTeX's: journal -> journaltitle, address -> location, school ->
// institution, year/month/day -> date; phdthesis and mastersthesis -> thesis with the
// type "PhD thesis" or "Master's thesis" unless the entry has a type; conference ->
// inproceedings; electronic and www -> online.
//
// An entry that breaks off (a brace not closed, a field without "=") carries its problem
// with its line, and reading goes on at the next line that starts with "@". A text with
// no entry at all is not a BibTeX file: the result's error says so, naming fileName.
namespace BibTexReader {

BibReadResult Read(const QString& text, const QString& fileName);

} // namespace BibTexReader
