#include "format/EndNoteFile.h"

#include "format/TaggedRecords.h"

#include <QDate>
#include <QLocale>

// Helpers of this file, in its own namespace so that no other file sees them.
namespace EndNoteFile {

struct TypePair
{
    const char* endNote;
    const char* type;
    const char* subtype;
};

const TypePair kTypes[] = {
    {"Journal Article", "article", ""},
    {"Magazine Article", "article", "magazine"},
    {"Newspaper Article", "article", "newspaper"},
    {"Book", "book", ""},
    {"Book Section", "incollection", ""},
    {"Conference Paper", "inproceedings", ""},
    {"Conference Proceedings", "proceedings", ""},
    {"Report", "report", ""},
    {"Thesis", "thesis", ""},
    {"Web Page", "online", ""},
    {"Audiovisual Material", "misc", "multimedia"},
    {"Generic", "misc", ""},
    {"Unpublished Work", "unpublished", ""},
    {"Edited Book", "book", ""},
    {"Electronic Book", "book", ""},
    {"Electronic Article", "online", ""},
    {"Electronic Source", "online", ""},
    {"Film or Broadcast", "misc", "multimedia"},
    {"Music", "misc", "multimedia"},
    {"Computer Program", "misc", "multimedia"},
    {"Artwork", "misc", "multimedia"},
    {"Dataset", "misc", "multimedia"},
    {"Manuscript", "unpublished", ""},
};

bool IsSpeechWork(const QString& work)
{
    static const QStringList words {QStringLiteral("speech"), QStringLiteral("lecture"),
                                    QStringLiteral("talk"), QStringLiteral("presentation")};
    return words.contains(work.trimmed().toLower());
}

// "%8" as people type it: "2007-03-05", "March 5", "5 March 2007", "3/5/2007".
QString FullDate(const QString& year, const QString& text)
{
    const QString iso = DateFromSlashes(text);
    if (!iso.isEmpty())
        return iso;
    const QLocale english(QLocale::English);
    for (const QString& format :
         {QStringLiteral("M/d/yyyy"), QStringLiteral("MMMM d yyyy"), QStringLiteral("d MMMM yyyy"),
          QStringLiteral("MMM d yyyy"), QStringLiteral("d MMM yyyy")}) {
        QString withYear = text.trimmed();
        withYear.remove(QLatin1Char(','));
        if (!format.contains(QLatin1String("M/")) && !withYear.contains(year))
            withYear += QLatin1Char(' ') + year;
        const QDate date = english.toDate(withYear, format);
        if (date.isValid())
            return date.toString(Qt::ISODate);
    }
    for (const QString& format : {QStringLiteral("MMMM"), QStringLiteral("MMM")}) {
        const QDate month = english.toDate(text.trimmed(), format);
        if (month.isValid() && year.size() == 4)
            return QStringLiteral("%1-%2").arg(year).arg(month.month(), 2, 10, QLatin1Char('0'));
    }
    return DateFromSlashes(year);
}

BibEntry ToEntry(const TaggedRecord& record)
{
    BibEntry entry;
    entry.line = record.line;
    entry.problem = record.problem;
    const QString typeName = record.First(QStringLiteral("0"));
    entry.type = QStringLiteral("misc");
    for (const TypePair& pair : kTypes) {
        if (typeName.compare(QLatin1String(pair.endNote), Qt::CaseInsensitive) == 0) {
            entry.type = QString::fromLatin1(pair.type);
            entry.Set(QStringLiteral("entrysubtype"), QString::fromLatin1(pair.subtype));
            break;
        }
    }
    const QString work = record.First(QStringLiteral("9"));
    const bool speech = entry.type == QLatin1String("misc") && !entry.Has(QStringLiteral("entrysubtype"))
        && IsSpeechWork(work);
    if (speech)
        entry.Set(QStringLiteral("entrysubtype"), QStringLiteral("speech"));
    const bool thesis = entry.type == QLatin1String("thesis");
    const bool article = entry.type == QLatin1String("article");
    entry.key = record.First(QStringLiteral("F"));
    for (const QString& name : record.All(QStringLiteral("A")))
        entry.authors.append(ParseCommaName(name, false, true));
    for (const QString& name : record.All(QStringLiteral("E")))
        entry.editors.append(ParseCommaName(name, false, true));
    const QString secondary = record.First(QStringLiteral("J")).isEmpty() ? record.First(QStringLiteral("B"))
                                                                          : record.First(QStringLiteral("J"));
    entry.Set(QStringLiteral("title"), record.First(QStringLiteral("T")));
    entry.Set(article ? QStringLiteral("journaltitle")
                      : (speech ? QStringLiteral("eventtitle") : QStringLiteral("booktitle")),
              secondary);
    entry.Set(QStringLiteral("series"), record.First(QStringLiteral("S")));
    entry.Set(QStringLiteral("volume"), record.First(QStringLiteral("V")));
    entry.Set(QStringLiteral("number"), record.First(QStringLiteral("N")));
    entry.Set(QStringLiteral("pages"), record.First(QStringLiteral("P")));
    entry.Set(thesis ? QStringLiteral("institution") : QStringLiteral("publisher"),
              record.First(QStringLiteral("I")));
    if (thesis)
        entry.Set(QStringLiteral("publisher"), record.First(QStringLiteral("1")));
    entry.Set(QStringLiteral("venue"), record.First(QStringLiteral("2")));
    entry.Set(QStringLiteral("location"), record.First(QStringLiteral("C")));
    entry.Set(QStringLiteral("edition"), record.First(QStringLiteral("7")));
    entry.Set(QStringLiteral("section"), record.First(QStringLiteral("&")));
    if (!speech)
        entry.Set(thesis ? QStringLiteral("type") : QStringLiteral("howpublished"), work);
    entry.Set(QStringLiteral("url"), record.First(QStringLiteral("U")));
    entry.Set(QStringLiteral("urldate"), record.First(QStringLiteral("[")));
    entry.Set(QStringLiteral("doi"), record.First(QStringLiteral("R")));
    for (const QString& number : record.All(QStringLiteral("@"))) {
        QString digits = number;
        digits.remove(QRegularExpression(QStringLiteral("[^0-9Xx]")));
        entry.Set(digits.size() == 8 ? QStringLiteral("issn") : QStringLiteral("isbn"), number);
    }
    entry.Set(QStringLiteral("note"), record.First(QStringLiteral("Z")));
    const QString year = record.First(QStringLiteral("D"));
    const QString date = record.First(QStringLiteral("8"));
    entry.Set(QStringLiteral("date"), date.isEmpty() ? DateFromSlashes(year) : FullDate(year, date));
    return entry;
}

QString TypeName(const BibEntry& entry)
{
    const QString subtype = entry.Field(QStringLiteral("entrysubtype"));
    if (entry.type == QLatin1String("misc") && subtype == QLatin1String("speech"))
        return QStringLiteral("Generic");
    for (const TypePair& pair : kTypes) {
        if (entry.type == QLatin1String(pair.type) && subtype == QLatin1String(pair.subtype))
            return QString::fromLatin1(pair.endNote);
    }
    for (const TypePair& pair : kTypes) {
        if (entry.type == QLatin1String(pair.type))
            return QString::fromLatin1(pair.endNote);
    }
    return QStringLiteral("Generic");
}

void Line(QString& text, const char* tag, const QString& value)
{
    if (value.isEmpty())
        return;
    QString flat = value;
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text += QLatin1Char('%') + QString::fromUtf8(tag) + QLatin1Char(' ') + flat + QLatin1Char('\n');
}

QString NameText(const BibName& name)
{
    if (name.literal)
        return name.family + QLatin1Char(',');
    if (name.given.isEmpty())
        return name.family;
    return name.family + QStringLiteral(", ") + name.given;
}

void WriteEntry(QString& text, const BibEntry& entry)
{
    const bool thesis = entry.type == QLatin1String("thesis");
    const bool speech = entry.Field(QStringLiteral("entrysubtype")) == QLatin1String("speech");
    Line(text, "0", TypeName(entry));
    Line(text, "T", entry.Field(QStringLiteral("title")));
    for (const BibName& name : entry.authors)
        Line(text, "A", NameText(name));
    for (const BibName& name : entry.editors)
        Line(text, "E", NameText(name));
    if (entry.type == QLatin1String("article"))
        Line(text, "J", entry.Field(QStringLiteral("journaltitle")));
    else
        Line(text, "B", entry.Field(speech ? QStringLiteral("eventtitle") : QStringLiteral("booktitle")));
    Line(text, "S", entry.Field(QStringLiteral("series")));
    const QString date = entry.Field(QStringLiteral("date"));
    Line(text, "D", date.left(4));
    if (date.size() > 4)
        Line(text, "8", date);
    Line(text, "V", entry.Field(QStringLiteral("volume")));
    Line(text, "N", entry.Field(QStringLiteral("number")));
    Line(text, "P", entry.Field(QStringLiteral("pages")));
    Line(text, "I", entry.Field(thesis ? QStringLiteral("institution") : QStringLiteral("publisher")));
    if (!thesis && !entry.Has(QStringLiteral("publisher")))
        Line(text, "I", entry.Field(QStringLiteral("organization")));
    if (thesis)
        Line(text, "1", entry.Field(QStringLiteral("publisher")));
    Line(text, "2", entry.Field(QStringLiteral("venue")));
    Line(text, "C", entry.Field(QStringLiteral("location")));
    Line(text, "7", entry.Field(QStringLiteral("edition")));
    Line(text, "&", entry.Field(QStringLiteral("section")));
    Line(text, "9",
         speech ? QStringLiteral("Speech")
                : entry.Field(thesis ? QStringLiteral("type") : QStringLiteral("howpublished")));
    Line(text, "U", entry.Field(QStringLiteral("url")));
    Line(text, "[", entry.Field(QStringLiteral("urldate")));
    Line(text, "R", entry.Field(QStringLiteral("doi")));
    Line(text, "@", entry.Field(QStringLiteral("isbn")));
    Line(text, "@", entry.Field(QStringLiteral("issn")));
    Line(text, "Z", entry.Field(QStringLiteral("note")));
    Line(text, "F", entry.key);
    text += QLatin1Char('\n');
}

BibReadResult Read(const QString& text, const QString& fileName)
{
    const TaggedSyntax syntax {QRegularExpression(QStringLiteral("^%(\\S)(?: (.*)|\\s*)$")),
                               QStringLiteral("0"), QString(), QStringLiteral("EndNote"),
                               QStringLiteral("%0 Book")};
    const TaggedReadResult tagged = ReadTaggedRecords(text, syntax, fileName);
    BibReadResult result;
    result.error = tagged.error;
    for (const TaggedRecord& record : tagged.records)
        result.entries.append(ToEntry(record));
    return result;
}

QString Write(const BibEntries& entries)
{
    QString text;
    for (const BibEntry& entry : entries)
        WriteEntry(text, entry);
    return text;
}

} // namespace EndNoteFile
