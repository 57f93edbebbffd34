#pragma once

#include "format/AuthorRecord.h"

#include <QList>
#include <QString>

// How a style writes its list of author names.
struct NameListOptions
{
    enum class Order
    {
        LastFirst, // every name last name first
        Mixed, // the first name last name first, the others first name first
        NoPunctuation, // last name first, with every "," and "." removed from each name
    };
    Order order = Order::LastFirst;
    bool Initials = true; // the first name shrinks to its first letter
    bool SpaceAfterFirst = false; // a blank after the first name or initial
    bool WithMiddle = true; // the middle name, followed by "."
    int Conjunction = 0; // 1 "and ", 2 "& ", other: none
    int Separator = 1; // 1 ", ", 2 "; ", 3 ". ", other: " "
    int MaxNames = 6; // names written before "et al"
};

// "Smith, J. M." style: the last name and ", ", the first name (or its initial when
// initials is set and there is a last name, a one-letter part followed by "."), a blank
// when spaceAfterFirst is set, the middle name and ".", then trailing blanks removed.
QString AuthorNameLastFirst(const AuthorRecord& author, bool initials, bool spaceAfterFirst, bool withMiddle);
// "J. M. Smith" style: first name part, the middle name and "." (after a blank when
// spaceAfterFirst is set), then a blank and the last name; trailing blanks removed.
QString AuthorNameFirstLast(const AuthorRecord& author, bool initials, bool spaceAfterFirst, bool withMiddle);
// How an author is shown in lists and questions: "Smith, John M."
QString AuthorDisplayName(const AuthorRecord& author);

// The joined name list of the given ids, for example "Smith, J. M., & Doe, J" (no final
// period: the citation formatter adds it). An id with no author in authors, or the
// name at position MaxNames, ends the list with "et al".
QString FormatNameList(const QList<qint32>& authorIds, const NameListOptions& options,
                       const AuthorList& authors);
