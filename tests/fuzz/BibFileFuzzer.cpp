// Feeds arbitrary bytes to the print program's readers of "Bib.dat" and of
// "PrintPreview.nbf": a damaged hand-off file is refused or read, never a crash.
#include "FuzzTargets.h"
#include "format/BibFile.h"
#include "format/FieldReader.h"
#include "format/PrintPreviewFile.h"

#include <QByteArray>

int FuzzBibFile(const uint8_t* data, size_t size)
{
    const QByteArray disk = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray logical = FieldReader::FromDiskBytes(disk);
    BibData bib;
    if (ParseBibFile(logical, &bib))
        FUZZ_REQUIRE(bib.version.startsWith(QLatin1String("1.")));
    PrintPreviewData preview;
    if (ParsePrintPreview(logical, &preview))
        FUZZ_REQUIRE(preview.version.startsWith(QLatin1String("1.")));
    return 0;
}

QUORVEL_FUZZ_ENTRY(FuzzBibFile)
