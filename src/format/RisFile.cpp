#include "format/RisFile.h"

#include "format/TaggedRecords.h"

// Helpers of this file, in its own namespace so that no other file sees them.
namespace RisFile {

struct TypePair
{
    const char* ris;
    const char* type;
    const char* subtype;
};

// Read: the first row with the RIS type wins. Written: the first row with the entry's
// type and subtype.
const TypePair kTypes[] = {
    {"JOUR", "article", ""},
    {"MGZN", "article", "magazine"},
    {"NEWS", "article", "newspaper"},
    {"BOOK", "book", ""},
    {"CHAP", "incollection", ""},
    {"CPAPER", "inproceedings", ""},
    {"CONF", "proceedings", ""},
    {"RPRT", "report", ""},
    {"THES", "thesis", ""},
    {"ELEC", "online", ""},
    {"MULTI", "misc", "multimedia"},
    {"SLIDE", "misc", "speech"},
    {"GEN", "misc", ""},
    {"JFULL", "article", ""},
    {"EJOUR", "article", ""},
    {"ABST", "article", ""},
    {"INPR", "article", ""},
    {"EBOOK", "book", ""},
    {"EDBOOK", "book", ""},
    {"SER", "book", ""},
    {"PAMP", "booklet", ""},
    {"ECHAP", "incollection", ""},
    {"GOVDOC", "report", ""},
    {"STAND", "report", ""},
    {"BLOG", "online", ""},
    {"WEB", "online", ""},
    {"ICOMM", "online", ""},
    {"VIDEO", "misc", "multimedia"},
    {"MPCT", "misc", "multimedia"},
    {"SOUND", "misc", "multimedia"},
    {"MUSIC", "misc", "multimedia"},
    {"ART", "misc", "multimedia"},
    {"COMP", "misc", "multimedia"},
    {"DATA", "misc", "multimedia"},
    {"HEAR", "misc", "speech"},
    {"UNPB", "unpublished", ""},
    {"INCOL", "incollection", ""},
    {"MANSCPT", "unpublished", ""},
};

const TypePair* FindRis(const QString& ris)
{
    for (const TypePair& pair : kTypes) {
        if (ris == QLatin1String(pair.ris))
            return &pair;
    }
    return nullptr;
}

QString RisType(const BibEntry& entry)
{
    const QString subtype = entry.Field(QStringLiteral("entrysubtype"));
    for (const TypePair& pair : kTypes) {
        if (entry.type == QLatin1String(pair.type) && subtype == QLatin1String(pair.subtype))
            return QString::fromLatin1(pair.ris);
    }
    for (const TypePair& pair : kTypes) {
        if (entry.type == QLatin1String(pair.type))
            return QString::fromLatin1(pair.ris);
    }
    return QStringLiteral("GEN");
}

// T2 is the container: the journal of an article, the book of a chapter, the event of
// a talk.
QString SecondaryTitleField(const BibEntry& entry)
{
    if (entry.type == QLatin1String("article"))
        return QStringLiteral("journaltitle");
    if (entry.Field(QStringLiteral("entrysubtype")) == QLatin1String("speech"))
        return QStringLiteral("eventtitle");
    return QStringLiteral("booktitle");
}

// A book number (10 or 13 digits, X for the check digit) or a serial's (8).
bool LooksLikeIsbn(const QString& number)
{
    QString digits = number;
    digits.remove(QRegularExpression(QStringLiteral("[^0-9Xx]")));
    return digits.size() == 10 || digits.size() == 13;
}

BibEntry ToEntry(const TaggedRecord& record)
{
    BibEntry entry;
    entry.line = record.line;
    entry.problem = record.problem;
    const TypePair* type = FindRis(record.First(QStringLiteral("TY")).toUpper());
    entry.type = QString::fromLatin1(type ? type->type : "misc");
    entry.Set(QStringLiteral("entrysubtype"), QString::fromLatin1(type ? type->subtype : ""));
    entry.key = record.First(QStringLiteral("ID"));
    const bool thesis = entry.type == QLatin1String("thesis");
    for (const TaggedLine& line : record.lines) {
        const QString& tag = line.tag;
        const QString& value = line.value;
        if (value.isEmpty())
            continue;
        if (tag == QLatin1String("AU") || tag == QLatin1String("A1"))
            entry.authors.append(ParseCommaName(value, true, false));
        else if (tag == QLatin1String("A2") || tag == QLatin1String("ED"))
            entry.editors.append(ParseCommaName(value, true, false));
        else if (tag == QLatin1String("TI") || tag == QLatin1String("T1"))
            entry.Set(QStringLiteral("title"),
                      entry.Field(QStringLiteral("title")).isEmpty() ? value
                                                                     : entry.Field(QStringLiteral("title")));
        else if (tag == QLatin1String("T2") || tag == QLatin1String("JO") || tag == QLatin1String("JF")
                 || tag == QLatin1String("BT") || tag == QLatin1String("JA") || tag == QLatin1String("J2")) {
            const QString field = SecondaryTitleField(entry);
            if (!entry.Has(field))
                entry.Set(field, value);
        } else if (tag == QLatin1String("T3"))
            entry.Set(QStringLiteral("series"), value);
        else if (tag == QLatin1String("VL"))
            entry.Set(QStringLiteral("volume"), value);
        else if (tag == QLatin1String("IS"))
            entry.Set(QStringLiteral("number"), value);
        else if (tag == QLatin1String("PB"))
            entry.Set(thesis ? QStringLiteral("institution") : QStringLiteral("publisher"), value);
        else if (tag == QLatin1String("C3") && thesis)
            entry.Set(QStringLiteral("publisher"), value);
        else if (tag == QLatin1String("CY") || tag == QLatin1String("PP"))
            entry.Set(QStringLiteral("location"), value);
        else if (tag == QLatin1String("C1"))
            entry.Set(QStringLiteral("venue"), value);
        else if (tag == QLatin1String("ET"))
            entry.Set(QStringLiteral("edition"), value);
        else if (tag == QLatin1String("SE"))
            entry.Set(QStringLiteral("section"), value);
        else if ((tag == QLatin1String("UR") || tag == QLatin1String("L2"))
                 && !entry.Has(QStringLiteral("url")))
            entry.Set(QStringLiteral("url"), value);
        else if (tag == QLatin1String("Y2"))
            entry.Set(QStringLiteral("urldate"), value);
        else if (tag == QLatin1String("DO"))
            entry.Set(QStringLiteral("doi"), value);
        else if (tag == QLatin1String("SN"))
            entry.Set(LooksLikeIsbn(value) ? QStringLiteral("isbn") : QStringLiteral("issn"), value);
        else if (tag == QLatin1String("M3"))
            entry.Set(thesis ? QStringLiteral("type") : QStringLiteral("howpublished"), value);
        else if (tag == QLatin1String("N1"))
            entry.Set(QStringLiteral("note"), value);
    }
    const QString start = record.First(QStringLiteral("SP"));
    const QString end = record.First(QStringLiteral("EP"));
    entry.Set(QStringLiteral("pages"), end.isEmpty() ? start : start + QLatin1Char('-') + end);
    QString date = DateFromSlashes(record.First(QStringLiteral("DA")));
    const QString year
        = DateFromSlashes(record.First(QStringLiteral("PY")).isEmpty() ? record.First(QStringLiteral("Y1"))
                                                                       : record.First(QStringLiteral("PY")));
    if (date.size() < year.size() || date.isEmpty())
        date = year;
    entry.Set(QStringLiteral("date"), date);
    return entry;
}

QString NameText(const BibName& name)
{
    if (name.literal)
        return name.family;
    if (name.given.isEmpty())
        return name.family + QLatin1Char(',');
    return name.family + QStringLiteral(", ") + name.given;
}

void Line(QString& text, const char* tag, const QString& value)
{
    if (value.isEmpty())
        return;
    QString flat = value;
    flat.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text += QString::fromLatin1(tag) + QStringLiteral("  - ") + flat + QStringLiteral("\r\n");
}

void WriteEntry(QString& text, const BibEntry& entry)
{
    const QString type = RisType(entry);
    const bool thesis = entry.type == QLatin1String("thesis");
    text += QStringLiteral("TY  - ") + type + QStringLiteral("\r\n");
    for (const BibName& name : entry.authors)
        Line(text, "AU", NameText(name));
    for (const BibName& name : entry.editors)
        Line(text, "A2", NameText(name));
    Line(text, "TI", entry.Field(QStringLiteral("title")));
    Line(text, "T2", entry.Field(SecondaryTitleField(entry)));
    Line(text, "T3", entry.Field(QStringLiteral("series")));
    const QString date = entry.Field(QStringLiteral("date"));
    Line(text, "PY", date.left(4));
    if (date.size() > 4)
        Line(text, "DA", QString(date).replace(QLatin1Char('-'), QLatin1Char('/')));
    Line(text, "VL", entry.Field(QStringLiteral("volume")));
    Line(text, "IS", entry.Field(QStringLiteral("number")));
    const QString pages = entry.Field(QStringLiteral("pages"));
    const QStringList range = pages.split(QLatin1Char('-'));
    if (range.size() == 2 && !range[0].isEmpty() && !range[1].isEmpty()) {
        Line(text, "SP", range[0]);
        Line(text, "EP", range[1]);
    } else {
        Line(text, "SP", pages);
    }
    Line(text, "PB", entry.Field(thesis ? QStringLiteral("institution") : QStringLiteral("publisher")));
    if (!thesis && !entry.Has(QStringLiteral("publisher")))
        Line(text, "PB", entry.Field(QStringLiteral("organization")));
    if (thesis)
        Line(text, "C3", entry.Field(QStringLiteral("publisher")));
    Line(text, "CY", entry.Field(QStringLiteral("location")));
    Line(text, "C1", entry.Field(QStringLiteral("venue")));
    Line(text, "ET", entry.Field(QStringLiteral("edition")));
    Line(text, "SE", entry.Field(QStringLiteral("section")));
    Line(text, "M3", entry.Field(thesis ? QStringLiteral("type") : QStringLiteral("howpublished")));
    Line(text, "UR", entry.Field(QStringLiteral("url")));
    Line(text, "Y2", entry.Field(QStringLiteral("urldate")));
    Line(text, "DO", entry.Field(QStringLiteral("doi")));
    Line(text, "SN", entry.Field(QStringLiteral("isbn")));
    Line(text, "SN", entry.Field(QStringLiteral("issn")));
    Line(text, "N1", entry.Field(QStringLiteral("note")));
    Line(text, "ID", entry.key);
    text += QStringLiteral("ER  - \r\n\r\n");
}

BibReadResult Read(const QString& text, const QString& fileName)
{
    const TaggedSyntax syntax {QRegularExpression(QStringLiteral("^([A-Z][A-Z0-9])\\s{1,2}-(?: (.*)|\\s*)$")),
                               QStringLiteral("TY"), QStringLiteral("ER"), QStringLiteral("RIS"),
                               QStringLiteral("TY  - JOUR")};
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

} // namespace RisFile
