#pragma once

// Versions of note files. Writers always write the program's version (format/Version.h);
// a reader takes the fields that the version in the file's head says it holds, compared
// with Version::IsAbove.
namespace NoteFormat {

constexpr double kGuidAndAttachmentsAfter = 0.95; // NoteGUID and the attachment list
constexpr double kAttachmentShiftAfter = 0.982; // AttachmentValue of each attachment
constexpr double kAttachmentKindAfter = 1.02; // Kind and ShowImage of each attachment
constexpr double kSpellCheckAfter = 1.1; // SpellCheck

} // namespace NoteFormat
