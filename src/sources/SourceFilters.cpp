#include "sources/SourceFilters.h"

#include "sources/NameList.h"

#include <QSet>

QString SourceFilterAuthorText(const SourceRecord& source, const AuthorList& authors)
{
    NameListOptions options;
    options.order = NameListOptions::Order::NoPunctuation;
    options.Initials = true;
    options.SpaceAfterFirst = false;
    options.WithMiddle = true;
    options.Conjunction = 2;
    options.Separator = 1;
    options.MaxNames = 6;
    return FormatNameList(source.AuthorIds, options, authors);
}

QStringList DistinctFilterValues(const QStringList& texts)
{
    QStringList values;
    QSet<QString> seen;
    for (const QString& text : texts) {
        const QString value = text.trimmed();
        if (value.isEmpty() || seen.contains(value.toLower()))
            continue;
        seen.insert(value.toLower());
        values.append(value);
    }
    values.sort(Qt::CaseInsensitive);
    return values;
}

SourceList FilterSources(const SourceList& sources, const AuthorList& authors, const SourceFilter& filter)
{
    const QString title = filter.title.trimmed();
    const QString author = filter.author.trimmed();
    const QString publication = filter.publication.trimmed();
    SourceList shown;
    for (const SourceRecord& source : sources) {
        // Titles first, then authors, then publications.
        if (!title.isEmpty() && source.Fields.value(0) != title)
            continue;
        if (!author.isEmpty() && SourceFilterAuthorText(source, authors) != author)
            continue;
        if (!publication.isEmpty() && source.Fields.value(1) != publication)
            continue;
        shown.append(source);
    }
    return shown;
}
