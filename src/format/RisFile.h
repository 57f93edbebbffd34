#pragma once

#include "format/BibEntry.h"

#include <QString>

// RIS files ("TY  - JOUR" ... "ER  - ") read into and written from entries of
// format/BibEntry.h. The tags and types and how each becomes an entry's field are in
// format/SourceMapping.md. Authors are "Family, Given" (AU), editors A2 (ED read too);
// a name without a comma is literal (a corporate author), "Family," a family name alone.
// PY holds the year, DA the full date "YYYY/MM/DD"; SP and EP the pages.
//
// A record not closed by "ER" (a file cut short) is damaged and carries its line; a text
// whose first line is not a tagged line is not a RIS file.
namespace RisFile {

BibReadResult Read(const QString& text, const QString& fileName);
QString Write(const BibEntries& entries);

} // namespace RisFile
