#include "sources/SourceMapping.h"

#include "sources/SourceFields.h"
#include "sources/SourceLookup.h"
#include "sources/SourceNames.h"

#include <QRegularExpression>

// Helpers of this file, named so that no other file of the library sees them.
namespace SourceMappingDetail {

QString F(const BibEntry& entry, const char* name)
{
    return entry.Field(QString::fromLatin1(name));
}

QString FirstOf(const BibEntry& entry, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const QString value = F(entry, name);
        if (!value.isEmpty())
            return value;
    }
    return {};
}

bool IsOneOf(const QString& value, std::initializer_list<const char*> words)
{
    for (const char* word : words) {
        if (value == QLatin1String(word))
            return true;
    }
    return false;
}

int TypeOf(const BibEntry& entry)
{
    const QString type = entry.type;
    const QString subtype = F(entry, "entrysubtype").toLower();
    if (type == QLatin1String("article"))
        return IsOneOf(subtype, {"magazine", "newspaper"}) ? SourceType::Periodical
                                                           : SourceType::JournalArticle;
    if (IsOneOf(type, {"periodical", "suppperiodical"}))
        return SourceType::Periodical;
    if (IsOneOf(type, {"online", "electronic", "www", "webpage"}))
        return SourceType::Online;
    if (IsOneOf(type, {"thesis", "phdthesis", "mastersthesis"}))
        return SourceType::Dissertation;
    if (IsOneOf(
            type,
            {"audio", "video", "music", "movie", "artwork", "image", "software", "dataset", "performance"}))
        return SourceType::Multimedia;
    if (IsOneOf(type, {"misc", "unpublished"})) {
        if (IsOneOf(subtype, {"speech", "lecture", "talk", "presentation"})
            || entry.Has(QStringLiteral("eventtitle")))
            return SourceType::Lecture;
        if (IsOneOf(subtype, {"multimedia", "audio", "video"}))
            return SourceType::Multimedia;
        if (entry.Has(QStringLiteral("url")))
            return SourceType::Online;
    }
    return SourceType::Book;
}

bool IsPartOfBook(const BibEntry& entry)
{
    return IsOneOf(entry.type,
                   {"incollection", "inbook", "inproceedings", "bookinbook", "inreference", "suppbook",
                    "suppcollection"})
        && entry.Has(QStringLiteral("booktitle"));
}

// "12(3)" from volume 12 and number 3.
QString VolumeAndNumber(const BibEntry& entry)
{
    const QString volume = F(entry, "volume");
    const QString number = F(entry, "number");
    return number.isEmpty() ? volume : volume + QLatin1Char('(') + number + QLatin1Char(')');
}

void SetDate(SourceRecord& source, const QString& text)
{
    const QString date = text.section(QLatin1Char('/'), 0, 0).trimmed();
    static const QRegularExpression form(QStringLiteral("^(\\d{4})(?:-(\\d{1,2})(?:-(\\d{1,2}))?)?"));
    const auto match = form.match(date);
    if (!match.hasMatch())
        return;
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).isEmpty() ? 1 : match.captured(2).toInt();
    const int day = match.captured(3).isEmpty() ? 1 : match.captured(3).toInt();
    const DateTime value = DateTime::FromParts(year, month, day, 0, 0, 0);
    if (!value.IsValid())
        return;
    source.Date = value;
    source.DateSet = true;
    source.YearOnly = match.captured(2).isEmpty() ? 1 : 0;
}

void SetFields(SourceRecord& source, const BibEntry& entry)
{
    QStringList& f = source.Fields;
    f[0] = F(entry, "title");
    switch (source.Type) {
    case SourceType::Book:
        if (IsPartOfBook(entry)) {
            f[0] = F(entry, "booktitle");
            f[7] = F(entry, "title");
        } else {
            f[7] = F(entry, "chapter");
        }
        f[1] = FirstOf(entry, {"publisher", "organization", "institution"});
        f[3] = VolumeAndNumber(entry);
        f[4] = F(entry, "pages");
        f[5] = FirstOf(entry, {"edition", "series"});
        f[6] = F(entry, "location");
        f[8] = EditorsText(entry.editors);
        break;
    case SourceType::JournalArticle:
        f[1] = FirstOf(entry, {"journaltitle", "booktitle"});
        f[3] = VolumeAndNumber(entry);
        f[4] = F(entry, "pages");
        f[5] = F(entry, "urldate");
        f[7] = F(entry, "url");
        break;
    case SourceType::Periodical:
        f[1] = FirstOf(entry, {"journaltitle", "booktitle"});
        f[3] = F(entry, "section");
        f[4] = F(entry, "pages");
        break;
    case SourceType::Online:
        f[1] = FirstOf(entry, {"publisher", "organization", "journaltitle", "booktitle"});
        f[3] = VolumeAndNumber(entry);
        f[4] = F(entry, "urldate");
        f[7] = F(entry, "url");
        break;
    case SourceType::Dissertation:
        f[1] = F(entry, "publisher");
        f[4] = F(entry, "pages");
        f[6] = F(entry, "location");
        f[7] = F(entry, "institution");
        f[8] = F(entry, "type");
        break;
    case SourceType::Multimedia:
        f[1] = FirstOf(entry, {"publisher", "organization"});
        f[4] = F(entry, "howpublished");
        f[6] = F(entry, "location");
        f[7] = F(entry, "series");
        break;
    case SourceType::Lecture:
        f[1] = FirstOf(entry, {"organization", "publisher", "institution"});
        f[6] = F(entry, "location");
        f[7] = FirstOf(entry, {"eventtitle", "booktitle"});
        f[8] = F(entry, "venue");
        break;
    }
    f[IdentifierField::CitationKey] = entry.key;
    f[IdentifierField::Doi] = F(entry, "doi");
    f[IdentifierField::Isbn] = F(entry, "isbn");
    f[IdentifierField::Issn] = F(entry, "issn");
    const bool urlShown = source.Type == SourceType::JournalArticle || source.Type == SourceType::Online;
    if (!urlShown)
        f[IdentifierField::Url] = F(entry, "url");
    for (QString& field : f)
        field = field.trimmed();
}

// An edition ("2", "2nd", "Second edition", "rev. ed.") rather than a series name.
bool LooksLikeEdition(const QString& text)
{
    static const QRegularExpression edition(
        QStringLiteral("^\\d|\\b(ed|edn|edition|revised|rev|first|second|third|fourth|fifth)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return edition.match(text).hasMatch();
}

void SplitVolume(BibEntry& entry, const QString& text)
{
    static const QRegularExpression withNumber(QStringLiteral("^(.*)\\(([^()]+)\\)$"));
    const auto match = withNumber.match(text);
    if (match.hasMatch()) {
        entry.Set(QStringLiteral("volume"), match.captured(1).trimmed());
        entry.Set(QStringLiteral("number"), match.captured(2).trimmed());
    } else {
        entry.Set(QStringLiteral("volume"), text);
    }
}

QString DateOf(const SourceRecord& source)
{
    if (!source.DateSet || !source.Date.IsValid())
        return {};
    const QDate date = source.Date.ToQDateTime().date();
    return source.YearOnly == 1 ? QString::number(date.year()) : date.toString(Qt::ISODate);
}

void Put(BibEntry& entry, const char* name, const QString& value)
{
    entry.Set(QString::fromLatin1(name), value);
}

void SetEntryFields(BibEntry& entry, const SourceRecord& source)
{
    const QStringList& f = source.Fields;
    auto field = [&f](int index) { return f.value(index); };
    Put(entry, "title", field(0));
    switch (source.Type) {
    case SourceType::Book:
        if (!field(7).isEmpty()) {
            entry.type = QStringLiteral("incollection");
            Put(entry, "title", field(7));
            Put(entry, "booktitle", field(0));
        } else {
            entry.type = QStringLiteral("book");
        }
        Put(entry, "publisher", field(1));
        SplitVolume(entry, field(3));
        Put(entry, "pages", field(4));
        Put(entry, LooksLikeEdition(field(5)) ? "edition" : "series", field(5));
        Put(entry, "location", field(6));
        entry.editors = NamesFromEditorsText(field(8));
        break;
    case SourceType::JournalArticle:
        entry.type = QStringLiteral("article");
        Put(entry, "journaltitle", field(1));
        SplitVolume(entry, field(3));
        Put(entry, "pages", field(4));
        Put(entry, "urldate", field(5));
        Put(entry, "url", field(7));
        break;
    case SourceType::Periodical:
        entry.type = QStringLiteral("article");
        Put(entry, "entrysubtype", QStringLiteral("magazine"));
        Put(entry, "journaltitle", field(1));
        Put(entry, "section", field(3));
        Put(entry, "pages", field(4));
        break;
    case SourceType::Online:
        entry.type = QStringLiteral("online");
        Put(entry, "publisher", field(1));
        SplitVolume(entry, field(3));
        Put(entry, "urldate", field(4));
        Put(entry, "url", field(7));
        break;
    case SourceType::Dissertation:
        entry.type = QStringLiteral("thesis");
        Put(entry, "publisher", field(1));
        Put(entry, "pages", field(4));
        Put(entry, "location", field(6));
        Put(entry, "institution", field(7));
        Put(entry, "type", field(8));
        break;
    case SourceType::Multimedia:
        entry.type = QStringLiteral("misc");
        Put(entry, "entrysubtype", QStringLiteral("multimedia"));
        Put(entry, "publisher", field(1));
        Put(entry, "howpublished", field(4));
        Put(entry, "location", field(6));
        Put(entry, "series", field(7));
        break;
    case SourceType::Lecture:
        entry.type = QStringLiteral("misc");
        Put(entry, "entrysubtype", QStringLiteral("speech"));
        Put(entry, "organization", field(1));
        Put(entry, "location", field(6));
        Put(entry, "eventtitle", field(7));
        Put(entry, "venue", field(8));
        break;
    default:
        entry.type = QStringLiteral("misc");
    }
    Put(entry, "date", DateOf(source));
    Put(entry, "doi", field(IdentifierField::Doi));
    Put(entry, "isbn", field(IdentifierField::Isbn));
    Put(entry, "issn", field(IdentifierField::Issn));
    if (!entry.Has(QStringLiteral("url")))
        Put(entry, "url", field(IdentifierField::Url));
}

bool IsInitial(const QString& word)
{
    return word.size() == 2 && word.at(0).isLetter() && word.at(1) == QLatin1Char('.');
}

bool IsBareInitial(const QString& word)
{
    return word.size() == 1 && word.at(0).isLetter();
}

} // namespace SourceMappingDetail

MappedSource SourceFromEntry(const BibEntry& entry)
{
    using namespace SourceMappingDetail;
    MappedSource mapped;
    if (!entry.problem.isEmpty()) {
        mapped.problem = entry.problem;
        return mapped;
    }
    SourceRecord& source = mapped.source;
    source.Type = TypeOf(entry);
    SetFields(source, entry);
    if (source.Fields.at(0).isEmpty()) {
        mapped.problem = QStringLiteral("it has no title");
        return mapped;
    }
    SetDate(source, F(entry, "date"));
    for (const BibName& name : entry.authors) {
        const AuthorRecord author = AuthorFromName(name);
        if (!author.FirstName.isEmpty() || !author.LastName.isEmpty())
            mapped.authors.append(author);
    }
    return mapped;
}

BibEntry EntryFromSource(const SourceRecord& source, const AuthorList& authors, const QString& key)
{
    using namespace SourceMappingDetail;
    BibEntry entry;
    entry.key = key;
    SetEntryFields(entry, source);
    for (const qint32 id : source.AuthorIds) {
        if (const AuthorRecord* author = FindAuthor(authors, id)) {
            const BibName name = NameFromAuthor(*author);
            if (!name.family.isEmpty())
                entry.authors.append(name);
        }
    }
    return entry;
}

AuthorRecord AuthorFromName(const BibName& name)
{
    using namespace SourceMappingDetail;
    AuthorRecord author;
    if (name.literal || name.family.isEmpty()) {
        author.FirstName = (name.family.isEmpty() ? name.given : name.family).trimmed();
        return author;
    }
    author.LastName = name.family.trimmed();
    // "J.R." is two initials.
    QString given = name.given;
    given.replace(QRegularExpression(QStringLiteral("\\.(?=\\p{L})")), QStringLiteral(". "));
    QStringList words = given.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return author;
    QString first = words.takeFirst();
    if (IsInitial(first))
        first.chop(1);
    author.FirstName = first;
    if (!words.isEmpty() && IsInitial(words.last()))
        words.last().chop(1);
    author.MiddleInitial = words.join(QLatin1Char(' '));
    return author;
}

BibName NameFromAuthor(const AuthorRecord& author)
{
    using namespace SourceMappingDetail;
    if (author.LastName.isEmpty()) {
        const QString whole = QString(author.FirstName + QLatin1Char(' ') + author.MiddleInitial).trimmed();
        return {whole, QString(), true};
    }
    QString given = author.FirstName;
    if (IsBareInitial(given))
        given += QLatin1Char('.');
    if (!author.MiddleInitial.isEmpty()) {
        given += QLatin1Char(' ') + author.MiddleInitial;
        if (IsBareInitial(author.MiddleInitial.section(QLatin1Char(' '), -1)))
            given += QLatin1Char('.');
    }
    return {author.LastName, given.trimmed(), false};
}

QList<BibName> NamesFromEditorsText(const QString& text)
{
    using namespace SourceMappingDetail;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    static const QRegularExpression separators(QStringLiteral("[,;&]"));
    if (trimmed.contains(separators))
        return {BibName {trimmed, QString(), true}};
    QList<BibName> names;
    static const QRegularExpression andWord(QStringLiteral("\\s+and\\s+"));
    for (const QString& part : trimmed.split(andWord, Qt::SkipEmptyParts)) {
        const qsizetype space = part.lastIndexOf(QLatin1Char(' '));
        names.append(space < 0 ? BibName {part, QString(), false}
                               : BibName {part.mid(space + 1), part.left(space).trimmed(), false});
    }
    return names;
}

QString EditorsText(const QList<BibName>& names)
{
    using namespace SourceMappingDetail;
    QStringList parts;
    for (const BibName& name : names)
        parts.append(name.literal ? name.family
                                  : QString(name.given + QLatin1Char(' ') + name.family).trimmed());
    return parts.join(QStringLiteral(" and "));
}
