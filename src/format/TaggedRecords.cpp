#include "format/TaggedRecords.h"

QString TaggedRecord::First(const QString& tag) const
{
    for (const TaggedLine& line : lines) {
        if (line.tag == tag && !line.value.isEmpty())
            return line.value;
    }
    return {};
}

QStringList TaggedRecord::All(const QString& tag) const
{
    QStringList values;
    for (const TaggedLine& line : lines) {
        if (line.tag == tag && !line.value.isEmpty())
            values.append(line.value);
    }
    return values;
}

TaggedReadResult ReadTaggedRecords(const QString& text, const TaggedSyntax& syntax, const QString& fileName)
{
    TaggedReadResult result;
    const QStringList lines = text.split(QLatin1Char('\n'));
    TaggedRecord current;
    bool open = false;
    bool sawTag = false;
    auto close = [&](const QString& problem) {
        if (open) {
            current.problem = problem;
            result.records.append(current);
        }
        current = TaggedRecord();
        open = false;
    };
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const auto match = syntax.tagLine.match(line);
        if (!match.hasMatch()) {
            if (line.trimmed().isEmpty()) {
                if (syntax.endTag.isEmpty())
                    close(QString());
                continue;
            }
            if (!sawTag) {
                result.error
                    = QStringLiteral("\"%1\" is not a %2 file: line %3 is not a tagged line such as \"%4\".")
                          .arg(fileName, syntax.formatName)
                          .arg(i + 1)
                          .arg(syntax.example);
                return result;
            }
            if (open && !current.lines.isEmpty())
                current.lines.last().value += QLatin1Char(' ') + line.trimmed();
            continue;
        }
        sawTag = true;
        const QString tag = match.captured(1);
        const QString value = match.captured(2).trimmed();
        if (tag == syntax.startTag) {
            if (open)
                close(syntax.endTag.isEmpty()
                          ? QString()
                          : QStringLiteral("line %1: the record is not closed with \"%2\"")
                                .arg(current.line)
                                .arg(syntax.endTag));
            open = true;
            current.line = i + 1;
        } else if (!syntax.endTag.isEmpty() && tag == syntax.endTag) {
            if (!open) {
                result.records.append(
                    {{}, i + 1, QStringLiteral("line %1: \"%2\" without a record").arg(i + 1).arg(tag)});
                continue;
            }
            current.lines.append({tag, value, i + 1});
            close(QString());
            continue;
        } else if (!open) {
            result.records.append(
                {{{tag, value, i + 1}},
                 i + 1,
                 QStringLiteral("line %1: a record must start with \"%2\"").arg(i + 1).arg(syntax.startTag)});
            // The lines up to the next start belong to this damaged record.
            while (i + 1 < lines.size()
                   && !lines.at(i + 1).startsWith(syntax.example.left(syntax.startTag.size() + 1)))
                ++i;
            continue;
        }
        current.lines.append({tag, value, i + 1});
    }
    close(syntax.endTag.isEmpty() ? QString()
                                  : QStringLiteral("line %1: the record is not closed with \"%2\"")
                                        .arg(current.line)
                                        .arg(syntax.endTag));
    if (result.records.isEmpty() && !text.trimmed().isEmpty())
        result.error = QStringLiteral("\"%1\" is not a %2 file: no record starts with \"%3\".")
                           .arg(fileName, syntax.formatName, syntax.example);
    return result;
}

BibName ParseCommaName(const QString& text, bool literalWithoutComma, bool trailingCommaIsLiteral)
{
    const QString name = text.trimmed();
    const qsizetype comma = name.indexOf(QLatin1Char(','));
    if (comma < 0) {
        if (literalWithoutComma || !name.contains(QLatin1Char(' ')))
            return {name, QString(), literalWithoutComma && name.contains(QLatin1Char(' '))};
        const qsizetype space = name.lastIndexOf(QLatin1Char(' '));
        return {name.mid(space + 1), name.left(space).trimmed(), false};
    }
    const QString family = name.left(comma).trimmed();
    const QStringList rest = name.mid(comma + 1).split(QLatin1Char(','));
    if (rest.size() == 1 && rest.first().trimmed().isEmpty())
        return {family, QString(), trailingCommaIsLiteral};
    if (rest.size() >= 2) // "King, Martin Luther, Jr."
        return {family + QLatin1Char(' ') + rest.mid(1).join(QLatin1Char(' ')).trimmed(),
                rest.first().trimmed(), false};
    return {family, rest.first().trimmed(), false};
}

QString DateFromSlashes(const QString& text)
{
    const QStringList parts = text.trimmed().split(QRegularExpression(QStringLiteral("[/-]")));
    const QString year = parts.value(0).trimmed();
    bool ok = false;
    year.toInt(&ok);
    if (!ok || year.size() != 4)
        return {};
    const int month = parts.value(1).toInt();
    if (month < 1 || month > 12)
        return year;
    QString date = QStringLiteral("%1-%2").arg(year).arg(month, 2, 10, QLatin1Char('0'));
    const int day = parts.value(2).left(2).toInt();
    if (day >= 1 && day <= 31)
        date += QStringLiteral("-%1").arg(day, 2, 10, QLatin1Char('0'));
    return date;
}
