#include "sources/Bibliography.h"

#include "sources/BibFile.h"
#include "sources/CitationFormatter.h"
#include "sources/SourceLookup.h"
#include "sources/SourceSort.h"

#include <QSet>

SourceList SelectBibliographySources(const SourceList& sources, const AuthorList& authors,
                                     const QList<qint32>& ids, const BibliographyOptions& options)
{
    SourceList chosen;
    QSet<qint32> taken;
    for (qint32 id : ids) {
        const SourceRecord* source = FindSource(sources, id);
        if (!source || taken.contains(id))
            continue;
        taken.insert(id);
        SourceRecord copy = *source;
        if (options.Common) {
            copy.Style = options.Common->Style;
            copy.IndentSpaces = qBound(0, options.Common->IndentSpaces, 10);
            copy.AuthorsBeforeEtAl = qBound(1, options.Common->AuthorsBeforeEtAl, 15);
        }
        FormatCitation(copy, authors);
        chosen.append(copy);
    }
    if (options.Sorted)
        SortSourceList(chosen, authors);
    return chosen;
}

int CreateBibliography(FileSystem& files, const QString& bibPath, const SourceList& sources,
                       const AuthorList& authors, const QList<qint32>& ids,
                       const BibliographyOptions& options, FileStatus* failure)
{
    SourceList chosen = SelectBibliographySources(sources, authors, ids, options);
    if (chosen.isEmpty())
        return 0;
    if (const FileStatus written = WriteBibFile(files, bibPath, chosen, authors); !written) {
        if (failure)
            *failure = written;
        return -1;
    }
    return static_cast<int>(chosen.size());
}
