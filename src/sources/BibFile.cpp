#include "sources/BibFile.h"

#include "format/FieldWriter.h"
#include "format/RecordList.h"
#include "format/Version.h"
#include "sources/BibSourceRecord.h"

namespace {

FieldWriter BibWriter(SourceList& sources, const AuthorList& authors)
{
    FieldWriter writer;
    // The print program reads the version as a Text, unlike the other files.
    RecordListWriter::WriteHead(writer, QLatin1StringView(Version::kText), sources.size());
    for (SourceRecord& source : sources)
        WriteBibSourceRecord(writer, source, authors);
    return writer;
}

} // namespace

QByteArray SerializeBibFile(SourceList& sources, const AuthorList& authors)
{
    return BibWriter(sources, authors).DiskBytes();
}

bool WriteBibFile(QIODevice* device, SourceList& sources, const AuthorList& authors)
{
    return BibWriter(sources, authors).WriteTo(device);
}

FileStatus WriteBibFile(const QString& path, SourceList& sources, const AuthorList& authors)
{
    return BibWriter(sources, authors).Save(path);
}
