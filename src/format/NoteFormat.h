#pragma once

#include "format/Version.h"

// Versions of note files. Writers always write the program's version; a reader takes the
// fields that the version in the file's head says it holds.
namespace NoteFormat {

constexpr double kCurrentVersion = Version::kNumber;
constexpr double kGuidAndAttachmentsAfter = 0.95; // NoteGUID and the attachment list
constexpr double kAttachmentShiftAfter = 0.982; // AttachmentValue of each attachment
constexpr double kAttachmentKindAfter = 1.02; // Kind and ShowImage of each attachment
constexpr double kSpellCheckAfter = 1.1; // SpellCheck

// Whether a file of this version holds the fields added after threshold (Version::IsAbove).
inline bool VersionAbove(double version, double threshold)
{
    return Version::IsAbove(version, threshold);
}

} // namespace NoteFormat
