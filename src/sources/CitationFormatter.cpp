#include "sources/CitationFormatter.h"

#include "sources/CitationBuilder.h"
#include "sources/CitationStyles.h"
#include "sources/SourceLookup.h"
#include "sources/SourceNames.h"

#include <cstdlib>

namespace {

// A text holding any of these is not a plain number and gets no ordinal ending.
const QString& NonOrdinalCharacters()
{
    static const QString kCharacters
        = QStringLiteral("qwertyuioplkjhgfdsazxcvbnm,.;[]=-!@#$%^&*()_+QWERTYUIOP{}|ASDFGHJKL:ZXCVBNM<>?");
    return kCharacters;
}

bool HasNonOrdinalCharacter(const QString& text)
{
    for (QChar c : text) {
        if (NonOrdinalCharacters().contains(c))
            return true;
    }
    return false;
}

// The C atol rule on a short text: leading blanks, a sign, digits.
long AtolOf(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::atol(bytes.constData());
}

void RemoveMissingAuthors(SourceRecord& source, const AuthorList& authors)
{
    source.AuthorIds.removeIf([&](qint32 id) { return !FindAuthor(authors, id); });
}

} // namespace

void FormatCitation(SourceRecord& source, const AuthorList& authors)
{
    source.MarkKinds.clear();
    source.MarkStarts.clear();
    source.MarkEnds.clear();
    RemoveMissingAuthors(source, authors);
    while (source.Fields.size() < kSourceFieldCount)
        source.Fields.append(QString());
    if (source.Type < SourceType::Book || source.Type > SourceType::Lecture)
        return;
    if (source.Style < 0 || source.Style >= CitationStyle::Count) {
        source.CitationText.clear();
        return;
    }
    source.Fields[2] = DateText(source);
    source.AuthorsText = AuthorsTextFor(source, authors);
    CitationBuilder builder(source);
    FormatInStyle(builder, source.Style);
    source.CitationText = builder.Text();
}

QString AppendField(const SourceRecord& source, int index, const QString& prefix, const QString& suffix,
                    const QString& suffix2, bool ordinal)
{
    QString value = source.Fields.value(index);
    if (value.isEmpty())
        return {};
    if (ordinal && !HasNonOrdinalCharacter(value))
        value = MakeOrdinal(value);
    return prefix + value + suffix + suffix2;
}

bool IsFieldSet(const SourceRecord& source, int index)
{
    return !source.Fields.value(index).isEmpty();
}

void MarkField(SourceRecord& source, int index, int kind, const QString& citation)
{
    QString value = source.Fields.value(index);
    qsizetype start = 0;
    qsizetype end = value.size();
    while (start < end && value.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && value.at(end - 1) == QLatin1Char(' '))
        --end;
    value = value.mid(start, end - start);
    if (citation.isEmpty() || value.isEmpty())
        return;
    const qsizetype first = citation.indexOf(value);
    if (first < 0)
        return;
    const qsizetype last = first + value.size() - 1;
    if (last > 0 && last > first) {
        source.MarkKinds.append(kind);
        source.MarkStarts.append(static_cast<qint32>(first));
        source.MarkEnds.append(static_cast<qint32>(last));
    }
}

QString MakeOrdinal(const QString& text)
{
    if (text.isEmpty())
        return {};
    const long last = AtolOf(text.right(1));
    const long lastTwo = text.size() >= 2 ? AtolOf(text.right(2)) : -1;
    if (last == 1 && lastTwo != 11)
        return text + QStringLiteral("st");
    if (last == 2 && lastTwo != 12)
        return text + QStringLiteral("nd");
    if (last == 3 && lastTwo != 13)
        return text + QStringLiteral("rd");
    return text + QStringLiteral("th");
}

NameListOptions StyleNameListOptions(int style, int type, int maxNames)
{
    using Order = NameListOptions::Order;
    NameListOptions o;
    o.MaxNames = maxNames;
    o.Separator = 1;
    // Defaults of most styles: initials without a blank, middle names, no conjunction.
    o.Initials = true;
    o.SpaceAfterFirst = false;
    o.WithMiddle = true;
    o.Conjunction = 0;
    switch (style) {
    case CitationStyle::GenericByTitle:
    case CitationStyle::GenericByAuthor:
        o.order = Order::NoPunctuation;
        o.Conjunction = 2;
        break;
    case CitationStyle::Acm:
        o.order = Order::LastFirst;
        o.Conjunction = 1;
        break;
    case CitationStyle::Acs:
        o.order = Order::LastFirst;
        o.Separator = 2;
        break;
    case CitationStyle::Ama:
        o.order = Order::NoPunctuation;
        o.WithMiddle = type == SourceType::Book || type == SourceType::Online;
        break;
    case CitationStyle::Harvard:
        o.order = Order::LastFirst;
        o.Conjunction = 2;
        break;
    case CitationStyle::Apa:
        o.order = Order::LastFirst;
        o.SpaceAfterFirst = true;
        o.Conjunction = 2;
        break;
    case CitationStyle::CseCbe:
        o.order = Order::NoPunctuation;
        break;
    case CitationStyle::Oxford:
        o.order = Order::Mixed;
        o.Conjunction = 2;
        break;
    case CitationStyle::Apsa:
    case CitationStyle::Asa:
    case CitationStyle::Mla:
    case CitationStyle::ChicagoHumanities:
    case CitationStyle::ChicagoAuthorDate:
    default:
        o.order = Order::Mixed;
        o.Initials = false;
        o.SpaceAfterFirst = true;
        o.Conjunction = 1;
        break;
    }
    return o;
}

const char* StyleDatePattern(int style, int type)
{
    using namespace SourceType;
    if (type == Book || type == Dissertation)
        return "%Y";
    switch (style) {
    case CitationStyle::Acm:
        return type == JournalArticle ? "%Y, %B %d" : "%B %d, %Y";
    case CitationStyle::Acs:
    case CitationStyle::Ama:
    case CitationStyle::Asa:
    case CitationStyle::ChicagoHumanities:
        return "%B %d, %Y";
    case CitationStyle::Apsa:
        return type == Periodical ? "%Y" : "%Y, %B %d";
    case CitationStyle::Harvard:
        return type == Periodical ? "%Y" : "%d %b. %Y";
    case CitationStyle::Mla:
    case CitationStyle::Oxford:
        return "%d %b. %Y";
    case CitationStyle::CseCbe:
        if (type == JournalArticle || type == Lecture)
            return "%Y %B %d";
        return type == Periodical ? "%B %d, %Y" : "%Y, %B %d";
    case CitationStyle::ChicagoAuthorDate:
        return (type == JournalArticle || type == Online) ? "%B %d, %Y" : "%Y";
    case CitationStyle::GenericByTitle:
    case CitationStyle::GenericByAuthor:
    case CitationStyle::Apa:
    default:
        return "%Y, %B %d";
    }
}

QString DateText(const SourceRecord& source)
{
    if (!source.DateSet)
        return {};
    const char* pattern = source.YearOnly == 1 ? "%Y" : StyleDatePattern(source.Style, source.Type);
    return QString::fromLocal8Bit(source.Date.Format(pattern));
}

QString AuthorsTextFor(const SourceRecord& source, const AuthorList& authors)
{
    const NameListOptions options = StyleNameListOptions(source.Style, source.Type, source.AuthorsBeforeEtAl);
    QString list = FormatNameList(source.AuthorIds, options, authors);
    if (source.Style == CitationStyle::Acm)
        list = list.toUpper();
    else if (source.Style == CitationStyle::Harvard)
        list.remove(QLatin1Char('.'));
    if (!list.isEmpty())
        list += QLatin1Char('.');
    return list;
}
