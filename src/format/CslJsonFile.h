#pragma once

#include "format/BibEntry.h"

#include <QByteArray>
#include <QString>

// CSL-JSON (the citation processors' data: a JSON array of items with "id", "type",
// "title", "author": [{"family", "given"}], "issued": {"date-parts": [[2007, 3, 5]]}...)
// read into and written from entries of format/BibEntry.h, through QJsonDocument. Types
// and variables as in format/SourceMapping.md. A literal name is {"literal": ...}; the
// particles and suffix of a name join its family name. "accessed" is written as date
// parts when the text is a date "YYYY[-MM[-DD]]", else as {"raw": text}.
//
// Bytes that are not JSON, or JSON that is not an array (or one item), are not CSL-JSON:
// the error names the file and the line. An item that is not an object is damaged.
namespace CslJsonFile {

BibReadResult Read(const QByteArray& bytes, const QString& fileName);
QByteArray Write(const BibEntries& entries);

} // namespace CslJsonFile
