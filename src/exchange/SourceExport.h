#pragma once

#include "exchange/SourceFiles.h"
#include "format/AuthorRecord.h"
#include "format/FileStatus.h"
#include "format/SourceRecord.h"

#include <QList>

class FileSystem;

// "Export Sources...": sources written to an outside bibliography file, each with its
// citation key (sources/CitationKeys.h, over all the sources so that a key does not
// change with the choice). The same operation serves "View Sources", the bibliography
// dialog and the command line.

// The sources with the given ids, in the order given (every source, in list order, when
// ids is empty; unknown ids are left out), as entries.
BibEntries SourceEntries(const SourceList& all, const AuthorList& authors, const QList<qint32>& ids);

// Writes them to path in format (one of ExportSourceFormats()); count receives the number
// written. The file is replaced whole; a failure leaves it as it was.
// files: what the file is written through (DataFolder::Files()).
FileStatus ExportSources(FileSystem& files, const QString& path, SourceFileFormat format,
                         const SourceList& all, const AuthorList& authors, const QList<qint32>& ids,
                         int* count = nullptr);
