#pragma once

#include "format/AuthorRecord.h"
#include "format/FileStamp.h"
#include "format/SourceRecord.h"

#include <QHash>
#include <QString>
#include <memory>
#include <optional>

// The sources as notes carry them: "Sources.dat" as last read, each source formatted with
// the authors when first asked for and shared from then on. What it holds stands for as
// long as both files keep the stamps they had when read, so a list filled again after
// every search neither reads nor formats anything again; a file rewritten since, by this
// program or another, is read afresh.
class AttachedSourceCache
{
public:
    // The sources read from sourcesPath, its stamp (sourcesStamp) taken before the read,
    // and the stamp of the authors file the formatting will use: a load that read both
    // hands them over, so that the first fill reads nothing.
    void Keep(const SourceList& sources, std::optional<FileStamp> sourcesStamp,
              std::optional<FileStamp> authorsStamp);
    // Reads the sources file afresh when a file's stamp is not the one kept.
    void Check(const QString& sourcesPath, const QString& authorsPath);
    // Drops what is kept: the next Check reads the file.
    void Forget();

    // The first source with the id, formatted with authors; none when there is no such
    // source. The authors must stay as they are until the next Keep or Forget.
    std::shared_ptr<const SourceRecord> Formatted(qint32 sourceId, const AuthorList& authors);

private:
    bool m_kept = false;
    std::optional<FileStamp> m_sourcesStamp;
    std::optional<FileStamp> m_authorsStamp;
    SourceList m_sources;
    QHash<qint32, int> m_indexById; // where each id first stands
    QHash<qint32, std::shared_ptr<const SourceRecord>> m_formatted;
    QHash<qint32, int> m_authorAt; // where each author id first stands; made when first needed
    bool m_authorsPlaced = false;
};
