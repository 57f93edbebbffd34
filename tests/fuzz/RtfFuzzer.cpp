// Feeds arbitrary bytes to the RTF reader and to the helpers that work on a note's RTF:
// any input gives a document, and what the reader yields the writer stores so that a
// second read shows the same text.
#include "FuzzTargets.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfText.h"
#include "richtext/RtfWriter.h"

#include <QByteArray>

int FuzzRtf(const uint8_t* data, size_t size)
{
    const QByteArray rtf = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const RichDocument document = RtfReader::Read(rtf);
    const QString text = document.PlainText();
    const RichDocument again = RtfReader::Read(RtfWriter::Write(document));
    FUZZ_REQUIRE(again.PlainText() == text);

    ZoomRtf(rtf, 1.5);
    // Ranges at the start, in the middle and running past the end of the text.
    const int length = int(text.size());
    HighlightRtfRanges(rtf, {{0, 1}, {length / 2, 3}, {length - 1, 5}});
    return 0;
}

QUORVEL_FUZZ_ENTRY(FuzzRtf)
