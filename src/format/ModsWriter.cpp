#include "format/ModsWriter.h"

#include <QXmlStreamWriter>

// Helpers of this file, in its own namespace so that no other file sees them.
namespace ModsWriter {

// The item's own genre (marcgt) and its host's, by entry type and subtype.
struct Genres
{
    const char* own;
    const char* host;
};

Genres GenresOf(const BibEntry& entry)
{
    const QString type = entry.type;
    const QString subtype = entry.Field(QStringLiteral("entrysubtype"));
    if (type == QLatin1String("article")) {
        if (subtype == QLatin1String("newspaper"))
            return {"article", "newspaper"};
        if (subtype == QLatin1String("magazine"))
            return {"article", "magazine"};
        return {"article", "academic journal"};
    }
    if (type == QLatin1String("incollection") || type == QLatin1String("inbook"))
        return {"book chapter", "book"};
    if (type == QLatin1String("inproceedings"))
        return {"conference publication", "conference publication"};
    if (type == QLatin1String("proceedings"))
        return {"conference publication", ""};
    if (type == QLatin1String("thesis"))
        return {"thesis", ""};
    if (type == QLatin1String("online"))
        return {"web site", ""};
    if (type == QLatin1String("report"))
        return {"technical report", ""};
    if (subtype == QLatin1String("speech"))
        return {"speech", "event"};
    if (subtype == QLatin1String("multimedia"))
        return {"motion picture", ""};
    if (type == QLatin1String("book") || type == QLatin1String("collection"))
        return {"book", ""};
    return {"", ""};
}

QString HostTitle(const BibEntry& entry)
{
    if (entry.type == QLatin1String("article"))
        return entry.Field(QStringLiteral("journaltitle"));
    if (entry.Field(QStringLiteral("entrysubtype")) == QLatin1String("speech"))
        return entry.Field(QStringLiteral("eventtitle"));
    return entry.Field(QStringLiteral("booktitle"));
}

void Name(QXmlStreamWriter& xml, const BibName& name, const char* role)
{
    xml.writeStartElement(QStringLiteral("name"));
    xml.writeAttribute(QStringLiteral("type"),
                       name.literal ? QStringLiteral("corporate") : QStringLiteral("personal"));
    if (name.literal) {
        xml.writeTextElement(QStringLiteral("namePart"), name.family);
    } else {
        xml.writeStartElement(QStringLiteral("namePart"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("family"));
        xml.writeCharacters(name.family);
        xml.writeEndElement();
        if (!name.given.isEmpty()) {
            xml.writeStartElement(QStringLiteral("namePart"));
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("given"));
            xml.writeCharacters(name.given);
            xml.writeEndElement();
        }
    }
    xml.writeStartElement(QStringLiteral("role"));
    xml.writeStartElement(QStringLiteral("roleTerm"));
    xml.writeAttribute(QStringLiteral("authority"), QStringLiteral("marcrelator"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("text"));
    xml.writeCharacters(QString::fromLatin1(role));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();
}

void Genre(QXmlStreamWriter& xml, const QString& genre, bool marc)
{
    if (genre.isEmpty())
        return;
    xml.writeStartElement(QStringLiteral("genre"));
    if (marc)
        xml.writeAttribute(QStringLiteral("authority"), QStringLiteral("marcgt"));
    xml.writeCharacters(genre);
    xml.writeEndElement();
}

void Title(QXmlStreamWriter& xml, const QString& title)
{
    xml.writeStartElement(QStringLiteral("titleInfo"));
    xml.writeTextElement(QStringLiteral("title"), title);
    xml.writeEndElement();
}

void Series(QXmlStreamWriter& xml, const QString& series)
{
    if (series.isEmpty())
        return;
    xml.writeStartElement(QStringLiteral("relatedItem"));
    xml.writeAttribute(QStringLiteral("type"), QStringLiteral("series"));
    Title(xml, series);
    xml.writeEndElement();
}

void OriginInfo(QXmlStreamWriter& xml, const BibEntry& entry)
{
    const QString date = entry.Field(QStringLiteral("date"));
    const QString publisher = entry.Field(QStringLiteral("publisher"));
    const QString location = entry.Field(QStringLiteral("location"));
    const QString edition = entry.Field(QStringLiteral("edition"));
    if (date.isEmpty() && publisher.isEmpty() && location.isEmpty() && edition.isEmpty())
        return;
    xml.writeStartElement(QStringLiteral("originInfo"));
    if (!date.isEmpty())
        xml.writeTextElement(QStringLiteral("dateIssued"), date);
    if (!publisher.isEmpty())
        xml.writeTextElement(QStringLiteral("publisher"), publisher);
    if (!location.isEmpty()) {
        xml.writeStartElement(QStringLiteral("place"));
        xml.writeStartElement(QStringLiteral("placeTerm"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("text"));
        xml.writeCharacters(location);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    if (!edition.isEmpty())
        xml.writeTextElement(QStringLiteral("edition"), edition);
    xml.writeEndElement();
}

void Identifier(QXmlStreamWriter& xml, const char* type, const QString& value)
{
    if (value.isEmpty())
        return;
    xml.writeStartElement(QStringLiteral("identifier"));
    xml.writeAttribute(QStringLiteral("type"), QString::fromLatin1(type));
    xml.writeCharacters(value);
    xml.writeEndElement();
}

void Detail(QXmlStreamWriter& xml, const char* type, const QString& value)
{
    if (value.isEmpty())
        return;
    xml.writeStartElement(QStringLiteral("detail"));
    xml.writeAttribute(QStringLiteral("type"), QString::fromLatin1(type));
    xml.writeTextElement(QStringLiteral("number"), value);
    xml.writeEndElement();
}

void Part(QXmlStreamWriter& xml, const BibEntry& entry)
{
    const QString pages = entry.Field(QStringLiteral("pages"));
    const QStringList details {QStringLiteral("volume"), QStringLiteral("number"), QStringLiteral("section"),
                               QStringLiteral("chapter")};
    bool any = !pages.isEmpty();
    for (const QString& detail : details)
        any = any || entry.Has(detail);
    if (!any)
        return;
    xml.writeStartElement(QStringLiteral("part"));
    Detail(xml, "volume", entry.Field(QStringLiteral("volume")));
    Detail(xml, "issue", entry.Field(QStringLiteral("number")));
    Detail(xml, "section", entry.Field(QStringLiteral("section")));
    Detail(xml, "chapter", entry.Field(QStringLiteral("chapter")));
    if (!pages.isEmpty()) {
        xml.writeStartElement(QStringLiteral("extent"));
        xml.writeAttribute(QStringLiteral("unit"), QStringLiteral("page"));
        const QStringList range = pages.split(QLatin1Char('-'));
        if (range.size() == 2 && !range[0].isEmpty() && !range[1].isEmpty()) {
            xml.writeTextElement(QStringLiteral("start"), range[0]);
            xml.writeTextElement(QStringLiteral("end"), range[1]);
        } else {
            xml.writeTextElement(QStringLiteral("start"), pages);
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void WriteEntry(QXmlStreamWriter& xml, const BibEntry& entry)
{
    const Genres genres = GenresOf(entry);
    xml.writeStartElement(QStringLiteral("mods"));
    if (!entry.key.isEmpty())
        xml.writeAttribute(QStringLiteral("ID"), entry.key);
    Title(xml, entry.Field(QStringLiteral("title")));
    for (const BibName& name : entry.authors)
        Name(xml, name, "author");
    for (const BibName& name : entry.editors)
        Name(xml, name, "editor");
    if (entry.Has(QStringLiteral("organization")))
        Name(xml, {entry.Field(QStringLiteral("organization")), QString(), true}, "organizer");
    if (entry.Has(QStringLiteral("institution")))
        Name(xml, {entry.Field(QStringLiteral("institution")), QString(), true}, "degree grantor");
    OriginInfo(xml, entry);
    xml.writeTextElement(QStringLiteral("typeOfResource"), QStringLiteral("text"));
    Genre(xml, QString::fromLatin1(genres.own), true);
    Genre(xml,
          entry.Field(entry.type == QLatin1String("thesis") ? QStringLiteral("type")
                                                            : QStringLiteral("howpublished")),
          false);
    const QString host = HostTitle(entry);
    if (*genres.host || !host.isEmpty()) {
        xml.writeStartElement(QStringLiteral("relatedItem"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("host"));
        Title(xml, host);
        Genre(xml, QString::fromLatin1(genres.host), true);
        Series(xml, entry.Field(QStringLiteral("series")));
        xml.writeEndElement();
    } else {
        Series(xml, entry.Field(QStringLiteral("series")));
    }
    Identifier(xml, "citekey", entry.key);
    Identifier(xml, "doi", entry.Field(QStringLiteral("doi")));
    Identifier(xml, "isbn", entry.Field(QStringLiteral("isbn")));
    Identifier(xml, "issn", entry.Field(QStringLiteral("issn")));
    const QString url = entry.Field(QStringLiteral("url"));
    const QString venue = entry.Field(QStringLiteral("venue"));
    if (!url.isEmpty() || !venue.isEmpty()) {
        xml.writeStartElement(QStringLiteral("location"));
        if (!url.isEmpty())
            xml.writeTextElement(QStringLiteral("url"), url);
        if (!venue.isEmpty())
            xml.writeTextElement(QStringLiteral("physicalLocation"), venue);
        xml.writeEndElement();
    }
    if (entry.Has(QStringLiteral("urldate")))
        xml.writeTextElement(QStringLiteral("note"),
                             QStringLiteral("Accessed: ") + entry.Field(QStringLiteral("urldate")));
    Part(xml, entry);
    xml.writeEndElement();
}

QByteArray Write(const BibEntries& entries)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("modsCollection"));
    xml.writeDefaultNamespace(QStringLiteral("http://www.loc.gov/mods/v3"));
    for (const BibEntry& entry : entries)
        WriteEntry(xml, entry);
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace ModsWriter
