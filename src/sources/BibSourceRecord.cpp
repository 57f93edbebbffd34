#include "sources/BibSourceRecord.h"

#include "format/FieldLists.h"
#include "format/FieldReader.h"
#include "format/FieldWriter.h"
#include "format/SourcesFile.h"
#include "sources/CitationFormatter.h"

void WriteBibSourceRecord(FieldWriter& writer, SourceRecord& source, const AuthorList& authors)
{
    FormatCitation(source, authors);
    WriteSourceLeadingFields(writer, source);
    writer.WriteText(source.CitationText);
    WriteIntList(writer, source.MarkKinds);
    WriteIntList(writer, source.MarkStarts);
    WriteIntList(writer, source.MarkEnds);
}

SourceRecord ReadBibSourceRecord(FieldReader& reader)
{
    SourceRecord source;
    source.SourceGUID = reader.ReadText();
    source.SourceId = reader.ReadInt();
    source.AuthorsText = reader.ReadText();
    source.Style = reader.ReadInt();
    source.Type = reader.ReadInt();
    source.IndentSpaces = reader.ReadInt();
    source.AuthorsBeforeEtAl = reader.ReadInt();
    source.AuthorIds = ReadIntList(reader);
    source.Fields = ReadTextList(reader);
    while (source.Fields.size() < kSourceFieldCount)
        source.Fields.append(QString());
    source.CitationText = reader.ReadText();
    const QList<qint32> kinds = ReadIntList(reader);
    const QList<qint32> starts = ReadIntList(reader);
    const QList<qint32> ends = ReadIntList(reader);
    const qsizetype count = qMin(kinds.size(), qMin(starts.size(), ends.size()));
    const qint32 length = qint32(source.CitationText.size());
    for (qsizetype i = 0; i < count; ++i) {
        if (starts.at(i) < 0 || ends.at(i) < starts.at(i) || ends.at(i) >= length)
            continue;
        source.MarkKinds.append(kinds.at(i));
        source.MarkStarts.append(starts.at(i));
        source.MarkEnds.append(ends.at(i));
    }
    return source;
}
