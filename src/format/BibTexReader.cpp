#include "format/BibTexReader.h"

#include "format/BibTexNames.h"
#include "format/LatexText.h"

#include <QHash>
#include <algorithm>

// Helpers of this file, in its own namespace so that no other file sees them.
namespace BibTexReader {

struct RawEntry
{
    QString type;
    QString key;
    QList<QPair<QString, QString>> fields; // names lower case, values LaTeX
    int line = 0;
    QString problem;

    QString Raw(const QString& name) const
    {
        for (const auto& [fieldName, value] : fields) {
            if (fieldName == name)
                return value;
        }
        return {};
    }
    bool HasRaw(const QString& name) const
    {
        return std::any_of(fields.cbegin(), fields.cend(), [&](const auto& f) { return f.first == name; });
    }
};

// Thrown nowhere: a parse step that fails records its message and returns false.
class Parser
{
public:
    Parser(const QString& text)
        : m_text(text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == QLatin1Char('\n'))
                m_lineEnds.append(i);
        }
        static const char* months[] = {"january", "february", "march",     "april",   "may",      "june",
                                       "july",    "august",   "september", "october", "november", "december"};
        for (const char* month : months) {
            const QString name = QString::fromLatin1(month);
            m_macros.insert(name.left(3), name.left(1).toUpper() + name.mid(1));
        }
    }

    QList<RawEntry> Run()
    {
        QList<RawEntry> entries;
        while (FindEntryStart()) {
            const qsizetype start = m_pos;
            RawEntry entry;
            entry.line = LineAt(start);
            if (!ReadEntry(entry)) {
                entry.problem
                    = QStringLiteral("line %1: %2").arg(LineAt(qMin(m_pos, m_text.size() - 1))).arg(m_error);
                SkipToNextEntryLine(start);
            }
            if (!entry.type.isEmpty())
                entries.append(entry);
        }
        return entries;
    }

private:
    bool AtEnd() const { return m_pos >= m_text.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : m_text.at(m_pos); }

    int LineAt(qsizetype pos) const
    {
        return int(std::lower_bound(m_lineEnds.cbegin(), m_lineEnds.cend(), pos) - m_lineEnds.cbegin()) + 1;
    }

    bool Fail(const QString& message)
    {
        m_error = message;
        return false;
    }

    void SkipBlanks()
    {
        while (!AtEnd() && Peek().isSpace())
            ++m_pos;
    }

    // The next "@name{" or "@name(": everything before it is a comment.
    bool FindEntryStart()
    {
        while (true) {
            m_pos = m_text.indexOf(QLatin1Char('@'), m_pos);
            if (m_pos < 0) {
                m_pos = m_text.size();
                return false;
            }
            qsizetype look = m_pos + 1;
            while (look < m_text.size() && m_text.at(look).isSpace())
                ++look;
            const qsizetype nameStart = look;
            while (look < m_text.size() && IsNameChar(m_text.at(look)))
                ++look;
            const qsizetype nameEnd = look;
            while (look < m_text.size() && m_text.at(look).isSpace())
                ++look;
            if (nameEnd > nameStart && look < m_text.size()
                && (m_text.at(look) == QLatin1Char('{') || m_text.at(look) == QLatin1Char('(')))
                return true;
            ++m_pos;
        }
    }

    // After a damaged entry: the next line whose first non-blank character is "@".
    void SkipToNextEntryLine(qsizetype entryStart)
    {
        qsizetype pos = m_text.indexOf(QLatin1Char('\n'), entryStart);
        while (pos >= 0) {
            qsizetype look = pos + 1;
            while (look < m_text.size()
                   && (m_text.at(look) == QLatin1Char(' ') || m_text.at(look) == QLatin1Char('\t')))
                ++look;
            if (look < m_text.size() && m_text.at(look) == QLatin1Char('@')) {
                m_pos = look;
                return;
            }
            pos = m_text.indexOf(QLatin1Char('\n'), pos + 1);
        }
        m_pos = m_text.size();
    }

    static bool IsNameChar(QChar c) { return !c.isSpace() && !QStringLiteral("{}()\",=#%@'").contains(c); }

    QString ReadName()
    {
        const qsizetype start = m_pos;
        while (!AtEnd() && IsNameChar(Peek()))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    bool ReadEntry(RawEntry& entry)
    {
        ++m_pos; // "@"
        SkipBlanks();
        entry.type = ReadName().toLower();
        SkipBlanks();
        const QChar close = Peek() == QLatin1Char('(') ? QLatin1Char(')') : QLatin1Char('}');
        ++m_pos;
        if (entry.type == QLatin1String("comment") || entry.type == QLatin1String("preamble")) {
            --m_pos;
            QString ignored;
            const bool closed = ReadBalanced(close == QLatin1Char(')') ? QLatin1Char('(') : QLatin1Char('{'),
                                             close, &ignored);
            entry.type.clear(); // not an entry
            return closed || Fail(QStringLiteral("the @comment or @preamble is not closed"));
        }
        if (entry.type == QLatin1String("string")) {
            const bool read = ReadFields(entry, close);
            for (const auto& [name, value] : std::as_const(entry.fields))
                m_macros.insert(name, value);
            entry.type.clear();
            return read;
        }
        SkipBlanks();
        // The key runs to the first comma; an entry may have none ("@misc{, title = ...}").
        const qsizetype keyStart = m_pos;
        while (!AtEnd() && Peek() != QLatin1Char(',') && Peek() != close && Peek() != QLatin1Char('=')
               && Peek() != QLatin1Char('\n'))
            ++m_pos;
        if (Peek() == QLatin1Char('=') || Peek() == QLatin1Char('\n')) {
            const qsizetype stop = m_pos;
            m_pos = keyStart;
            if (Peek() == QLatin1Char('=')
                || m_text.mid(keyStart, stop - keyStart).contains(QLatin1Char(' ')))
                return ReadFields(entry, close); // no key: the fields start at once
            m_pos = stop;
            SkipBlanks();
            if (Peek() != QLatin1Char(',') && Peek() != close)
                return Fail(QStringLiteral("\",\" expected after the key \"%1\"")
                                .arg(m_text.mid(keyStart, stop - keyStart).trimmed()));
        }
        entry.key = m_text.mid(keyStart, m_pos - keyStart).trimmed();
        if (AtEnd())
            return Fail(QStringLiteral("the entry is not closed"));
        return ReadFields(entry, close);
    }

    // name = value pairs separated by commas, up to the closing character.
    bool ReadFields(RawEntry& entry, QChar close)
    {
        while (true) {
            SkipBlanks();
            if (AtEnd())
                return Fail(QStringLiteral("the entry is not closed"));
            if (Peek() == close) {
                ++m_pos;
                return true;
            }
            if (Peek() == QLatin1Char(',')) {
                ++m_pos;
                continue;
            }
            const QString name = ReadName().toLower();
            if (name.isEmpty())
                return Fail(QStringLiteral("a field name expected, found \"%1\"").arg(Peek()));
            SkipBlanks();
            if (Peek() != QLatin1Char('='))
                return Fail(QStringLiteral("\"=\" expected after the field name \"%1\"").arg(name));
            ++m_pos;
            QString value;
            if (!ReadValue(&value))
                return false;
            if (!entry.HasRaw(name))
                entry.fields.append({name, value});
            SkipBlanks();
            if (Peek() != QLatin1Char(',') && Peek() != close)
                return Fail(
                    AtEnd() ? QStringLiteral("the entry is not closed")
                            : QStringLiteral("\",\" or the end of the entry expected after the field \"%1\"")
                                  .arg(name));
        }
    }

    // Parts joined by "#": {braced}, "quoted", a number or a macro name.
    bool ReadValue(QString* value)
    {
        while (true) {
            SkipBlanks();
            if (AtEnd())
                return Fail(QStringLiteral("the entry is not closed"));
            const QChar c = Peek();
            QString part;
            const qsizetype opened = m_pos; // a part that is not closed is reported where it opens
            if (c == QLatin1Char('{')) {
                if (!ReadBalanced(QLatin1Char('{'), QLatin1Char('}'), &part)) {
                    m_pos = opened;
                    return Fail(QStringLiteral("a brace is not closed"));
                }
            } else if (c == QLatin1Char('"')) {
                if (!ReadQuoted(&part)) {
                    m_pos = opened;
                    return Fail(QStringLiteral("a quotation mark is not closed"));
                }
            } else {
                const QString word = ReadName();
                if (word.isEmpty())
                    return Fail(QStringLiteral("a value expected, found \"%1\"").arg(c));
                bool number = true;
                for (const QChar d : word)
                    number = number && d.isDigit();
                part = number ? word : m_macros.value(word.toLower());
            }
            *value += part;
            SkipBlanks();
            if (Peek() != QLatin1Char('#'))
                return true;
            ++m_pos;
        }
    }

    // The text between an opening character and its matching close; the position ends
    // after the close.
    bool ReadBalanced(QChar open, QChar close, QString* inner)
    {
        const qsizetype start = ++m_pos;
        int depth = 1;
        while (!AtEnd()) {
            const QChar c = m_text.at(m_pos++);
            if (c == QLatin1Char('\\') && !AtEnd()) {
                ++m_pos; // an escaped brace does not count
                continue;
            }
            if (c == open)
                ++depth;
            else if (c == close && --depth == 0) {
                *inner = m_text.mid(start, m_pos - 1 - start);
                return true;
            }
        }
        return false;
    }

    bool ReadQuoted(QString* inner)
    {
        const qsizetype start = ++m_pos;
        int depth = 0;
        while (!AtEnd()) {
            const QChar c = m_text.at(m_pos++);
            if (c == QLatin1Char('\\') && !AtEnd()) {
                ++m_pos;
                continue;
            }
            if (c == QLatin1Char('{'))
                ++depth;
            else if (c == QLatin1Char('}'))
                depth = qMax(0, depth - 1);
            else if (c == QLatin1Char('"') && depth == 0) {
                *inner = m_text.mid(start, m_pos - 1 - start);
                return true;
            }
        }
        return false;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
    QList<qsizetype> m_lineEnds;
    QHash<QString, QString> m_macros;
    QString m_error;
};

// The parent's fields fill what the entry lacks; its title becomes the booktitle.
void ResolveCrossref(RawEntry& entry, const QHash<QString, const RawEntry*>& byKey)
{
    const QString parentKey = entry.Raw(QStringLiteral("crossref")).trimmed().toLower();
    const RawEntry* parent = parentKey.isEmpty() ? nullptr : byKey.value(parentKey);
    if (!parent)
        return;
    for (const auto& [name, value] : parent->fields) {
        if (name == QLatin1String("title")) {
            if (!entry.HasRaw(QStringLiteral("booktitle")))
                entry.fields.append({QStringLiteral("booktitle"), value});
            continue;
        }
        if (name != QLatin1String("crossref") && !entry.HasRaw(name))
            entry.fields.append({name, value});
    }
}

int MonthNumber(const QString& month)
{
    bool ok = false;
    const int number = month.toInt(&ok);
    if (ok)
        return number >= 1 && number <= 12 ? number : 0;
    static const QStringList names {QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"),
                                    QStringLiteral("apr"), QStringLiteral("may"), QStringLiteral("jun"),
                                    QStringLiteral("jul"), QStringLiteral("aug"), QStringLiteral("sep"),
                                    QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec")};
    return int(names.indexOf(month.left(3).toLower())) + 1;
}

// year, month and day as one date "YYYY[-MM[-DD]]"; empty when the year is no number.
QString JoinDate(const QString& year, const QString& month, const QString& day)
{
    bool ok = false;
    const int y = year.toInt(&ok);
    if (!ok || year.size() != 4)
        return {};
    QString date = QString::number(y);
    const int m = MonthNumber(month);
    if (m == 0)
        return date;
    date += QStringLiteral("-%1").arg(m, 2, 10, QLatin1Char('0'));
    const int d = day.toInt(&ok);
    if (ok && d >= 1 && d <= 31)
        date += QStringLiteral("-%1").arg(d, 2, 10, QLatin1Char('0'));
    return date;
}

QString VerbatimValue(QString raw)
{
    static const QString escapable = QStringLiteral("_%&#$~");
    for (qsizetype i = 0; i + 1 < raw.size(); ++i) {
        if (raw.at(i) == QLatin1Char('\\') && escapable.contains(raw.at(i + 1)))
            raw.remove(i, 1);
    }
    raw.remove(QLatin1Char('{'));
    raw.remove(QLatin1Char('}'));
    return raw.trimmed();
}

QString BibLatexType(const QString& type)
{
    if (type == QLatin1String("phdthesis") || type == QLatin1String("mastersthesis"))
        return QStringLiteral("thesis");
    if (type == QLatin1String("conference"))
        return QStringLiteral("inproceedings");
    if (type == QLatin1String("electronic") || type == QLatin1String("www")
        || type == QLatin1String("webpage"))
        return QStringLiteral("online");
    return type;
}

QString FieldName(const QString& name)
{
    if (name == QLatin1String("journal"))
        return QStringLiteral("journaltitle");
    if (name == QLatin1String("address"))
        return QStringLiteral("location");
    if (name == QLatin1String("school"))
        return QStringLiteral("institution");
    return name;
}

BibEntry ToEntry(const RawEntry& raw)
{
    BibEntry entry;
    entry.type = BibLatexType(raw.type);
    entry.key = raw.key;
    entry.line = raw.line;
    entry.problem = raw.problem;
    for (const auto& [rawName, value] : raw.fields) {
        if (rawName == QLatin1String("author")) {
            entry.authors = BibTexNames::Parse(value);
            continue;
        }
        if (rawName == QLatin1String("editor")) {
            entry.editors = BibTexNames::Parse(value);
            continue;
        }
        if (rawName == QLatin1String("year") || rawName == QLatin1String("month")
            || rawName == QLatin1String("day") || rawName == QLatin1String("crossref"))
            continue;
        const QString name = FieldName(rawName);
        if (entry.Has(name))
            continue; // "journaltitle" before "journal": the first wins
        const bool verbatim = name == QLatin1String("url") || name == QLatin1String("doi")
            || name == QLatin1String("eprint") || name == QLatin1String("file");
        QString text = verbatim ? VerbatimValue(value) : LatexText::ToUnicode(value);
        if (name == QLatin1String("pages"))
            text.replace(QStringLiteral("--"), QStringLiteral("-"));
        entry.Set(name, text);
    }
    if (!entry.Has(QStringLiteral("date"))) {
        entry.Set(QStringLiteral("date"),
                  JoinDate(LatexText::ToUnicode(raw.Raw(QStringLiteral("year"))),
                           LatexText::ToUnicode(raw.Raw(QStringLiteral("month"))),
                           LatexText::ToUnicode(raw.Raw(QStringLiteral("day")))));
    }
    if (entry.type == QLatin1String("thesis") && !raw.HasRaw(QStringLiteral("type"))) {
        if (raw.type == QLatin1String("phdthesis"))
            entry.Set(QStringLiteral("type"), QStringLiteral("PhD thesis"));
        else if (raw.type == QLatin1String("mastersthesis"))
            entry.Set(QStringLiteral("type"), QStringLiteral("Master's thesis"));
    }
    return entry;
}

BibReadResult Read(const QString& text, const QString& fileName)
{
    BibReadResult result;
    if (text.contains(QChar(0))) {
        result.error = QStringLiteral("\"%1\" is not a BibTeX file: it holds binary data.").arg(fileName);
        return result;
    }
    QList<RawEntry> raws = Parser(text).Run();
    if (raws.isEmpty()) {
        if (!text.trimmed().isEmpty())
            result.error = QStringLiteral("\"%1\" is not a BibTeX file: no entry such as "
                                          "\"@article{key, title = {...}}\" was found.")
                               .arg(fileName);
        return result;
    }
    // Parents keep their own fields: resolve against a copy of the list as read.
    const QList<RawEntry> asRead = raws;
    QHash<QString, const RawEntry*> parents;
    for (const RawEntry& raw : asRead) {
        if (raw.problem.isEmpty() && !raw.key.isEmpty() && !parents.contains(raw.key.toLower()))
            parents.insert(raw.key.toLower(), &raw);
    }
    result.entries.reserve(raws.size());
    for (RawEntry& raw : raws) {
        ResolveCrossref(raw, parents);
        result.entries.append(ToEntry(raw));
    }
    return result;
}

} // namespace BibTexReader
