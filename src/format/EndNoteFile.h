#pragma once

#include "format/BibEntry.h"

#include <QString>

// EndNote's tagged export ("%0 Journal Article", "%A Smith, John", ...; a blank line
// between records) read into and written from entries of format/BibEntry.h. Tags and
// reference types as in format/SourceMapping.md. A corporate author is written with a
// comma at its end ("%A World Health Organization,"), as EndNote does; %D is the year,
// %8 the full date (written "YYYY-MM-DD"; "March 5", "3/5/2007" are read as well).
//
// A record whose first line is not "%0" is damaged; a text whose first line is not a
// "%X value" line is not an EndNote file.
namespace EndNoteFile {

BibReadResult Read(const QString& text, const QString& fileName);
QString Write(const BibEntries& entries);

} // namespace EndNoteFile
