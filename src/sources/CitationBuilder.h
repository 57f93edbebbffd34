#pragma once

#include "format/SourceRecord.h"
#include "sources/CitationElement.h"

#include <QString>
#include <span>

// Writes a source's citation from a style's element list (CitationStyleTable.h). Which
// fields are set is taken once, when the builder is made: formatting changes no field.
class CitationBuilder
{
public:
    explicit CitationBuilder(SourceRecord& source);

    int Type() const { return m_source.Type; }

    // Appends each element whose condition holds, in order.
    void Append(std::span<const CitationElement> elements);
    void Append(const CitationElement& element);
    bool Holds(const ElementCondition& condition) const;

    const QString& Text() const { return m_text; }

private:
    void AppendField(const CitationElement& element, bool ordinal);
    void TrimThen(const char* text);

    SourceRecord& m_source;
    quint16 m_setFields = 0;
    QString m_text;
};
