#include "sources/CitationBuilder.h"

#include "sources/CitationFormatter.h"

CitationBuilder::CitationBuilder(SourceRecord& source)
    : m_source(source)
{
}

bool CitationBuilder::Set(int field) const
{
    return IsFieldSet(m_source, field);
}

void CitationBuilder::F(int field, const char* prefix, const char* suffix)
{
    m_text += AppendField(m_source, field, QString::fromLatin1(prefix), QString::fromLatin1(suffix),
                          QString(), false);
}

void CitationBuilder::O(int field, const char* prefix, const char* suffix)
{
    m_text += AppendField(m_source, field, QString::fromLatin1(prefix), QString::fromLatin1(suffix),
                          QString(), true);
}

void CitationBuilder::A()
{
    if (!m_source.AuthorsText.isEmpty())
        m_text += m_source.AuthorsText + QLatin1Char(' ');
}

void CitationBuilder::T(const char* text)
{
    m_text += QString::fromLatin1(text);
}

void CitationBuilder::D(const char* pattern)
{
    m_text += QString::fromLocal8Bit(m_source.Date.Format(pattern));
}

void CitationBuilder::TrimThen(const char* text)
{
    qsizetype end = m_text.size();
    while (end > 0 && m_text.at(end - 1) == QLatin1Char(' '))
        --end;
    m_text.truncate(end);
    T(text);
}

void CitationBuilder::Mark(int field, int kind)
{
    MarkField(m_source, field, kind, m_text);
}
