#include "sources/NameList.h"

#include "sources/SourceLookup.h"

namespace {

void RemoveTrailing(QString& text, QChar c)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == c)
        --end;
    text.truncate(end);
}

// The given name as a style writes it: whole, or its first letter; a one-letter result
// is followed by ".".
QString FirstNamePart(const AuthorRecord& author, bool initials)
{
    if (author.FirstName.isEmpty())
        return {};
    QString part = (initials && !author.LastName.isEmpty()) ? author.FirstName.left(1) : author.FirstName;
    if (part.size() == 1)
        part += QLatin1Char('.');
    return part;
}

QString SeparatorText(int separator)
{
    switch (separator) {
    case 1:
        return QStringLiteral(", ");
    case 2:
        return QStringLiteral("; ");
    case 3:
        return QStringLiteral(". ");
    default:
        return QStringLiteral(" ");
    }
}

QString ConjunctionText(int conjunction)
{
    switch (conjunction) {
    case 1:
        return QStringLiteral("and ");
    case 2:
        return QStringLiteral("& ");
    default:
        return {};
    }
}

} // namespace

QString AuthorNameLastFirst(const AuthorRecord& author, bool initials, bool spaceAfterFirst, bool withMiddle)
{
    QString name;
    if (!author.LastName.isEmpty())
        name = author.LastName + QStringLiteral(", ");
    if (!author.FirstName.isEmpty()) {
        name += FirstNamePart(author, initials);
        if (spaceAfterFirst)
            name += QLatin1Char(' ');
    }
    if (withMiddle && !author.MiddleInitial.isEmpty())
        name += author.MiddleInitial + QLatin1Char('.');
    RemoveTrailing(name, QLatin1Char(' '));
    return name;
}

QString AuthorNameFirstLast(const AuthorRecord& author, bool initials, bool spaceAfterFirst, bool withMiddle)
{
    QString name = FirstNamePart(author, initials);
    if (withMiddle && !author.MiddleInitial.isEmpty()) {
        if (spaceAfterFirst)
            name += QLatin1Char(' ');
        name += author.MiddleInitial + QLatin1Char('.');
    }
    if (!author.LastName.isEmpty())
        name += QLatin1Char(' ') + author.LastName;
    RemoveTrailing(name, QLatin1Char(' '));
    return name;
}

QString AuthorDisplayName(const AuthorRecord& author)
{
    return AuthorNameLastFirst(author, false, true, true);
}

QString FormatNameList(const QList<qint32>& authorIds, const NameListOptions& options,
                       const AuthorList& authors)
{
    using Order = NameListOptions::Order;
    QString list;
    const int count = static_cast<int>(authorIds.size());
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            list += SeparatorText(options.Separator);
            if (i == count - 1 && i != options.MaxNames)
                list += ConjunctionText(options.Conjunction);
        }
        const AuthorRecord* author = FindAuthor(authors, authorIds[i]);
        if (!author || i >= options.MaxNames) {
            list += QStringLiteral("et al");
            break;
        }
        const bool firstLast = options.order == Order::Mixed && i > 0;
        QString name = firstLast
            ? AuthorNameFirstLast(*author, options.Initials, options.SpaceAfterFirst, options.WithMiddle)
            : AuthorNameLastFirst(*author, options.Initials, options.SpaceAfterFirst, options.WithMiddle);
        if (options.order == Order::NoPunctuation) {
            name.remove(QLatin1Char(','));
            name.remove(QLatin1Char('.'));
        }
        list += name;
    }
    RemoveTrailing(list, QLatin1Char(' '));
    RemoveTrailing(list, QLatin1Char('.'));
    return list;
}
