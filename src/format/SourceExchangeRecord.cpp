#include "format/SourceExchangeRecord.h"

#include "format/AuthorsFile.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/SourceFormat.h"
#include "format/SourcesFile.h"
#include "format/Version.h"

void WriteSourceExchangeRecord(FieldWriter& writer, const SourceRecord& source)
{
    WriteSourceRecord(writer, source);
    writer.WriteText(source.CitationText);
    writer.WriteInt(static_cast<qint32>(source.EmbeddedAuthors.size()));
    for (const AuthorRecord& author : source.EmbeddedAuthors)
        WriteAuthorRecord(writer, author);
}

SourceRecord ReadSourceExchange(FieldReader& reader, double version)
{
    // Only the missing date fields distinguish old exchange records.
    const bool withoutDate = Version::AtOrBelow(version, SourceFormat::kVersionWithoutDate);
    SourceRecord source;
    ReadSourceRecord(reader, withoutDate ? SourceFormat::kVersionWithoutDate : Version::kNumber, source);
    source.CitationText = reader.ReadText();
    const qint32 count = reader.ReadInt();
    for (qint32 i = 0; i < count && !reader.AtEnd(); ++i)
        source.EmbeddedAuthors.append(ReadAuthorRecord(reader));
    return source;
}
