#pragma once

#include "sources/SourceFields.h"

#include <QtGlobal>

// One element of a style's citation for one source type, and the condition under which
// it is written. A style's choice between two spellings of an element ("if the pages are
// set write the series with a blank, else with a period and a blank") is two elements
// with opposite conditions.

// Which fields must be set (non-empty) and whether the source must have a date. Every
// part given must hold: all of Set, none of Unset, at least one of AnySet, the date rule.
struct ElementCondition
{
    enum class DateRule
    {
        Any,
        Set,
        NotSet
    };
    quint16 Set = 0;
    quint16 Unset = 0;
    quint16 AnySet = 0;
    DateRule Date = DateRule::Any;
    // Holds exactly when the condition above does not (the "else" of a choice).
    bool Negate = false;
};

enum class ElementKind
{
    Field, // Prefix, the field's text, Suffix; nothing at all when the field is empty.
    Ordinal, // The same, a text holding no letters given its ordinal ending ("2" -> "2nd").
    Authors, // The author list and a blank; nothing without authors.
    Text, // Prefix as it stands.
    Date, // The source's Date formatted with the strftime pattern in Prefix.
    TrimThen, // Removes the blanks at the end of the text so far, then writes Prefix.
    Mark, // Marks (MarkKind) the field's first occurrence in the finished text.
};

struct CitationElement
{
    ElementKind Kind = ElementKind::Text;
    SourceField Field = SourceField::Title;
    const char* Prefix = "";
    const char* Suffix = "";
    int MarkKind = 0;
    ElementCondition When;
};

// Short constructors, so that a style's element list reads like its written form.
namespace CitationElements {

constexpr quint16 Bit(SourceField field)
{
    return static_cast<quint16>(1u << static_cast<int>(field));
}

template<typename... Fields> constexpr quint16 Bits(Fields... fields)
{
    return static_cast<quint16>((Bit(fields) | ...));
}

// Written when the field is set.
constexpr ElementCondition IfSet(SourceField field)
{
    return {Bit(field), 0, 0};
}

// Written when the field is empty.
constexpr ElementCondition IfNotSet(SourceField field)
{
    return {0, Bit(field), 0};
}

// Written when none of the fields is set.
template<typename... Fields> constexpr ElementCondition IfNoneSet(Fields... fields)
{
    return {0, Bits(fields...), 0};
}

// Written when at least one of the fields is set.
template<typename... Fields> constexpr ElementCondition IfAnySet(Fields... fields)
{
    return {0, 0, Bits(fields...)};
}

constexpr ElementCondition IfDateSet()
{
    return {0, 0, 0, ElementCondition::DateRule::Set};
}

constexpr ElementCondition IfNoDate()
{
    return {0, 0, 0, ElementCondition::DateRule::NotSet};
}

// Both conditions. Neither may be an Unless, and at most one may name fields of which
// any one is enough.
constexpr ElementCondition operator&&(ElementCondition a, ElementCondition b)
{
    return {static_cast<quint16>(a.Set | b.Set), static_cast<quint16>(a.Unset | b.Unset),
            static_cast<quint16>(a.AnySet | b.AnySet),
            a.Date != ElementCondition::DateRule::Any ? a.Date : b.Date};
}

// Written exactly when the condition does not hold: the other branch of a choice.
constexpr ElementCondition Unless(ElementCondition condition)
{
    condition.Negate = !condition.Negate;
    return condition;
}

constexpr CitationElement Field(SourceField field, const char* prefix, const char* suffix,
                                ElementCondition when = {})
{
    return {ElementKind::Field, field, prefix, suffix, 0, when};
}

constexpr CitationElement Ordinal(SourceField field, const char* prefix, const char* suffix)
{
    return {ElementKind::Ordinal, field, prefix, suffix, 0, {}};
}

constexpr CitationElement Authors()
{
    return {ElementKind::Authors, SourceField::Title, "", "", 0, {}};
}

constexpr CitationElement Text(const char* text, ElementCondition when = {})
{
    return {ElementKind::Text, SourceField::Title, text, "", 0, when};
}

constexpr CitationElement DateAs(const char* pattern, ElementCondition when = {})
{
    return {ElementKind::Date, SourceField::DateText, pattern, "", 0, when};
}

constexpr CitationElement TrimThen(const char* text, ElementCondition when = {})
{
    return {ElementKind::TrimThen, SourceField::Title, text, "", 0, when};
}

constexpr CitationElement Mark(int kind, SourceField field, ElementCondition when = {})
{
    return {ElementKind::Mark, field, "", "", kind, when};
}

} // namespace CitationElements
