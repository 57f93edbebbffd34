#include "format/BibTexWriter.h"

#include "format/BibTexNames.h"
#include "format/LatexText.h"

#include <QRegularExpression>

// Helpers of this file, in its own namespace so that no other file sees them.
namespace BibTexWriter {

const char* const kMonthMacros[]
    = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};

QString EntryType(const BibEntry& entry, BibTexWriter::Dialect dialect)
{
    if (dialect == BibTexWriter::Dialect::BibLaTeX)
        return entry.type;
    if (entry.type == QLatin1String("thesis")) {
        const QString degree = entry.Field(QStringLiteral("type"));
        if (degree.isEmpty())
            return entry.type;
        return degree.contains(QLatin1String("master"), Qt::CaseInsensitive) ? QStringLiteral("mastersthesis")
                                                                             : QStringLiteral("phdthesis");
    }
    if (entry.type == QLatin1String("online"))
        return QStringLiteral("misc");
    return entry.type;
}

QString BibTexFieldName(const BibEntry& entry, const QString& name)
{
    if (name == QLatin1String("journaltitle"))
        return QStringLiteral("journal");
    if (name == QLatin1String("location"))
        return QStringLiteral("address");
    if (name == QLatin1String("institution") && entry.type == QLatin1String("thesis"))
        return QStringLiteral("school");
    return name;
}

QString Braced(const QString& value)
{
    return QLatin1Char('{') + value + QLatin1Char('}');
}

QString VerbatimValue(QString value)
{
    value.replace(QLatin1Char('{'), QStringLiteral("%7B"));
    value.replace(QLatin1Char('}'), QStringLiteral("%7D"));
    return Braced(value);
}

QString FieldValue(const QString& name, const QString& value)
{
    if (name == QLatin1String("url") || name == QLatin1String("doi"))
        return VerbatimValue(value);
    if (name == QLatin1String("title") || name == QLatin1String("booktitle"))
        return Braced(LatexText::ProtectedTitle(value));
    if (name == QLatin1String("pages"))
        return Braced(LatexText::FromUnicode(value).replace(QRegularExpression(QStringLiteral("(\\d)-(\\d)")),
                                                            QStringLiteral("\\1--\\2")));
    return Braced(LatexText::FromUnicode(value));
}

// year = {2007}, month = mar, day = {5} from "2007-03-05".
QList<QPair<QString, QString>> BibTexDate(const QString& date)
{
    QList<QPair<QString, QString>> parts;
    const QStringList pieces = date.split(QLatin1Char('-'));
    parts.append({QStringLiteral("year"), Braced(pieces.value(0))});
    const int month = pieces.value(1).toInt();
    if (month >= 1 && month <= 12)
        parts.append({QStringLiteral("month"), QString::fromLatin1(kMonthMacros[month - 1])});
    const int day = pieces.value(2).toInt();
    if (day >= 1)
        parts.append({QStringLiteral("day"), Braced(QString::number(day))});
    return parts;
}

QString WriteEntry(const BibEntry& entry, BibTexWriter::Dialect dialect)
{
    const bool bibtex = dialect == BibTexWriter::Dialect::BibTeX;
    QList<QPair<QString, QString>> lines;
    if (!entry.authors.isEmpty())
        lines.append({QStringLiteral("author"), Braced(BibTexNames::Write(entry.authors))});
    if (!entry.editors.isEmpty())
        lines.append({QStringLiteral("editor"), Braced(BibTexNames::Write(entry.editors))});
    for (const auto& [name, value] : entry.fields) {
        if (value.isEmpty())
            continue;
        if (bibtex && name == QLatin1String("date"))
            lines.append(BibTexDate(value));
        else
            lines.append({bibtex ? BibTexFieldName(entry, name) : name, FieldValue(name, value)});
    }
    QString text = QLatin1Char('@') + EntryType(entry, dialect) + QLatin1Char('{') + entry.key;
    for (const auto& [name, value] : std::as_const(lines))
        text += QStringLiteral(",\n  ") + name + QStringLiteral(" = ") + value;
    text += QStringLiteral("\n}\n");
    return text;
}

QString Write(const BibEntries& entries, Dialect dialect)
{
    QString text;
    for (const BibEntry& entry : entries) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += WriteEntry(entry, dialect);
    }
    return text;
}

} // namespace BibTexWriter
