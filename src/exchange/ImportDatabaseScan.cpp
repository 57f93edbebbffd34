#include "exchange/ImportDatabaseScan.h"

#include "format/NoteFile.h"
#include "store/NoteDatabase.h"

namespace {

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
    for (const QString& name : NoteDatabase::NoteFileNames(folder)) {
        File file;
        file.path = folder.NoteFilePath(name);
        NotesList notes = ReadNoteFile(file.path, &file.stamp);
        file.ids.reserve(notes.size());
        for (NoteRecord& note : notes) {
            file.ids.append(note.NoteID);
            // What the comparison and the integration need stays: ids, dates, GUID,
            // source, attachments. The rest is read again with the texts.
            note.PlainText = QString();
            note.RichText = QString();
            note.KeyWords = QString();
            note.ReservedText = QString();
            note.Categories = Cleared();
            scan.notes.append(std::move(note));
            scan.fileOf.append(int(scan.files.size()));
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
