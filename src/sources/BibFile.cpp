#include "sources/BibFile.h"

#include "sources/CitationFormatter.h"
#include "sources/FieldLists.h"
#include "sources/SourceFormat.h"
#include "store/FieldWriter.h"

namespace {

FieldWriter BibWriter(SourceList& sources, const AuthorList& authors)
{
    FieldWriter writer;
    // The print program reads the version as a Text, unlike the other files.
    writer.WriteText(QString::fromLatin1(SourceFormat::kBibVersionText));
    writer.WriteInt(static_cast<qint32>(sources.size()));
    for (SourceRecord& source : sources) {
        FormatCitation(source, authors);
        writer.WriteText(source.SourceGUID);
        writer.WriteInt(source.SourceId);
        writer.WriteText(source.AuthorsText);
        writer.WriteInt(source.Style);
        writer.WriteInt(source.Type);
        writer.WriteInt(source.IndentSpaces);
        writer.WriteInt(source.AuthorsBeforeEtAl);
        WriteIntList(writer, source.AuthorIds);
        WriteTextList(writer, source.Fields);
        writer.WriteText(source.CitationText);
        WriteIntList(writer, source.MarkKinds);
        WriteIntList(writer, source.MarkStarts);
        WriteIntList(writer, source.MarkEnds);
    }
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

bool WriteBibFile(const QString& path, SourceList& sources, const AuthorList& authors)
{
    return BibWriter(sources, authors).Save(path);
}
