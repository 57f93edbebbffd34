#pragma once

#include "format/SourceRecord.h"
#include "sources/CitationLayout.h"

#include <QList>
#include <optional>

// A source's citation as the command line and other front ends show it, made by the
// same formatter the windows use; nothing is written anywhere.
struct CitationReport
{
    qint32 Id = 0;
    QString Text;
    QList<qint32> MarkKinds;
    QList<qint32> MarkStarts;
    QList<qint32> MarkEnds;
    QString AuthorsText;
    QString DateText; // Field 2 as formatting wrote it
    std::optional<CitationLayout> Layout; // only when a width was asked for
};

// Formats a copy of the source, in style when given (else its own style), laid out at
// width when given.
CitationReport CiteSource(SourceRecord source, const AuthorList& authors, std::optional<int> style,
                          std::optional<int> width);
// Every source in list order when ids is empty, else the sources with those ids in the
// order given (ids without a source are skipped).
QList<CitationReport> CiteSources(const SourceList& sources, const AuthorList& authors,
                                  const QList<qint32>& ids, std::optional<int> style,
                                  std::optional<int> width);
