#include "sources/SourceSort.h"

#include "sources/CitationFormatter.h"

#include <algorithm>
#include <utility>

void SortSourceList(SourceList& sources, const AuthorList& authors)
{
    QList<std::pair<QByteArray, SourceRecord>> keyed;
    keyed.reserve(sources.size());
    // Walking the list backwards and sorting stably puts later sources first on ties.
    for (qsizetype i = sources.size() - 1; i >= 0; --i) {
        SourceRecord& source = sources[i];
        FormatCitation(source, authors);
        keyed.append({source.CitationText.toLower().toUtf8(), std::move(source)});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    sources.clear();
    for (auto& entry : keyed)
        sources.append(std::move(entry.second));
}
