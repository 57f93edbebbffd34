#pragma once

#include "format/SourceRecord.h"

// Formats every source, then orders the list by citation text compared without regard
// to case (both sides lower-cased, then compared byte by byte as UTF-8). Among equal
// texts the source that stood later comes first.
void SortSourceList(SourceList& sources, const AuthorList& authors);
