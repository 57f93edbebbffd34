#include "exchange/SourceExport.h"

#include "sources/CitationKeys.h"
#include "sources/SourceLookup.h"
#include "sources/SourceMapping.h"

BibEntries SourceEntries(const SourceList& all, const AuthorList& authors, const QList<qint32>& ids)
{
    const QHash<qint32, QString> keys = CitationKeys(all, authors);
    BibEntries entries;
    if (ids.isEmpty()) {
        for (const SourceRecord& source : all)
            entries.append(EntryFromSource(source, authors, keys.value(source.SourceId)));
        return entries;
    }
    for (const qint32 id : ids) {
        if (const SourceRecord* source = FindSource(all, id))
            entries.append(EntryFromSource(*source, authors, keys.value(id)));
    }
    return entries;
}

FileStatus ExportSources(FileSystem& files, const QString& path, SourceFileFormat format,
                         const SourceList& all, const AuthorList& authors, const QList<qint32>& ids,
                         int* count)
{
    const BibEntries entries = SourceEntries(all, authors, ids);
    const FileStatus status = WriteSourceFile(files, path, entries, format);
    if (count)
        *count = status ? int(entries.size()) : 0;
    return status;
}
