#include "format/BibTexNames.h"

#include "format/LatexText.h"

#include <QRegularExpression>

// Helpers of this file, in its own namespace so that no other file sees them.
namespace BibTexNames {

// Splits at a separator character outside braces.
QStringList SplitOutsideBraces(const QString& text, QChar separator)
{
    QStringList parts;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('{'))
            ++depth;
        else if (c == QLatin1Char('}'))
            depth = qMax(0, depth - 1);
        else if (depth == 0 && c == separator) {
            parts.append(text.mid(start, i - start).trimmed());
            start = i + 1;
        }
    }
    parts.append(text.mid(start).trimmed());
    return parts;
}

// Words separated by blanks (or "~") outside braces.
QStringList Words(const QString& text)
{
    QString spaced = text;
    int depth = 0;
    for (QChar& c : spaced) {
        if (c == QLatin1Char('{'))
            ++depth;
        else if (c == QLatin1Char('}'))
            depth = qMax(0, depth - 1);
        else if (depth == 0 && (c.isSpace() || c == QLatin1Char('~')))
            c = QLatin1Char('\x01');
    }
    QStringList words = spaced.split(QLatin1Char('\x01'), Qt::SkipEmptyParts);
    return words;
}

// A von particle starts with a lower-case letter outside braces.
bool IsLowerWord(const QString& word)
{
    for (const QChar c : word) {
        if (c == QLatin1Char('{') || c == QLatin1Char('\\'))
            return false;
        if (c.isLetter())
            return c.isLower();
    }
    return false;
}

// The whole name is one brace group: "{World Health Organization}".
bool IsOneGroup(const QString& name)
{
    if (name.size() < 2 || !name.startsWith(QLatin1Char('{')) || !name.endsWith(QLatin1Char('}')))
        return false;
    int depth = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name.at(i) == QLatin1Char('{'))
            ++depth;
        else if (name.at(i) == QLatin1Char('}') && --depth == 0)
            return i == name.size() - 1;
    }
    return false;
}

BibName ParseOne(const QString& raw)
{
    if (IsOneGroup(raw))
        return {LatexText::ToUnicode(raw), QString(), true};
    const QStringList parts = SplitOutsideBraces(raw, QLatin1Char(','));
    if (parts.size() == 2)
        return {LatexText::ToUnicode(parts[0]), LatexText::ToUnicode(parts[1]), false};
    if (parts.size() >= 3) {
        const QString family = QString(parts[0] + QLatin1Char(' ') + parts[1]).trimmed();
        return {LatexText::ToUnicode(family), LatexText::ToUnicode(parts.mid(2).join(QLatin1Char(' '))),
                false};
    }
    const QStringList words = Words(raw);
    if (words.size() <= 1)
        return {LatexText::ToUnicode(raw), QString(), false};
    // "First von Last": the family name starts at the first lower-case word before the
    // last word, else it is the last word alone.
    qsizetype familyStart = words.size() - 1;
    for (qsizetype i = 0; i + 1 < words.size(); ++i) {
        if (IsLowerWord(words.at(i))) {
            familyStart = i;
            break;
        }
    }
    return {LatexText::ToUnicode(words.mid(familyStart).join(QLatin1Char(' '))),
            LatexText::ToUnicode(words.mid(0, familyStart).join(QLatin1Char(' '))), false};
}

bool NeedsBraces(const QString& part)
{
    static const QRegularExpression andWord(QStringLiteral("(^|\\s)and(\\s|$)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return part.contains(QLatin1Char(',')) || part.contains(andWord);
}

QString WritePart(const QString& part)
{
    const QString escaped = LatexText::FromUnicode(part);
    return NeedsBraces(part) ? QLatin1Char('{') + escaped + QLatin1Char('}') : escaped;
}

QList<BibName> Parse(const QString& latexValue)
{
    static const QRegularExpression andSeparator(QStringLiteral("\\s+and\\s+"),
                                                 QRegularExpression::CaseInsensitiveOption);
    // " and " outside braces: blank out the braced parts to find the separators.
    QString masked = latexValue;
    int depth = 0;
    for (QChar& c : masked) {
        if (c == QLatin1Char('{'))
            ++depth;
        else if (c == QLatin1Char('}'))
            depth = qMax(0, depth - 1);
        else if (depth > 0)
            c = QLatin1Char('x');
    }
    QList<BibName> names;
    qsizetype start = 0;
    auto match = andSeparator.globalMatch(masked);
    auto take = [&](qsizetype end) {
        const QString raw = latexValue.mid(start, end - start).trimmed();
        if (!raw.isEmpty() && raw != QLatin1String("others"))
            names.append(ParseOne(raw));
    };
    while (match.hasNext()) {
        const auto found = match.next();
        take(found.capturedStart());
        start = found.capturedEnd();
    }
    take(latexValue.size());
    return names;
}

QString Write(const QList<BibName>& names)
{
    QStringList written;
    for (const BibName& name : names) {
        if (name.literal || name.family.isEmpty()) {
            const QString whole = name.family.isEmpty() ? name.given : name.family;
            written.append(QLatin1Char('{') + LatexText::FromUnicode(whole) + QLatin1Char('}'));
        } else if (name.given.isEmpty()) {
            written.append(WritePart(name.family)
                           + (name.family.contains(QLatin1Char(' ')) ? QStringLiteral(",") : QString()));
        } else {
            written.append(WritePart(name.family) + QStringLiteral(", ") + WritePart(name.given));
        }
    }
    return written.join(QStringLiteral(" and "));
}

} // namespace BibTexNames
