#pragma once

#include "format/SourceRecord.h"

#include <QString>

// Labels that tell apart sources sharing a title inside one group of the source tree.
// Each takes the source and the list it belongs to; the group is every source of the
// list with the same title (Field 0) and the same grouping text as the source.

// Group: same AuthorsText. The label is the first of date text, "Vol. <3>" ("Sec. <3>"
// for periodicals), Field 4, "\"<7>\"", Field 5, Field 8 whose texts differ between all
// members of the group and which the source has; empty when none does.
QString SameTitleLabelUnderAuthor(const SourceRecord& source, const SourceList& sources);
// Group: same publication (Field 1). Candidates: AuthorsText, date text, volume or
// section, Field 4, Field 5, Field 8; without one, the source's AuthorsText.
QString SameTitleLabelUnderPublication(const SourceRecord& source, const SourceList& sources);
