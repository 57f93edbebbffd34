// Feeds arbitrary bytes to the reader of "_ExpNotes.dat", the data file inside an export
// archive: it reads, refuses or stops at damage, and never keeps a record without an id.
#include "FuzzTargets.h"
#include "format/ExportDataFile.h"
#include "format/FieldReader.h"

#include <QByteArray>

int FuzzExportData(const uint8_t* data, size_t size)
{
    const QByteArray disk = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    ExportData exported;
    const ExportDataResult result = ParseExportData(FieldReader::FromDiskBytes(disk), &exported);
    if (result != ExportDataResult::Ok)
        return 0;
    for (const NoteRecord& note : exported.notes) {
        FUZZ_REQUIRE(note.NoteID > 0);
        FUZZ_REQUIRE(note.SourceID >= 0);
    }
    return 0;
}

QUORVEL_FUZZ_ENTRY(FuzzExportData)
