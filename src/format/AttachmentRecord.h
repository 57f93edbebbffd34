#pragma once

#include <QString>

class FieldWriter;
class DataFolder;

// How the note view shows an attachment; 1 to 11.
enum AttachmentKind : qint32
{
    KindImage = 1,
    KindText = 2,
    KindDocument = 3,
    KindPdf = 4,
    KindSpreadsheet = 5,
    KindMusic = 6,
    KindVideo = 7,
    KindHtml = 8,
    KindCode = 9,
    KindUnknown = 10,
    KindCompressed = 11,
};

// One attached file of a note, kept in "Data Files\Images\" under StoredName.
// Stored as Integer, Real, Text, Text, Text, Integer, Boolean.
struct AttachmentRecord
{
    qint32 AttachmentValue = 0; // horizontal shift of an image in the note view, pixels
    double ImageScale = 1.0;
    QString Title;
    QString StoredName; // seven digits and an extension, "0000042.bmp"
    QString OriginalName;
    qint32 Kind = KindUnknown;
    bool ShowImage = true;

    // Run-time only: a chosen file not yet copied into the attachment folder.
    QString SourcePath;

    // Sets Kind from OriginalName's extension; a kind other than image hides the image.
    void KindFromExtension();
    // Kinds 1..11 are taken as they are; anything else is derived from the extension.
    void SetKind(qint32 kind);

    // Read as part of a note record (ReadAttachmentRecord in NoteRecordWalker.h).
    void Write(FieldWriter& writer) const;

    friend bool operator==(const AttachmentRecord& a, const AttachmentRecord& b)
    {
        return a.AttachmentValue == b.AttachmentValue && a.ImageScale == b.ImageScale && a.Title == b.Title
            && a.StoredName == b.StoredName && a.OriginalName == b.OriginalName && a.Kind == b.Kind
            && a.ShowImage == b.ShowImage;
    }
};

// The title-case kind name ("Image File"); empty for a number outside 1..11.
QString KindName(qint32 kind);
// The upper-case kind name ("IMAGE FILE"), as the kind list of the attachments dialog shows it.
QString KindUpperName(qint32 kind);
// Lower-case text after the last dot, unless that dot is the first character.
QString FileExtension(const QString& fileName);
// "Data Files\Images\" + StoredName, resolved under the data root.
QString AttachmentPath(const AttachmentRecord& record, const DataFolder& folder);
// The largest number that starts a file name in the attachment folder; 0 when none.
int NextAttachmentNumber(const DataFolder& folder);
