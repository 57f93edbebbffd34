#include "sources/CitationBuilder.h"

#include "sources/CitationFormatter.h"
#include "sources/CitationStyleTable.h"
#include "sources/CitationStyles.h"
#include "sources/SourceNames.h"

CitationBuilder::CitationBuilder(SourceRecord& source)
    : m_source(source)
{
    for (int field = 0; field < kSourceFieldCount && field < 16; ++field) {
        if (IsFieldSet(m_source, field))
            m_setFields |= static_cast<quint16>(1u << field);
    }
}

bool CitationBuilder::Holds(const ElementCondition& condition) const
{
    using DateRule = ElementCondition::DateRule;
    bool holds = (m_setFields & condition.Set) == condition.Set && (m_setFields & condition.Unset) == 0;
    if (condition.AnySet != 0 && (m_setFields & condition.AnySet) == 0)
        holds = false;
    if ((condition.Date == DateRule::Set && !m_source.DateSet)
        || (condition.Date == DateRule::NotSet && m_source.DateSet))
        holds = false;
    return holds != condition.Negate;
}

void CitationBuilder::Append(std::span<const CitationElement> elements)
{
    for (const CitationElement& element : elements)
        Append(element);
}

void CitationBuilder::Append(const CitationElement& element)
{
    if (!Holds(element.When))
        return;
    switch (element.Kind) {
    case ElementKind::Field:
        AppendField(element, false);
        break;
    case ElementKind::Ordinal:
        AppendField(element, true);
        break;
    case ElementKind::Authors:
        if (!m_source.AuthorsText.isEmpty())
            m_text += m_source.AuthorsText + QLatin1Char(' ');
        break;
    case ElementKind::Text:
        m_text += QString::fromLatin1(element.Prefix);
        break;
    case ElementKind::Date:
        m_text += QString::fromLocal8Bit(m_source.Date.Format(element.Prefix));
        break;
    case ElementKind::TrimThen:
        TrimThen(element.Prefix);
        break;
    case ElementKind::Mark:
        MarkField(m_source, static_cast<int>(element.Field), element.MarkKind, m_text);
        break;
    }
}

void CitationBuilder::AppendField(const CitationElement& element, bool ordinal)
{
    m_text += ::AppendField(m_source, static_cast<int>(element.Field), QString::fromLatin1(element.Prefix),
                            QString::fromLatin1(element.Suffix), QString(), ordinal);
}

void CitationBuilder::TrimThen(const char* text)
{
    qsizetype end = m_text.size();
    while (end > 0 && m_text.at(end - 1) == QLatin1Char(' '))
        --end;
    m_text.truncate(end);
    m_text += QString::fromLatin1(text);
}

bool FormatInStyle(CitationBuilder& b, int style)
{
    if (style < 0 || style >= CitationStyle::Count)
        return false;
    b.Append(CitationStyleElements(style, b.Type()));
    return true;
}
