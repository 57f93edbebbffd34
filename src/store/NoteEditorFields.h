#pragma once

#include "format/CategoryAssignment.h"
#include "format/NoteRecord.h"

#include <QString>
#include <QStringList>

// What the note editor does to a record's fields before it is saved, for front ends
// that have no editor window (the command line, the agent capture).
namespace NoteEditorFields {

// Sets the path as the category picker would, level by level from Level 1: a level
// whose name changes clears every deeper level first. Levels beyond the path become
// unassigned; blanks around each name are trimmed and an empty name ends the path.
//   ["Science", "Physics"] on Science/Chemistry/Acids  #=> Science/Physics
void ApplyCategoryPath(CategoryAssignment& categories, const QStringList& path);

// "A/B/C" #=> ["A", "B", "C"]; an empty text gives an empty path.
QStringList SplitCategoryPath(const QString& text);

// The note's text as typed: PlainText and an RTF document made from it.
void SetPlainText(NoteRecord& note, const QString& plainText);

// Adds a file as the attachments dialog does: title and original name are the file
// name, the kind comes from the extension; the file is copied in when the note is saved.
void AttachFile(NoteRecord& note, const QString& path);

} // namespace NoteEditorFields
