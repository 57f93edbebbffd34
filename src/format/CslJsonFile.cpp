#include "format/CslJsonFile.h"

#include "format/TaggedRecords.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

// Helpers of this file, in its own namespace so that no other file sees them.
namespace CslJsonFile {

struct TypePair
{
    const char* csl;
    const char* type;
    const char* subtype;
};

const TypePair kTypes[] = {
    {"article-journal", "article", ""},
    {"article-magazine", "article", "magazine"},
    {"article-newspaper", "article", "newspaper"},
    {"book", "book", ""},
    {"chapter", "incollection", ""},
    {"paper-conference", "inproceedings", ""},
    {"report", "report", ""},
    {"thesis", "thesis", ""},
    {"webpage", "online", ""},
    {"motion_picture", "misc", "multimedia"},
    {"speech", "misc", "speech"},
    {"manuscript", "unpublished", ""},
    {"document", "misc", ""},
    {"article", "article", ""},
    {"post-weblog", "online", ""},
    {"post", "online", ""},
    {"song", "misc", "multimedia"},
    {"broadcast", "misc", "multimedia"},
    {"graphic", "misc", "multimedia"},
    {"software", "misc", "multimedia"},
    {"dataset", "misc", "multimedia"},
    {"entry-encyclopedia", "incollection", ""},
    {"entry-dictionary", "incollection", ""},
    {"collection", "book", ""},
};

// Plain variables that map one to one.
const char* const kPlain[][2] = {
    {"title", "title"},
    {"collection-title", "series"},
    {"publisher", "publisher"},
    {"volume", "volume"},
    {"issue", "number"},
    {"page", "pages"},
    {"edition", "edition"},
    {"section", "section"},
    {"URL", "url"},
    {"DOI", "doi"},
    {"ISBN", "isbn"},
    {"ISSN", "issn"},
    {"medium", "howpublished"},
    {"chapter-number", "chapter"},
    {"note", "note"},
};

QString ContainerField(const BibEntry& entry)
{
    if (entry.type == QLatin1String("article"))
        return QStringLiteral("journaltitle");
    return QStringLiteral("booktitle");
}

QString Text(const QJsonValue& value)
{
    if (value.isDouble())
        return QString::number(value.toDouble());
    return value.toString().trimmed();
}

BibName ToName(const QJsonObject& object)
{
    if (object.contains(QLatin1String("literal")))
        return {Text(object.value(QLatin1String("literal"))), QString(), true};
    QStringList family;
    for (const char* part : {"dropping-particle", "non-dropping-particle", "family", "suffix"}) {
        const QString text = Text(object.value(QLatin1String(part)));
        if (!text.isEmpty())
            family.append(text);
    }
    return {family.join(QLatin1Char(' ')), Text(object.value(QLatin1String("given"))), false};
}

QList<BibName> ToNames(const QJsonValue& value)
{
    QList<BibName> names;
    for (const QJsonValue& item : value.toArray()) {
        const BibName name = ToName(item.toObject());
        if (!name.family.isEmpty() || !name.given.isEmpty())
            names.append(name);
    }
    return names;
}

// {"date-parts": [[2007, 3, 5]]}, {"raw": "2007-03-05"}, or the newer "2007-03-05".
QString DateText(const QJsonValue& value, bool keepRaw)
{
    if (value.isString())
        return keepRaw ? value.toString() : DateFromSlashes(value.toString());
    const QJsonObject object = value.toObject();
    const QJsonArray parts = object.value(QLatin1String("date-parts")).toArray().at(0).toArray();
    if (!parts.isEmpty()) {
        QStringList numbers;
        for (const QJsonValue& part : parts)
            numbers.append(QString::number(part.isString() ? part.toString().toInt() : part.toInt()));
        return DateFromSlashes(numbers.join(QLatin1Char('-')));
    }
    for (const char* key : {"raw", "literal"}) {
        const QString raw = object.value(QLatin1String(key)).toString();
        if (!raw.isEmpty())
            return keepRaw ? raw : DateFromSlashes(raw);
    }
    return {};
}

BibEntry ToEntry(const QJsonObject& item)
{
    BibEntry entry;
    const QString cslType = item.value(QLatin1String("type")).toString();
    entry.type = QStringLiteral("misc");
    for (const TypePair& pair : kTypes) {
        if (cslType == QLatin1String(pair.csl)) {
            entry.type = QString::fromLatin1(pair.type);
            entry.Set(QStringLiteral("entrysubtype"), QString::fromLatin1(pair.subtype));
            break;
        }
    }
    const bool speech = entry.Field(QStringLiteral("entrysubtype")) == QLatin1String("speech");
    entry.key = Text(item.value(QLatin1String("id")));
    entry.authors = ToNames(item.value(QLatin1String("author")));
    entry.editors = ToNames(item.value(QLatin1String("editor")));
    for (const auto& pair : kPlain)
        entry.Set(QString::fromLatin1(pair[1]), Text(item.value(QLatin1String(pair[0]))));
    entry.Set(ContainerField(entry), Text(item.value(QLatin1String("container-title"))));
    entry.Set(QStringLiteral("eventtitle"),
              Text(item.value(QLatin1String("event-title"))).isEmpty()
                  ? Text(item.value(QLatin1String("event")))
                  : Text(item.value(QLatin1String("event-title"))));
    const QString publisherPlace = Text(item.value(QLatin1String("publisher-place")));
    const QString eventPlace = Text(item.value(QLatin1String("event-place")));
    if (speech) {
        entry.Set(QStringLiteral("location"), publisherPlace);
        entry.Set(QStringLiteral("venue"), eventPlace);
    } else {
        entry.Set(QStringLiteral("location"), publisherPlace.isEmpty() ? eventPlace : publisherPlace);
    }
    const QString genre = Text(item.value(QLatin1String("genre")));
    if (entry.type == QLatin1String("thesis"))
        entry.Set(QStringLiteral("type"), genre);
    if (entry.type == QLatin1String("thesis") || entry.type == QLatin1String("report"))
        entry.Set(QStringLiteral("institution"), Text(item.value(QLatin1String("authority"))));
    entry.Set(QStringLiteral("organization"), Text(item.value(QLatin1String("authority"))));
    entry.Set(QStringLiteral("date"), DateText(item.value(QLatin1String("issued")), false));
    entry.Set(QStringLiteral("urldate"), DateText(item.value(QLatin1String("accessed")), true));
    return entry;
}

int LineOfOffset(const QByteArray& bytes, int offset)
{
    return int(bytes.left(offset).count('\n')) + 1;
}

QString CslType(const BibEntry& entry)
{
    const QString subtype = entry.Field(QStringLiteral("entrysubtype"));
    for (const TypePair& pair : kTypes) {
        if (entry.type == QLatin1String(pair.type) && subtype == QLatin1String(pair.subtype))
            return QString::fromLatin1(pair.csl);
    }
    for (const TypePair& pair : kTypes) {
        if (entry.type == QLatin1String(pair.type))
            return QString::fromLatin1(pair.csl);
    }
    return QStringLiteral("document");
}

QJsonArray NamesJson(const QList<BibName>& names)
{
    QJsonArray array;
    for (const BibName& name : names) {
        if (name.literal)
            array.append(QJsonObject {{QStringLiteral("literal"), name.family}});
        else if (name.given.isEmpty())
            array.append(QJsonObject {{QStringLiteral("family"), name.family}});
        else
            array.append(
                QJsonObject {{QStringLiteral("family"), name.family}, {QStringLiteral("given"), name.given}});
    }
    return array;
}

// "2007-03-05" -> {"date-parts": [[2007, 3, 5]]}; any other text -> {"raw": text}.
QJsonObject DateJson(const QString& text)
{
    if (DateFromSlashes(text) == text) {
        QJsonArray parts;
        for (const QString& part : text.split(QLatin1Char('-')))
            parts.append(part.toInt());
        return {{QStringLiteral("date-parts"), QJsonArray {parts}}};
    }
    return {{QStringLiteral("raw"), text}};
}

QJsonObject ToItem(const BibEntry& entry)
{
    const bool speech = entry.Field(QStringLiteral("entrysubtype")) == QLatin1String("speech");
    QJsonObject item {{QStringLiteral("id"), entry.key}, {QStringLiteral("type"), CslType(entry)}};
    auto put = [&item](const char* name, const QString& value) {
        if (!value.isEmpty())
            item.insert(QString::fromLatin1(name), value);
    };
    if (!entry.authors.isEmpty())
        item.insert(QStringLiteral("author"), NamesJson(entry.authors));
    if (!entry.editors.isEmpty())
        item.insert(QStringLiteral("editor"), NamesJson(entry.editors));
    for (const auto& pair : kPlain)
        put(pair[0], entry.Field(QString::fromLatin1(pair[1])));
    put("container-title", entry.Field(ContainerField(entry)));
    put("event-title", entry.Field(QStringLiteral("eventtitle")));
    put("publisher-place", entry.Field(QStringLiteral("location")));
    if (speech)
        put("event-place", entry.Field(QStringLiteral("venue")));
    if (entry.type == QLatin1String("thesis"))
        put("genre", entry.Field(QStringLiteral("type")));
    put("authority",
        entry.Field(entry.type == QLatin1String("thesis") ? QStringLiteral("institution")
                                                          : QStringLiteral("organization")));
    if (entry.Has(QStringLiteral("date")))
        item.insert(QStringLiteral("issued"), DateJson(entry.Field(QStringLiteral("date"))));
    if (entry.Has(QStringLiteral("urldate")))
        item.insert(QStringLiteral("accessed"), DateJson(entry.Field(QStringLiteral("urldate"))));
    return item;
}

BibReadResult Read(const QByteArray& bytes, const QString& fileName)
{
    BibReadResult result;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError) {
        result.error = QStringLiteral("\"%1\" is not a CSL-JSON file: line %2: %3.")
                           .arg(fileName)
                           .arg(LineOfOffset(bytes, error.offset))
                           .arg(error.errorString());
        return result;
    }
    QJsonArray items = document.array();
    if (document.isObject())
        items = document.object().contains(QLatin1String("items"))
            ? document.object().value(QLatin1String("items")).toArray()
            : QJsonArray {document.object()};
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QJsonValue value = items.at(i);
        if (!value.isObject()) {
            BibEntry damaged;
            damaged.problem = QStringLiteral("item %1 is not an object").arg(i + 1);
            result.entries.append(damaged);
            continue;
        }
        result.entries.append(ToEntry(value.toObject()));
    }
    if (!items.isEmpty() && result.entries.size() == items.size()
        && std::all_of(result.entries.cbegin(), result.entries.cend(),
                       [](const BibEntry& e) { return !e.problem.isEmpty(); }))
        result.error
            = QStringLiteral("\"%1\" is not a CSL-JSON file: its items are not objects.").arg(fileName);
    return result;
}

QByteArray Write(const BibEntries& entries)
{
    QJsonArray items;
    for (const BibEntry& entry : entries)
        items.append(ToItem(entry));
    return QJsonDocument(items).toJson(QJsonDocument::Indented);
}

} // namespace CslJsonFile
