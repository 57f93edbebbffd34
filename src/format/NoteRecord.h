#pragma once

#include "format/AttachmentRecord.h"
#include "format/CategoryAssignment.h"
#include "format/DateTime.h"
#include "format/NoteHighlight.h"
#include "format/SourceRecord.h"

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <memory>

class FieldWriter;
class FieldReader;

// One note. The stored fields come first, in file order; AttachedSource and the display
// state are run-time only and never written.
struct NoteRecord
{
    // A cleared record: no id yet, no source, both dates now, spell checking on, four
    // unassigned category levels.
    NoteRecord();

    qint32 NoteID = -1;
    qint32 SourceID = 0;
    DateTime DateAdded;
    DateTime LastEdited;
    QString NoteGUID;
    QString KeyWords;
    QString ReservedText; // no operation sets it; kept and written back unchanged
    bool SpellCheck = true;
    QList<AttachmentRecord> Attachments;
    QString PlainText;
    QString RichText; // an RTF document
    CategoryAssignment Categories;

    // Run-time only.
    SourceRecord AttachedSource;
    // Stored names of attachments removed since the last save, deleted from the
    // attachment folder when the note is saved.
    QStringList RemovedAttachmentFiles;
    bool JustAdded = false;
    // After a search that found the note: the search's highlight, whose copy of RichText
    // with every hit highlighted is drawn instead of RichText (made when asked for). None
    // otherwise.
    std::shared_ptr<const NoteHighlight> Highlight;

    bool HasSource() const { return SourceID > 0; }

    // All stored fields in the current layout.
    void Write(FieldWriter& writer) const;
    // The same with PlainText and RichText taken from storedTexts, the two fields as a
    // data file holds them (logical bytes, lengths included), instead of the members.
    void Write(FieldWriter& writer, QByteArrayView storedTexts) const;
    // Clears the record, then reads the fields that a file of this version holds.
    // A record read without a GUID gets a new one at once.
    void Read(FieldReader& reader, double version);

    // Equality of the stored fields.
    bool SameStoredFields(const NoteRecord& other) const;

private:
    void WriteHead(FieldWriter& writer) const;
};

using NotesList = QList<NoteRecord>;
