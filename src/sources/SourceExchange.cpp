#include "sources/SourceExchange.h"

#include "sources/CitationFormatter.h"
#include "sources/SourceLookup.h"

void PrepareSourceExchange(SourceRecord& source, const AuthorList& authors)
{
    FormatCitation(source, authors);
    source.EmbeddedAuthors.clear();
    for (qint32 id : source.AuthorIds) {
        if (const AuthorRecord* author = FindAuthor(authors, id))
            source.EmbeddedAuthors.append(*author);
    }
}

void WriteSourceExchange(FieldWriter& writer, SourceRecord& source, const AuthorList& authors)
{
    PrepareSourceExchange(source, authors);
    WriteSourceExchangeRecord(writer, source);
}
