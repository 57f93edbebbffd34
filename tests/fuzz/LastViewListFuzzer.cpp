// Feeds arbitrary bytes to the reader of "LastViewList.dat": any file gives a list of
// ids, which writes back to the same list.
#include "FuzzTargets.h"
#include "format/FieldReader.h"
#include "format/LastViewListFile.h"
#include "lists/CurrentNotesList.h"

#include <QByteArray>

int FuzzLastViewList(const uint8_t* data, size_t size)
{
    const QByteArray disk = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const NoteIdList ids = LastViewListFile::Parse(FieldReader::FromDiskBytes(disk));
    const QByteArray written = LastViewListFile::Serialize(ids);
    FUZZ_REQUIRE(LastViewListFile::Parse(FieldReader::FromDiskBytes(written)) == ids);
    return 0;
}

QUORVEL_FUZZ_ENTRY(FuzzLastViewList)
