#pragma once

#include "format/NoteRecord.h"

#include <QString>

// Gives each note of the list that cites a source (SourceID greater than 0) a copy of
// that source in AttachedSource, read afresh from the sources file at sourcesPath; a note
// whose source is not there gets a fresh default record. Other notes are left alone.
void FillAttachedSources(NotesList& notes, const QString& sourcesPath);
// The same from a list already in memory.
void FillAttachedSources(NotesList& notes, const SourceList& sources);
