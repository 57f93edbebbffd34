#pragma once

#include "format/DataFolder.h"
#include "format/FileStatus.h"
#include "format/NoteRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Brings a note's attachment files into "Data Files\Images\" when the note is saved.
//
// Every attachment with a SourcePath and no StoredName is numbered after the largest
// number in the folder and copied in: an image is converted to a Windows bitmap
// "%.7d.bmp" by the injected converter (the image library lives outside the core); any
// other file, and an image when there is no converter, is copied as
// "%.7d.<lower-case extension>" and never overwrites an existing file. Files of
// attachments removed since the last save are deleted only once the note is stored
// (DeleteRemovedAttachmentFiles), so that a failed save loses no file.
class AttachmentCopier
{
public:
    // The picture at from as the bytes of a bitmap file; none when it cannot be read. The
    // copier writes them into the images folder through the data folder's file system.
    using ImageConverter = std::function<std::optional<QByteArray>(const QString& from)>;

    explicit AttachmentCopier(DataFolder folder, ImageConverter converter = {});

    void SetImageConverter(ImageConverter converter) { m_converter = std::move(converter); }

    // Changes StoredName and SourcePath of the copied attachments; created receives the
    // stored names of the files made. On a failure the files made so far are removed
    // again and the error is returned (the record's attachments are then the caller's to
    // restore).
    FileStatus CopyInNewAttachments(NoteRecord& note, QStringList* created) const;
    // Removes files that CopyInNewAttachments made, for a save that failed later.
    void RemoveCreatedFiles(const QStringList& created) const;
    // Deletes the files of RemovedAttachmentFiles and empties it. A file that cannot be
    // removed only takes room: nothing refers to it any more.
    void DeleteRemovedAttachmentFiles(NoteRecord& note) const;

    // Deletes the files of all the note's attachments (a deleted note's files), on the
    // same terms.
    void DeleteAttachmentFiles(const NoteRecord& note) const;

private:
    DataFolder m_folder;
    ImageConverter m_converter;
};
