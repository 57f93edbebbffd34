#include "store/AttachedSourceCache.h"

#include "format/SourcesFile.h"
#include "sources/CitationFormatter.h"

void AttachedSourceCache::Keep(const SourceList& sources, std::optional<FileStamp> sourcesStamp,
                               std::optional<FileStamp> authorsStamp)
{
    m_sources = sources;
    m_sourcesStamp = sourcesStamp;
    m_authorsStamp = authorsStamp;
    m_indexById.clear();
    for (int i = int(m_sources.size()) - 1; i >= 0; --i)
        m_indexById.insert(m_sources.at(i).SourceId, i); // the first of equal ids wins
    m_formatted.clear();
    m_authorAt.clear();
    m_authorsPlaced = false;
    m_kept = true;
}

void AttachedSourceCache::Check(const QString& sourcesPath, const QString& authorsPath)
{
    const std::optional<FileStamp> authorsStamp = FileStamp::Of(authorsPath);
    const std::optional<FileStamp> sourcesStamp = FileStamp::Of(sourcesPath);
    // A file missing now and when read is unchanged too; the stamp is taken before the
    // read, so a change while reading shows at the next check.
    if (m_kept && sourcesStamp == m_sourcesStamp && authorsStamp == m_authorsStamp)
        return;
    Keep(LoadSourcesFile(sourcesPath), sourcesStamp, authorsStamp);
}

void AttachedSourceCache::Forget()
{
    m_kept = false;
    m_sources.clear();
    m_indexById.clear();
    m_formatted.clear();
    m_authorAt.clear();
    m_authorsPlaced = false;
}

std::shared_ptr<const SourceRecord> AttachedSourceCache::Formatted(qint32 sourceId, const AuthorList& authors)
{
    if (const auto found = m_formatted.constFind(sourceId); found != m_formatted.cend())
        return *found;
    const auto at = m_indexById.constFind(sourceId);
    if (at == m_indexById.cend())
        return nullptr;
    if (!m_authorsPlaced) {
        for (int i = int(authors.size()) - 1; i >= 0; --i)
            m_authorAt.insert(authors.at(i).AuthorId, i); // the first of equal ids wins
        m_authorsPlaced = true;
    }
    SourceRecord formatted = m_sources.at(*at);
    // The formatting looks up the source's own authors only: found here at once instead
    // of in the whole list, one by one.
    AuthorList own;
    for (const qint32 id : std::as_const(formatted.AuthorIds)) {
        if (const auto author = m_authorAt.constFind(id); author != m_authorAt.cend())
            own.append(authors.at(*author));
    }
    FormatCitation(formatted, own);
    auto shared = std::make_shared<const SourceRecord>(std::move(formatted));
    m_formatted.insert(sourceId, shared);
    return shared;
}
