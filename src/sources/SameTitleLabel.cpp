#include "sources/SameTitleLabel.h"

#include "sources/SourceNames.h"

#include <QSet>
#include <functional>

namespace {

// One way of telling sources apart: a text of the source (a field, or AuthorsText for
// field -1) and how the label writes it.
struct Candidate
{
    int field;
    QString pattern;

    QString Value(const SourceRecord& s) const { return field < 0 ? s.AuthorsText : s.Fields.value(field); }
    QString Label(const SourceRecord& s) const { return pattern.arg(Value(s)); }
};

Candidate Plain(int field)
{
    return {field, QStringLiteral("%1")};
}

// The volume, or the section when the labelled source is a periodical.
Candidate Volume(const SourceRecord& labelled)
{
    return {3,
            labelled.Type == SourceType::Periodical ? QStringLiteral("Sec. %1") : QStringLiteral("Vol. %1")};
}

// True when no two different members of the group have the same text.
bool Separates(const SourceList& group, const Candidate& candidate)
{
    QSet<QString> seen;
    for (const SourceRecord& member : group) {
        const QString value = candidate.Value(member);
        if (seen.contains(value))
            return false;
        seen.insert(value);
    }
    return true;
}

QString FirstSeparating(const SourceRecord& source, const SourceList& group,
                        const QList<Candidate>& candidates, const QString& fallback)
{
    QString result = fallback;
    for (const Candidate& candidate : candidates) {
        if (Separates(group, candidate) && !candidate.Value(source).isEmpty()) {
            result = candidate.Label(source);
            break;
        }
    }
    while (result.endsWith(QLatin1Char('.')))
        result.chop(1);
    return result;
}

SourceList GroupOf(const SourceRecord& source, const SourceList& sources,
                   const std::function<bool(const SourceRecord&)>& sameGroup)
{
    SourceList group;
    for (const SourceRecord& other : sources) {
        if (other.Fields.value(0) == source.Fields.value(0) && sameGroup(other))
            group.append(other);
    }
    return group;
}

} // namespace

QString SameTitleLabelUnderAuthor(const SourceRecord& source, const SourceList& sources)
{
    const SourceList group = GroupOf(
        source, sources, [&](const SourceRecord& s) { return s.AuthorsText == source.AuthorsText; });
    const QList<Candidate> candidates
        = {Plain(2), Volume(source), Plain(4), {7, QStringLiteral("\"%1\"")}, Plain(5), Plain(8)};
    return FirstSeparating(source, group, candidates, QString());
}

QString SameTitleLabelUnderPublication(const SourceRecord& source, const SourceList& sources)
{
    const SourceList group = GroupOf(
        source, sources, [&](const SourceRecord& s) { return s.Fields.value(1) == source.Fields.value(1); });
    const QList<Candidate> candidates = {Plain(-1), Plain(2), Volume(source), Plain(4), Plain(5), Plain(8)};
    return FirstSeparating(source, group, candidates, source.AuthorsText);
}
