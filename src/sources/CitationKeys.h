#pragma once

#include "format/AuthorRecord.h"
#include "format/SourceRecord.h"

#include <QHash>
#include <QString>

// The citation key of every source, for the files sources are exported to and the
// Markdown notes that cite them: the key a source kept from the file it came from
// (field 9), else its first author's last name, its year and the first word of its
// title, lower case and without accents ("smith2007cell"). Keys are made unique over
// all the sources, taken in order of SourceId (kept keys first), by a letter:
// "smith2007cell", "smith2007cella", ... So a source's key does not depend on which
// sources are exported with it.
QHash<qint32, QString> CitationKeys(const SourceList& sources, const AuthorList& authors);
