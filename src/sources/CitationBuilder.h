#pragma once

#include "format/SourceRecord.h"

#include <QString>

// Builds the text of one citation element by element, for the style formatters.
// Field elements follow the rule of AppendField: a field's prefix and suffix are written
// only with a non-empty field. Short names keep the formatters close to their element
// sequences: F(0, "", ". ") is "{0}. ", O(5, "", " ed. ") is "{5*} ed. ".
class CitationBuilder
{
public:
    explicit CitationBuilder(SourceRecord& source);

    int Type() const { return m_source.Type; }
    bool Set(int field) const;
    bool DateSet() const { return m_source.DateSet; }

    // Field with prefix and suffix.
    void F(int field, const char* prefix, const char* suffix);
    // Field given its ordinal ending (when it holds no letters).
    void O(int field, const char* prefix, const char* suffix);
    // The author block: AuthorsText and a blank, nothing without authors.
    void A();
    // Fixed text.
    void T(const char* text);
    // The source's date with a strftime pattern (blanks of the pattern included).
    void D(const char* pattern);
    // Removes the blanks at the end of the text so far, then appends text.
    void TrimThen(const char* text);
    // Marks the field's first occurrence in the finished text; call after the last element.
    void Mark(int field, int kind);

    const QString& Text() const { return m_text; }

private:
    SourceRecord& m_source;
    QString m_text;
};
