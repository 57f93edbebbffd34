#include "sources/CitationReport.h"

#include "sources/CitationFormatter.h"
#include "sources/SourceLookup.h"

CitationReport CiteSource(SourceRecord source, const AuthorList& authors, std::optional<int> style,
                          std::optional<int> width)
{
    if (style)
        source.Style = *style;
    FormatCitation(source, authors);
    CitationReport report;
    report.Id = source.SourceId;
    report.Text = source.CitationText;
    report.MarkKinds = source.MarkKinds;
    report.MarkStarts = source.MarkStarts;
    report.MarkEnds = source.MarkEnds;
    report.AuthorsText = source.AuthorsText;
    report.DateText = source.Fields.value(2);
    if (width)
        report.Layout = LayoutCitation(source, *width);
    return report;
}

QList<CitationReport> CiteSources(const SourceList& sources, const AuthorList& authors,
                                  const QList<qint32>& ids, std::optional<int> style,
                                  std::optional<int> width)
{
    QList<CitationReport> reports;
    if (ids.isEmpty()) {
        for (const SourceRecord& source : sources)
            reports.append(CiteSource(source, authors, style, width));
        return reports;
    }
    for (qint32 id : ids) {
        if (const SourceRecord* source = FindSource(sources, id))
            reports.append(CiteSource(*source, authors, style, width));
    }
    return reports;
}
