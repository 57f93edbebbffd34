#include "exchange/ImportDatabaseScan.h"

#include "format/FieldScan.h"
#include "format/NoteFile.h"
#include "format/NoteRecordWalker.h"
#include "format/ReusedFileBuffer.h"
#include "store/NoteDatabase.h"

namespace {

// What the comparison and the integration need: ids, dates, GUID, source, attachments.
// The rest is read again with the texts.
constexpr NoteFieldUses kScannedForComparison = kWholeNoteRecord.With(NoteField::KeyWords, FieldUse::Skip)
                                                    .With(NoteField::ReservedText, FieldUse::Skip)
                                                    .With(NoteField::PlainText, FieldUse::Skip)
                                                    .With(NoteField::RichText, FieldUse::Skip)
                                                    .With(NoteField::CategoryLevel, FieldUse::Skip)
                                                    .With(NoteField::CategoryName, FieldUse::Skip)
                                                    .With(NoteField::CategoryParent, FieldUse::Skip);

// One cleared category path shared by every note kept.
const CategoryAssignment& Cleared()
{
    static const CategoryAssignment cleared;
    return cleared;
}

} // namespace

ImportDatabaseScan ImportDatabaseScan::Read(const DataFolder& folder)
{
    ImportDatabaseScan scan;
    QByteArray bytes;
    for (const QString& name : NoteDatabase::NoteFileNames(folder)) {
        File file;
        file.path = folder.NoteFilePath(name);
        // The records ReadNoteFile keeps, without decoding the texts nobody compares.
        if (ReadWholeFile(file.path, bytes, &file.stamp)) {
            bytes.resize(FieldScan::FoldLineEndsInPlace(bytes.data(), bytes.size()));
            NoteFileWalker walker(bytes.constData(), bytes.size());
            while (walker.HasNext()) {
                NoteRecord note;
                walker.Next<kScannedForComparison>(note);
                if (!NoteFileWalker::IsKept(note.NoteID))
                    continue;
                file.ids.append(note.NoteID);
                note.Categories = Cleared();
                scan.notes.append(std::move(note));
                scan.fileOf.append(int(scan.files.size()));
            }
        }
        scan.files.append(std::move(file));
    }
    return scan;
}

void ImportDatabaseScan::ReadWhole(int index, NoteRecord& note) const
{
    if (index < 0 || index >= notes.size())
        return;
    const NoteRecord& wanted = notes.at(index);
    for (const NoteRecord& stored : ReadNoteFile(files.at(fileOf.at(index)).path)) {
        if (stored.NoteID == wanted.NoteID && stored.NoteGUID == wanted.NoteGUID) {
            note = stored;
            return;
        }
    }
}
