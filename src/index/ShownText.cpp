#include "index/ShownText.h"

#include "format/TextCodec.h"
#include "richtext/RtfReader.h"

#include <algorithm>

QByteArray RtfBytesOfText(const QString& richText)
{
    QByteArray bytes;
    bytes.reserve(richText.size());
    for (QChar c : richText) {
        if (c.unicode() < 0x80) {
            bytes.append(static_cast<char>(c.unicode()));
        } else {
            bytes.append("\\u");
            bytes.append(
                QByteArray::number(static_cast<qint16>(c.unicode()))); // RTF numbers are signed 16-bit
            bytes.append('?');
        }
    }
    return bytes;
}

QString ShownTextOfStoredRtf(const char* richText, qsizetype length)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(richText);
    const bool ascii = std::all_of(bytes, bytes + length, [](unsigned char c) { return c < 0x80; });
    const QByteArray stored = QByteArray::fromRawData(richText, length);
    return RtfReader::ReadShownText(ascii ? stored : RtfBytesOfText(TextCodec::FromFileBytes(stored)));
}
