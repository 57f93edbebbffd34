#include "ui/ImageControls.h"

#include "format/NoteFile.h"
#include "store/NoteDatabase.h"
#include "store/NotesListOps.h"

#include <algorithm>

namespace ImageControls {

int MaxShift(int imageWidth, int areaWidth)
{
    return std::max(0, areaWidth - imageWidth);
}

void Apply(AttachmentRecord& attachment, Action action, int maxShift)
{
    switch (action) {
    case Action::ZoomIn:
        attachment.ImageScale += ScaleStep;
        break;
    case Action::ZoomOut:
        attachment.ImageScale -= ScaleStep;
        if (attachment.ImageScale <= MinimumScale)
            attachment.ImageScale = MinimumScale;
        break;
    case Action::ShiftLeft:
        attachment.AttachmentValue = std::clamp(attachment.AttachmentValue - ShiftStep, 0, maxShift);
        break;
    case Action::ShiftRight:
        attachment.AttachmentValue = std::clamp(attachment.AttachmentValue + ShiftStep, 0, maxShift);
        break;
    case Action::Restore:
        attachment.ImageScale = 1.0;
        attachment.AttachmentValue = 0;
        break;
    case Action::None:
        break;
    }
}

FileStatus WriteNoteBack(NoteDatabase& database, const NoteRecord& note)
{
    const QString path = database.NoteFilePath(note);
    NotesList file = ReadNoteFile(path);
    if (NoteRecord* stored = NotesListOps::FindNote(file, note.NoteID)) {
        // Only the stored fields go to disk; the display state stays with the list's copy.
        stored->Attachments = note.Attachments;
        if (const FileStatus written = WriteNoteFile(path, file); !written)
            return written;
    }
    // The list holds no attachments: the note is read afresh from its file when drawn.
    return FileStatus::Ok();
}

} // namespace ImageControls
