#pragma once

#include "format/DataFolder.h"
#include "format/NoteRecord.h"

#include <QString>
#include <functional>

// Brings a note's attachment files into "Data Files\Images\" when the note is saved.
//
// Files of attachments removed since the last save are deleted; every attachment with a
// SourcePath and no StoredName is numbered after the largest number in the folder and
// copied in: an image is converted to a Windows bitmap "%.7d.bmp" by the injected
// converter (the image library lives outside the core); any other file, and an image
// when there is no converter, is copied as "%.7d.<lower-case extension>" and never
// overwrites an existing file. Failures are
// silent: the record keeps its new StoredName and the note is saved all the same.
class AttachmentCopier
{
public:
    // Loads the picture at from and saves it as a bitmap at toBmp; false on failure.
    using ImageConverter = std::function<bool(const QString& from, const QString& toBmp)>;

    explicit AttachmentCopier(DataFolder folder, ImageConverter converter = {});

    void SetImageConverter(ImageConverter converter) { m_converter = std::move(converter); }

    // Changes StoredName and SourcePath of the copied attachments and empties
    // RemovedAttachmentFiles.
    void CopyInNewAttachments(NoteRecord& note) const;

    // Deletes the files of all the note's attachments (a deleted note's files).
    void DeleteAttachmentFiles(const NoteRecord& note) const;

private:
    DataFolder m_folder;
    ImageConverter m_converter;
};
