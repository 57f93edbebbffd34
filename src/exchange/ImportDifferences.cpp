#include "exchange/ImportDifferences.h"

#include "sources/SourceLookup.h"
#include "sources/SourceNames.h"

#include <cmath>

namespace {

QString AuthorName(const AuthorRecord& author)
{
    QStringList parts;
    for (const QString& part : {author.FirstName, author.MiddleInitial, author.LastName}) {
        if (!part.trimmed().isEmpty())
            parts.append(part.trimmed());
    }
    return parts.join(QLatin1Char(' '));
}

QString AuthorNames(const AuthorList& list)
{
    QStringList names;
    for (const AuthorRecord& author : list)
        names.append(AuthorName(author));
    return names.join(QStringLiteral(",  "));
}

AuthorList AuthorsOf(const SourceRecord& source, const AuthorList& authors)
{
    AuthorList found;
    for (qint32 id : source.AuthorIds) {
        if (const AuthorRecord* author = FindAuthor(authors, id))
            found.append(*author);
    }
    return found;
}

QString Field(const SourceRecord& source, int index)
{
    return index < source.Fields.size() ? source.Fields.at(index) : QString();
}

void AddCategoryRows(QList<DifferenceRow>& rows, const NoteRecord& incoming, const NoteRecord& database)
{
    bool differ = false;
    for (int level = 0; level < 4; ++level)
        differ = differ || incoming.Categories.NameAt(level) != database.Categories.NameAt(level);
    if (!differ)
        return;
    rows.append({QStringLiteral("Categories Changed:"), {}, {}});
    for (int level = 0; level < 4; ++level) {
        const CategoryLevelEntry* mine = incoming.Categories.FindEntry(level);
        const CategoryLevelEntry* theirs = database.Categories.FindEntry(level);
        if (mine != nullptr && theirs != nullptr)
            rows.append({QStringLiteral("         Level %1:").arg(level + 1), mine->name, theirs->name});
    }
}

void AddSourceRows(QList<DifferenceRow>& rows, const NoteRecord& incoming, const NoteRecord& database,
                   const SourceList& sources, const AuthorList& authors)
{
    const SourceRecord* found = database.SourceID > 0 ? FindSource(sources, database.SourceID) : nullptr;
    const SourceRecord theirs = found != nullptr ? *found : SourceRecord();
    // An incoming note that cites no source carries a blank source, which reading gave
    // a fresh GUID: it compares as no source at all.
    const SourceRecord mine = incoming.SourceID > 0 ? incoming.AttachedSource : SourceRecord();
    if (mine.SourceGUID == theirs.SourceGUID)
        return;
    rows.append({QStringLiteral("Source Changed:"), {}, {}});
    rows.append({QStringLiteral("         Type:"), SourceTypeName(mine.Type), SourceTypeName(theirs.Type)});
    rows.append({QStringLiteral("         Title:"), Field(mine, 0), Field(theirs, 0)});
    rows.append({QStringLiteral("         Publication:"), Field(mine, 1), Field(theirs, 1)});
    rows.append({QStringLiteral("         Author(s):"), AuthorNames(mine.EmbeddedAuthors),
                 AuthorNames(AuthorsOf(theirs, authors))});
    rows.append({QStringLiteral("         Date:"), Field(mine, 2), Field(theirs, 2)});
}

void AddAttachmentRows(QList<DifferenceRow>& rows, const NoteRecord& incoming, const NoteRecord& database)
{
    const qsizetype mine = incoming.Attachments.size();
    const qsizetype theirs = database.Attachments.size();
    if (mine == 0 && theirs == 0)
        return;
    rows.append({QStringLiteral("Attached Files:"), QString::number(mine), QString::number(theirs)});
    for (qsizetype i = 0; i < qMax(mine, theirs); ++i) {
        rows.append({QString(), i < mine ? incoming.Attachments.at(i).Title : QString(),
                     i < theirs ? database.Attachments.at(i).Title : QString()});
    }
}

} // namespace

QString ImportDateText(const DateTime& value)
{
    return value.ShownDateAndTime();
}

QList<DifferenceRow> BuildDifferenceRows(const NoteRecord& incoming, const NoteRecord& database,
                                         const SourceList& sources, const AuthorList& authors)
{
    QList<DifferenceRow> rows;
    rows.append({QStringLiteral("Date Last Modified:"), ImportDateText(incoming.LastEdited),
                 ImportDateText(database.LastEdited)});
    if (incoming.PlainText != database.PlainText) {
        rows.append({QStringLiteral("Text Changed:"),
                     QStringLiteral("%1 characters").arg(incoming.PlainText.size()),
                     QStringLiteral("%1 characters").arg(database.PlainText.size())});
    }
    AddCategoryRows(rows, incoming, database);
    AddSourceRows(rows, incoming, database, sources, authors);
    if (incoming.KeyWords != database.KeyWords)
        rows.append({QStringLiteral("Key Words Changed:"), incoming.KeyWords, database.KeyWords});
    AddAttachmentRows(rows, incoming, database);
    return rows;
}

QString ImportAgeSentence(const DateTime& incoming, const DateTime& database)
{
    if (!incoming.IsValid() || !database.IsValid() || incoming.Days() == database.Days())
        return {};
    const qint64 seconds = std::llround(std::fabs(incoming.Days() - database.Days()) * 86400.0);
    const qint64 days = seconds / 86400;
    const qint64 hours = seconds % 86400 / 3600;
    const qint64 minutes = seconds % 3600 / 60;
    const char* pattern = incoming.Days() > database.Days()
        ? "The import note is %lld days, %lld hours, and %lld minutes NEWER than the same "
          "note currently in the database."
        : "The import note is %lld days, %lld hours, and %lld minutes OLDER than the same "
          "note currently in the database.";
    return QString::asprintf(pattern, days, hours, minutes);
}
