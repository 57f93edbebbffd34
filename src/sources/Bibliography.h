#pragma once

#include "format/FileStatus.h"
#include "format/FileSystem.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QList>
#include <QSet>
#include <QString>
#include <optional>

// Building a bibliography from chosen sources: the selection, the common formatting that
// can be imposed on all of them, the order, and the write of "Data Files\Bib.dat".

struct CommonFormatting
{
    qint32 Style = 1;
    qint32 IndentSpaces = 3; // clamped to 0..10
    qint32 AuthorsBeforeEtAl = 6; // clamped to 1..15
};

struct BibliographyOptions
{
    bool Sorted = true; // by citation text; otherwise in the order chosen
    std::optional<CommonFormatting> Common;
};

// Copies of the sources with the given ids in that order (ids without a source and
// repeated ids are skipped), each with the common formatting applied when given and
// formatted, sorted when asked.
SourceList SelectBibliographySources(const SourceList& sources, const AuthorList& authors,
                                     const QList<qint32>& ids, const BibliographyOptions& options);

// The sources cited by the notes, each once, in the order of their first citing note
// (notes without a source are skipped): a bibliography of the current notes list. Notes
// is any list of notes with a SourceID, whole records or the current list's keys.
template<typename Notes> QList<qint32> CitedSourceIds(const Notes& notes)
{
    QList<qint32> ids;
    QSet<qint32> seen;
    for (const auto& note : notes) {
        if (note.SourceID > 0 && !seen.contains(note.SourceID)) {
            seen.insert(note.SourceID);
            ids.append(note.SourceID);
        }
    }
    return ids;
}

// Writes the bibliography of the chosen sources to bibPath. With no source chosen
// nothing is written and 0 is returned; otherwise the number of sources written, or -1
// when the file could not be written (failure, when given, says why).
int CreateBibliography(FileSystem& files, const QString& bibPath, const SourceList& sources,
                       const AuthorList& authors, const QList<qint32>& ids,
                       const BibliographyOptions& options, FileStatus* failure = nullptr);
