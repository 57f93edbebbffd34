#pragma once

#include "format/BibEntry.h"

#include <QString>

// Name lists of BibTeX fields (author, editor), read from and written to their LaTeX
// values. Names are separated by a word "and" outside braces; one name is
// "First von Last", "von Last, First" or "von Last, Jr, First", and a name wholly in
// braces is taken as it is (a corporate author):
//   "Smith, John M. and Jean-Pierre de la Fontaine and {World Health Organization}"
//   -> {Smith, "John M."}, {"de la Fontaine", Jean-Pierre}, literal "World Health Organization"
// The suffix joins the family name: "King, Jr., Martin Luther" -> {"King Jr.", "Martin Luther"}.
namespace BibTexNames {

QList<BibName> Parse(const QString& latexValue);
// The names as a field value that Parse gives back: "Family, Given" joined by " and ",
// a literal name in braces, a family name alone followed by "," when it has blanks.
QString Write(const QList<BibName>& names);

} // namespace BibTexNames
