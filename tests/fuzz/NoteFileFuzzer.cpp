// Feeds arbitrary bytes to the note-file reader: whatever a damaged or hostile file
// holds, reading it must neither crash nor hang, and what it yields must write back.
#include "store/NoteFile.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const NotesList notes = ParseNoteFile(bytes);
    // Every record that survived the read is a record the writer can store.
    const QByteArray written = SerializeNoteFile(notes);
    const NotesList again = ParseNoteFile(written);
    if (again.size() != notes.size())
        __builtin_trap();
    return 0;
}
