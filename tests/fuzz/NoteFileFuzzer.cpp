// Feeds arbitrary bytes to the note-file readers: whatever a damaged or hostile file
// holds, reading it must neither crash nor hang, what it yields must write back, and the
// start-up scanner must see exactly the records the full reader keeps.
#include "FuzzTargets.h"
#include "format/FieldReader.h"
#include "format/NoteFile.h"
#include "format/NoteFileScanner.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

namespace {

bool SameIndexFacts(const NoteRecord& record, const NoteIndexFacts& facts)
{
    if (record.NoteID != facts.NoteID || record.SourceID != facts.SourceID
        || record.KeyWords != facts.KeyWords)
        return false;
    const QList<CategoryLevelEntry>& full = record.Categories.entries;
    const QList<CategoryLevelEntry>& scanned = facts.Categories.entries;
    if (full.size() != scanned.size())
        return false;
    for (qsizetype i = 0; i < full.size(); ++i) {
        if (full.at(i).level != scanned.at(i).level || full.at(i).name != scanned.at(i).name)
            return false;
    }
    return true;
}

} // namespace

int FuzzNoteFile(const uint8_t* data, size_t size)
{
    const QByteArray disk = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const NotesList notes = ParseNoteFile(FieldReader::FromDiskBytes(disk));
    // Every record that survived the read is a record the writer can store.
    const QByteArray written = SerializeNoteFile(notes);
    const NotesList again = ParseNoteFile(written);
    FUZZ_REQUIRE(again.size() == notes.size());

    NoteFileScanner scanner;
    qsizetype visited = 0;
    scanner.Scan(disk, [&](const NoteIndexFacts& facts) {
        FUZZ_REQUIRE(visited < notes.size() && SameIndexFacts(notes.at(visited), facts));
        ++visited;
    });
    FUZZ_REQUIRE(visited == notes.size());
    return 0;
}

QUORVEL_FUZZ_ENTRY(FuzzNoteFile)
