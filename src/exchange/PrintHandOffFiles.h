#pragma once

#include "format/AuthorRecord.h"
#include "format/FileStatus.h"
#include "format/FileSystem.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QString>

class FieldWriter;

// Writes "PrintPreview.nbf" (layout and reader in format/PrintPreviewFile.h): per note its
// record followed by its source (the source with the note's SourceID in sources, else a
// cleared one), formatted first so that its citation and marks are current.
void WritePrintPreview(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                       const AuthorList& authors);
// Rewrites the file atomically; a failure leaves the old file as it was.
FileStatus WritePrintPreviewFile(FileSystem& files, const QString& path, const NotesList& notes,
                                 const SourceList& sources, const AuthorList& authors);
