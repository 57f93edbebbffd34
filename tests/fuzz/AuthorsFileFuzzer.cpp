// Feeds arbitrary bytes to the "Authors.dat" reader: whatever the file holds, reading it
// neither crashes nor hangs, and what it yields writes back to the same list.
#include "FuzzTargets.h"
#include "format/AuthorsFile.h"
#include "format/FieldReader.h"

#include <QByteArray>

int FuzzAuthorsFile(const uint8_t* data, size_t size)
{
    const QByteArray disk = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const AuthorList authors = ParseAuthorsFile(FieldReader::FromDiskBytes(disk));
    const QByteArray written = SerializeAuthorsFile(authors);
    const AuthorList again = ParseAuthorsFile(FieldReader::FromDiskBytes(written));
    FUZZ_REQUIRE(again.size() == authors.size());
    for (qsizetype i = 0; i < authors.size(); ++i)
        FUZZ_REQUIRE(again.at(i).AuthorId == authors.at(i).AuthorId);
    return 0;
}

QUORVEL_FUZZ_ENTRY(FuzzAuthorsFile)
