#pragma once

// Versions of note files. Writers always write the current version; a reader takes the
// fields that the version in the file's head says it holds.
namespace NoteFormat {

constexpr double kCurrentVersion = 1.34;
constexpr double kGuidAndAttachmentsAfter = 0.95; // NoteGUID and the attachment list
constexpr double kAttachmentShiftAfter = 0.982; // AttachmentValue of each attachment
constexpr double kAttachmentKindAfter = 1.02; // Kind and ShowImage of each attachment
constexpr double kSpellCheckAfter = 1.1; // SpellCheck

// "Greater than" with a small margin, so that a file of version 0.95 exactly is not
// taken for a newer one after the round trip through its decimal text.
inline bool VersionAbove(double version, double threshold)
{
    return version > threshold + 1e-6;
}

} // namespace NoteFormat
