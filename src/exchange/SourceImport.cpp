#include "exchange/SourceImport.h"

#include "platform/ProgressReporter.h"
#include "sources/NameList.h"
#include "sources/SourceDuplicates.h"
#include "sources/SourceNames.h"
#include "store/SourceStore.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

// Helpers of this file, named so that no other file of the library sees them.
namespace SourceImportDetail {

QString AuthorsText(const QList<AuthorRecord>& authors)
{
    QStringList names;
    for (const AuthorRecord& author : authors)
        names.append(AuthorDisplayName(author));
    return names.join(QStringLiteral("; "));
}

QString FirstFamily(const MappedSource& mapped)
{
    return mapped.authors.isEmpty() ? QString() : SourceDuplicates::FamilyName(mapped.authors.first());
}

QString NamesKey(const AuthorRecord& author)
{
    return author.FirstName + QLatin1Char('\x1f') + author.MiddleInitial + QLatin1Char('\x1f')
        + author.LastName + QLatin1Char('\x1f') + author.AuthorText4 + QLatin1Char('\x1f')
        + author.AuthorText5;
}

} // namespace SourceImportDetail

QString SourceImportEntry::StatusName() const
{
    using namespace SourceImportDetail;
    switch (status) {
    case Status::New:
        return QStringLiteral("new");
    case Status::Duplicate:
        return QStringLiteral("duplicate");
    case Status::Skipped:
        return QStringLiteral("skipped");
    }
    return {};
}

bool SourceImport::Open(const QString& path, SourceFileFormat format, const SourceList& stored,
                        const AuthorList& authors, ProgressReporter& progress, QString* error)
{
    using namespace SourceImportDetail;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_entries.clear();
        *error = QStringLiteral("Could not read \"%1\": %2").arg(path, file.errorString());
        return false;
    }
    return OpenBytes(file.readAll(), QFileInfo(path).fileName(), format, stored, authors, progress, error);
}

QString SourceImport::EntryTitle(const SourceRecord& source)
{
    // The chapters of a book hold the book's title in field 0; each is known by its own.
    const QString chapter = source.Type == SourceType::Book ? source.Fields.value(7) : QString();
    return chapter.isEmpty() ? source.Fields.value(0)
                             : QStringLiteral("%1, in %2").arg(chapter, source.Fields.value(0));
}

bool SourceImport::OpenBytes(const QByteArray& bytes, const QString& fileName, SourceFileFormat format,
                             const SourceList& stored, const AuthorList& authors, ProgressReporter& progress,
                             QString* error)
{
    using namespace SourceImportDetail;
    m_entries.clear();
    progress.Begin(QStringLiteral("Reading sources..."), 0);
    BibReadResult read = ReadSourceBytes(bytes, format, fileName);
    if (!read.Ok()) {
        progress.End();
        *error = read.error;
        return false;
    }
    progress.Begin(QStringLiteral("Comparing sources..."), int(read.entries.size()));
    SourceDuplicates duplicates(stored, authors);
    m_entries.reserve(read.entries.size());
    QHash<QString, int> entryOfKey;
    for (qsizetype i = 0; i < read.entries.size(); ++i) {
        SourceImportEntry entry;
        entry.index = int(i + 1);
        entry.key = read.entries.at(i).key;
        entry.mapped = SourceFromEntry(read.entries.at(i));
        read.entries[i] = BibEntry(); // the mapped source is all that is kept
        const SourceRecord& source = entry.mapped.source;
        if (!entry.mapped.problem.isEmpty()) {
            entry.status = SourceImportEntry::Status::Skipped;
            entry.reason = entry.mapped.problem;
        } else {
            entry.type = source.Type;
            entry.title = EntryTitle(source);
            entry.authors = AuthorsText(entry.mapped.authors);
            if (source.DateSet)
                entry.year = QString::number(source.Date.ToQDateTime().date().year());
            const qint32 found = duplicates.Find(source, FirstFamily(entry.mapped));
            if (found > 0) {
                entry.status = SourceImportEntry::Status::Duplicate;
                entry.duplicateOf = found;
                entry.reason = QStringLiteral("the same as the stored source %1").arg(found);
            } else if (found < 0) {
                entry.status = SourceImportEntry::Status::Duplicate;
                entry.reason = QStringLiteral("the same as entry %1 of the file").arg(-found);
            } else {
                entry.selected = true;
                duplicates.Add(source, FirstFamily(entry.mapped), -entry.index);
            }
        }
        m_entries.append(entry);
        progress.Step();
    }
    progress.End();
    return true;
}

void SourceImport::SetSelected(int row, bool selected)
{
    using namespace SourceImportDetail;
    if (row < 0 || row >= m_entries.size())
        return;
    SourceImportEntry& entry = m_entries[row];
    entry.selected = selected && entry.status != SourceImportEntry::Status::Skipped;
}

void SourceImport::SelectAll()
{
    using namespace SourceImportDetail;
    for (int i = 0; i < m_entries.size(); ++i)
        SetSelected(i, true);
}

void SourceImport::SelectNone()
{
    using namespace SourceImportDetail;
    for (int i = 0; i < m_entries.size(); ++i)
        SetSelected(i, false);
}

void SourceImport::SelectNew()
{
    using namespace SourceImportDetail;
    for (int i = 0; i < m_entries.size(); ++i)
        SetSelected(i, m_entries.at(i).status == SourceImportEntry::Status::New);
}

int SourceImport::SelectedCount() const
{
    using namespace SourceImportDetail;
    return int(std::count_if(m_entries.cbegin(), m_entries.cend(), [](const auto& e) { return e.selected; }));
}

SourceBatch SourceImport::Batch(const AuthorList& stored, qint32 style) const
{
    using namespace SourceImportDetail;
    SourceBatch batch;
    QHash<QString, qint32> idOfNames;
    for (const AuthorRecord& author : stored) {
        const QString key = NamesKey(author);
        if (!idOfNames.contains(key))
            idOfNames.insert(key, author.AuthorId); // the first match wins
    }
    for (const SourceImportEntry& entry : m_entries) {
        if (!entry.selected)
            continue;
        SourceRecord source = entry.mapped.source;
        source.Style = style;
        source.AuthorIds.clear();
        for (const AuthorRecord& name : entry.mapped.authors) {
            const QString key = NamesKey(name);
            qint32 id = idOfNames.value(key);
            if (id == 0) {
                AuthorRecord added = name;
                id = added.AuthorId = -qint32(batch.authors.size() + 1);
                batch.authors.append(added);
                idOfNames.insert(key, id);
            }
            if (!source.AuthorIds.contains(id))
                source.AuthorIds.append(id);
        }
        batch.sources.append(source);
    }
    return batch;
}

FileStatus SourceImport::Store(SourceStore& store, qint32 style, QList<qint32>* created,
                               QList<qint32>* authorsCreated)
{
    using namespace SourceImportDetail;
    SourceBatch batch = Batch(store.Authors(), style);
    const FileStatus status = store.AddSourceBatch(batch);
    if (!status)
        return status;
    qsizetype next = 0;
    for (SourceImportEntry& entry : m_entries) {
        if (entry.selected)
            entry.createdId = batch.sources.at(next++).SourceId;
    }
    for (const SourceRecord& source : std::as_const(batch.sources))
        created->append(source.SourceId);
    for (const AuthorRecord& author : std::as_const(batch.authors))
        authorsCreated->append(author.AuthorId);
    return status;
}

QString SourceImport::DoneMessage(int sources, int authors)
{
    using namespace SourceImportDetail;
    return QStringLiteral("%1 %2 and %3 %4 were imported.")
        .arg(sources)
        .arg(sources == 1 ? QStringLiteral("source") : QStringLiteral("sources"))
        .arg(authors)
        .arg(authors == 1 ? QStringLiteral("new author") : QStringLiteral("new authors"));
}
