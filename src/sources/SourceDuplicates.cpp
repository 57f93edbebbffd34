#include "sources/SourceDuplicates.h"

#include "sources/SourceFields.h"
#include "sources/SourceLookup.h"
#include "sources/SourceNames.h"

#include <QRegularExpression>

SourceDuplicates::SourceDuplicates(const SourceList& stored, const AuthorList& authors)
{
    for (const SourceRecord& source : stored) {
        const AuthorRecord* first
            = source.AuthorIds.isEmpty() ? nullptr : FindAuthor(authors, source.AuthorIds.first());
        Add(source, first ? FamilyName(*first) : QString(), source.SourceId);
    }
}

QString SourceDuplicates::Folded(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            folded += c;
    }
    return folded.toCaseFolded().simplified();
}

QString SourceDuplicates::NormalizedDoi(const QString& doi)
{
    static const QRegularExpression prefix(QStringLiteral("^(https?://(dx\\.)?doi\\.org/|doi:\\s*)"),
                                           QRegularExpression::CaseInsensitiveOption);
    return QString(doi.trimmed()).remove(prefix).toLower();
}

QString SourceDuplicates::NormalizedNumber(const QString& number)
{
    QString digits;
    for (const QChar c : number) {
        if (c.isDigit() || c == QLatin1Char('x') || c == QLatin1Char('X'))
            digits += c.toUpper();
    }
    return digits;
}

QString SourceDuplicates::FamilyName(const AuthorRecord& author)
{
    return author.LastName.isEmpty() ? author.FirstName : author.LastName;
}

QString SourceDuplicates::TitleKey(const SourceRecord& record, const QString& firstAuthorLast)
{
    const QString year = record.DateSet && record.Date.IsValid()
        ? QString::number(record.Date.ToQDateTime().date().year())
        : QString();
    // A book's chapters share the book's title: the chapter tells them apart.
    const QString chapter = record.Type == SourceType::Book ? Folded(record.Fields.value(7)) : QString();
    return Folded(record.Fields.value(0)) + QLatin1Char('\x1f') + chapter + QLatin1Char('\x1f') + year
        + QLatin1Char('\x1f') + Folded(firstAuthorLast);
}

QString SourceDuplicates::IsbnKey(const SourceRecord& record)
{
    const QString isbn = NormalizedNumber(record.Fields.value(IdentifierField::Isbn));
    // An ISBN names a book: its chapters (which take it through a crossref) and the book
    // itself are told apart by the chapter.
    if (isbn.isEmpty() || record.Type != SourceType::Book)
        return isbn;
    return isbn + QLatin1Char('\x1f') + Folded(record.Fields.value(7));
}

qint32 SourceDuplicates::Find(const SourceRecord& record, const QString& firstAuthorLast) const
{
    const QString doi = NormalizedDoi(record.Fields.value(IdentifierField::Doi));
    if (!doi.isEmpty()) {
        if (const qint32 id = m_byDoi.value(doi))
            return id;
    }
    const QString isbn = IsbnKey(record);
    if (!isbn.isEmpty()) {
        if (const qint32 id = m_byIsbn.value(isbn))
            return id;
    }
    for (const Known& known : m_byTitle.value(TitleKey(record, firstAuthorLast))) {
        const bool doisDiffer = !doi.isEmpty() && !known.doi.isEmpty();
        const bool isbnsDiffer = !isbn.isEmpty() && !known.isbn.isEmpty();
        if (!doisDiffer && !isbnsDiffer)
            return known.id;
    }
    return 0;
}

void SourceDuplicates::Add(const SourceRecord& record, const QString& firstAuthorLast, qint32 id)
{
    const QString doi = NormalizedDoi(record.Fields.value(IdentifierField::Doi));
    const QString isbn = IsbnKey(record);
    if (!doi.isEmpty() && !m_byDoi.contains(doi))
        m_byDoi.insert(doi, id);
    if (!isbn.isEmpty() && !m_byIsbn.contains(isbn))
        m_byIsbn.insert(isbn, id);
    m_byTitle[TitleKey(record, firstAuthorLast)].append({id, doi, isbn});
}
