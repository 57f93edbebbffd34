#include "sources/SourceLookup.h"

int IndexOfSource(const SourceList& sources, qint32 sourceId)
{
    for (int i = 0; i < sources.size(); ++i) {
        if (sources[i].SourceId == sourceId)
            return i;
    }
    return -1;
}

const SourceRecord* FindSource(const SourceList& sources, qint32 sourceId)
{
    const int index = IndexOfSource(sources, sourceId);
    return index < 0 ? nullptr : &sources[index];
}

SourceRecord* FindSource(SourceList& sources, qint32 sourceId)
{
    const int index = IndexOfSource(sources, sourceId);
    return index < 0 ? nullptr : &sources[index];
}

int IndexOfAuthor(const AuthorList& authors, qint32 authorId)
{
    for (int i = 0; i < authors.size(); ++i) {
        if (authors[i].AuthorId == authorId)
            return i;
    }
    return -1;
}

const AuthorRecord* FindAuthor(const AuthorList& authors, qint32 authorId)
{
    const int index = IndexOfAuthor(authors, authorId);
    return index < 0 ? nullptr : &authors[index];
}

qint32 NextSourceId(const SourceList& sources)
{
    qint32 highest = 1000;
    for (const SourceRecord& source : sources)
        highest = qMax(highest, source.SourceId);
    return highest + 1;
}

qint32 NextAuthorId(qint32& maxAuthorId)
{
    return ++maxAuthorId;
}

SourceRecord AttachedSourceFor(const SourceList& sources, qint32 sourceId)
{
    const SourceRecord* source = FindSource(sources, sourceId);
    return source ? *source : SourceRecord();
}
