#pragma once

#include "format/SourceRecord.h"

#include <QString>

class NoteDatabase;
class SourceEditor;

// "Save" of "Edit Source" against the note database: the form's rules first (a title is
// required, fields the type does not use are emptied), then a new source is appended
// and an existing one replaced; a changed type gives the source a new SourceGUID and
// stamps every note citing it as edited now. "Sources.dat" is rewritten either way.
// False, with the form's message and caption, when refused; false with the failure's
// message and FileStatus::Caption() when "Sources.dat" (or a note file stamped for a new
// type) cannot be written, the source list then being as before. saved receives the
// record as stored.
bool SaveEditedSource(NoteDatabase& database, const SourceEditor& editor, SourceRecord* saved, QString* error,
                      QString* caption);
