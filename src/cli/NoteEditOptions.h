#pragma once

#include "store/NoteEditorFields.h"

class CliArguments;

// The options of add and edit, read into the changes the note editor's controls make
// (NoteEditorFields holds what each change does):
//   --text T         the text (its rich text made from the plain text)
//   --source ID      the source; 0 removes it
//   --keywords K     the key word line
//   --category A/B/C/D  the category path, one name per level (at most four)
//   --attach PATH    a file attached (repeatable; add only)
class NoteEditOptions
{
public:
    static void Declare(CliArguments& arguments, bool withAttachments);
    // False, with a usage message, for a malformed value.
    bool Accept(const CliArguments& arguments, QString* error);

    const NoteEditorFields::NoteEditorChanges& Changes() const { return m_changes; }
    bool HasText() const { return m_changes.text.has_value(); }

private:
    NoteEditorFields::NoteEditorChanges m_changes;
};
