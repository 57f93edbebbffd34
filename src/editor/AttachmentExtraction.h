#pragma once

#include <QString>

class FileSystem;
class ProgressReporter;
class QWidget;
class UserPrompt;
struct AttachmentRecord;

// "Extract Attachment", from the attachments dialog and from a note in the view: asks
// where to with a save dialog whose filter is the kind's name with the file's extension
// ("Text File (*.txt)"), offering the attachment's original name, then copies the file
// there under the message "Extracting file....". A file that cannot be copied is said in
// a message; a cancelled dialog does nothing.
namespace AttachmentExtraction {

// from: the attachment's file; files: the seam the copy goes through. True when it was copied.
bool Extract(QWidget* parent, const AttachmentRecord& attachment, const QString& from, FileSystem& files,
             UserPrompt& prompt, ProgressReporter& progress);

} // namespace AttachmentExtraction
