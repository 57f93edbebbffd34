#include "sources/BibFile.h"

#include "format/BibFile.h"
#include "format/FieldWriter.h"
#include "sources/CitationFormatter.h"

namespace {

FieldWriter BibWriter(SourceList& sources, const AuthorList& authors)
{
    // Each source is formatted again just before it is written.
    for (SourceRecord& source : sources)
        FormatCitation(source, authors);
    FieldWriter writer;
    WriteBibList(writer, sources);
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

FileStatus WriteBibFile(FileSystem& files, const QString& path, SourceList& sources,
                        const AuthorList& authors)
{
    return BibWriter(sources, authors).Save(files, path);
}
