#pragma once

#include "format/FileStatus.h"
#include "format/FileSystem.h"
#include "format/SourceRecord.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// Writes "Data Files\Bib.dat", the bibliography handed to the print program (layout and
// reader in format/BibFile.h). Each source is formatted again just before it is written, so the
// given copies come back with their citation text and marks current.

QByteArray SerializeBibFile(SourceList& sources, const AuthorList& authors);
// False when the device cannot be written. The path form is atomic: a failure leaves
// the old file as it was.
bool WriteBibFile(QIODevice* device, SourceList& sources, const AuthorList& authors);
FileStatus WriteBibFile(FileSystem& files, const QString& path, SourceList& sources,
                        const AuthorList& authors);
