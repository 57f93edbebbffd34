// Feeds arbitrary bytes to the "Sources.dat" reader: whatever the file holds, reading it
// neither crashes nor hangs, and every source it keeps is one the writer can store.
#include "FuzzTargets.h"
#include "format/FieldReader.h"
#include "format/SourcesFile.h"

#include <QByteArray>

int FuzzSourcesFile(const uint8_t* data, size_t size)
{
    const QByteArray disk = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const SourceList sources = ParseSourcesFile(FieldReader::FromDiskBytes(disk));
    for (const SourceRecord& source : sources)
        FUZZ_REQUIRE(source.SourceId > 0 && source.Fields.size() == 15);
    const QByteArray written = SerializeSourcesFile(sources);
    FUZZ_REQUIRE(SourcesFileHolds(sources, written));
    FUZZ_REQUIRE(ParseSourcesFile(FieldReader::FromDiskBytes(written)).size() == sources.size());
    return 0;
}

QUORVEL_FUZZ_ENTRY(FuzzSourcesFile)
