#pragma once

#include "format/SourceRecord.h"

#include <QByteArray>
#include <QString>

class QIODevice;

// "Data Files\Bib.dat", the bibliography handed to the print program (layout in
// SourceFormat.h). Each source is formatted again just before it is written, so the
// given copies come back with their citation text and marks current.

QByteArray SerializeBibFile(SourceList& sources, const AuthorList& authors);
// False when the device or file cannot be written; the path form is atomic.
bool WriteBibFile(QIODevice* device, SourceList& sources, const AuthorList& authors);
bool WriteBibFile(const QString& path, SourceList& sources, const AuthorList& authors);
