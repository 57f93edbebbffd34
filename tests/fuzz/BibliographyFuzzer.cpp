// Feeds arbitrary bytes to the readers of outside bibliography files (BibTeX, RIS,
// EndNote, CSL-JSON) and maps what they read to sources: a damaged file is refused or
// read entry by entry, never a crash.
#include "FuzzTargets.h"
#include "format/BibTexReader.h"
#include "format/BibTexWriter.h"
#include "format/CslJsonFile.h"
#include "format/EndNoteFile.h"
#include "format/RisFile.h"
#include "sources/SourceMapping.h"

#include <QByteArray>

namespace {

void Check(const BibReadResult& result)
{
    // A file is either refused whole or read into entries.
    FUZZ_REQUIRE(result.error.isEmpty() || result.entries.isEmpty());
    for (const BibEntry& entry : result.entries) {
        const MappedSource mapped = SourceFromEntry(entry);
        FUZZ_REQUIRE(mapped.source.Fields.size() == kSourceFieldCount);
        FUZZ_REQUIRE(!mapped.problem.isEmpty() || !mapped.source.Fields.at(0).isEmpty());
    }
}

} // namespace

int FuzzBibliography(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = QString::fromUtf8(bytes);
    const BibReadResult bibtex = BibTexReader::Read(text, QStringLiteral("fuzz.bib"));
    Check(bibtex);
    // What was read can be written and read again.
    Check(BibTexReader::Read(BibTexWriter::Write(bibtex.entries, BibTexWriter::Dialect::BibLaTeX),
                             QStringLiteral("again.bib")));
    Check(RisFile::Read(text, QStringLiteral("fuzz.ris")));
    Check(EndNoteFile::Read(text, QStringLiteral("fuzz.enw")));
    Check(CslJsonFile::Read(bytes, QStringLiteral("fuzz.json")));
    return 0;
}

QUORVEL_FUZZ_ENTRY(FuzzBibliography)
