#pragma once

#include "format/BibEntry.h"

#include <QString>

// Writes entries of format/BibEntry.h as a BibTeX or a BibLaTeX file (UTF-8), so that
// format/BibTexReader.h reads back the same entries:
//
//   @article{smith2007,
//     author = {Smith, John M. and {World Health Organization}},
//     title = {Cell {DNA} growth},
//     journal = {Nature Today},
//     year = {2007},
//     month = mar
//   }
//
// BibLaTeX keeps the entry's own names (journaltitle, location, institution, date,
// @online, @thesis). BibTeX writes journal, address, school (of a thesis), year, month
// (a macro) and day, a thesis as @mastersthesis when its type names a master's degree,
// else @phdthesis (an untyped thesis stays @thesis), and @online as @misc. Field values
// are escaped by LatexText; url and doi are written as they are. Author and editor come
// first, then the fields in the entry's order.
namespace BibTexWriter {

enum class Dialect
{
    BibTeX,
    BibLaTeX,
};

QString Write(const BibEntries& entries, Dialect dialect);

} // namespace BibTexWriter
