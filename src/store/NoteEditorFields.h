#pragma once

#include "format/CategoryAssignment.h"
#include "format/NoteRecord.h"

#include <QString>
#include <QStringList>
#include <optional>

class SourceStore;

// What the note editor does to a record's fields before it is saved. The editor window
// calls these as its controls change; front ends without the window (the command line,
// the agent capture) describe their changes in a NoteEditorChanges and call Apply.
namespace NoteEditorFields {

// A category path has one name per level, Level 1 to Level 4.
constexpr int kCategoryLevels = 4;

// Sets the path as the category picker would, level by level from Level 1: a level
// whose name changes clears every deeper level first. Levels beyond the path become
// unassigned; blanks around each name are trimmed and an empty name ends the path. Each
// level names the level above it as its parent.
//   ["Science", "Physics"] on Science/Chemistry/Acids  #=> Science/Physics
void ApplyCategoryPath(CategoryAssignment& categories, const QStringList& path);

// "A/B/C" #=> ["A", "B", "C"]; an empty text gives an empty path.
QStringList SplitCategoryPath(const QString& text);
// The message for a path the picker cannot show (more than four levels), or empty.
QString CategoryPathError(const QStringList& path);

// The note's text as typed: an RTF document made from it, and as PlainText what the
// editor's control shows of that document.
void SetPlainText(NoteRecord& note, const QString& plainText);

// The source as the source picker attaches it: a copy of the database's record; 0 or an
// id no source has leaves the note without a source.
void SetSource(NoteRecord& note, const SourceStore& sources, qint32 sourceId);

// Adds a file as the attachments dialog does: title and original name are the file
// name, the kind comes from the extension; the file is copied in when the note is saved.
// False, with the dialog's message, for a path that is no file or is attached already.
bool AttachFile(NoteRecord& note, const QString& path, QString* error = nullptr);

// Changes to a note's fields; what is not set stays as it is.
struct NoteEditorChanges
{
    std::optional<QString> text;
    std::optional<qint32> sourceId;
    std::optional<QString> keyWords;
    std::optional<QStringList> categoryPath;
    QStringList attachments;
};

// Applies the changes as the editor's controls would. False, with the message the editor
// shows, when a change cannot be made; the record may then be partly changed.
bool Apply(NoteRecord& note, const NoteEditorChanges& changes, const SourceStore& sources, QString* error);

} // namespace NoteEditorFields
