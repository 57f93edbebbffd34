#include "sources/CitationKeys.h"

#include "sources/SourceDuplicates.h"
#include "sources/SourceFields.h"
#include "sources/SourceLookup.h"

#include <QSet>
#include <algorithm>

// Helpers of this file, named so that no other file of the library sees them.
namespace CitationKeysDetail {

// Letters and digits of a text, lower case, accents dropped.
QString KeyPart(const QString& text)
{
    QString part;
    for (const QChar c : SourceDuplicates::Folded(text)) {
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || c.isDigit())
            part += c;
    }
    return part;
}

// A kept key without the characters a BibTeX key cannot hold.
QString CleanKey(const QString& key)
{
    QString clean;
    for (const QChar c : key) {
        if (!c.isSpace() && !QStringLiteral(",{}()\"#%'=\\~").contains(c))
            clean += c;
    }
    return clean;
}

QString MadeKey(const SourceRecord& source, const AuthorList& authors)
{
    QString author;
    if (!source.AuthorIds.isEmpty()) {
        if (const AuthorRecord* first = FindAuthor(authors, source.AuthorIds.first()))
            author = KeyPart(SourceDuplicates::FamilyName(*first));
    }
    const QString year = source.DateSet && source.Date.IsValid()
        ? QString::number(source.Date.ToQDateTime().date().year())
        : QString();
    QString word;
    for (const QString& candidate : source.Fields.value(0).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        word = KeyPart(candidate);
        if (!word.isEmpty())
            break;
    }
    const QString key = (author.isEmpty() ? QStringLiteral("anon") : author) + year + word;
    return key;
}

// "a", "b", ..., "z", "aa", "ab", ...
QString Suffix(int n)
{
    QString suffix;
    do {
        suffix.prepend(QLatin1Char(char('a' + n % 26)));
        n = n / 26 - 1;
    } while (n >= 0);
    return suffix;
}

} // namespace CitationKeysDetail

QHash<qint32, QString> CitationKeys(const SourceList& sources, const AuthorList& authors)
{
    using namespace CitationKeysDetail;
    QList<const SourceRecord*> ordered;
    for (const SourceRecord& source : sources)
        ordered.append(&source);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const SourceRecord* a, const SourceRecord* b) { return a->SourceId < b->SourceId; });
    QHash<qint32, QString> keys;
    QSet<QString> used;
    auto take = [&](const SourceRecord* source, const QString& base) {
        QString key = base;
        for (int n = 0; used.contains(key.toLower()); ++n)
            key = base + Suffix(n);
        used.insert(key.toLower());
        keys.insert(source->SourceId, key);
    };
    for (const SourceRecord* source : std::as_const(ordered)) {
        const QString kept = CleanKey(source->Fields.value(IdentifierField::CitationKey));
        if (!kept.isEmpty())
            take(source, kept);
    }
    for (const SourceRecord* source : std::as_const(ordered)) {
        if (!keys.contains(source->SourceId))
            take(source, MadeKey(*source, authors));
    }
    return keys;
}
