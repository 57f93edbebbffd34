#pragma once

// The slots of SourceRecord::Fields that citations use, by name. Slots 0 to 2 mean the
// same for every source type; 3 to 8 change meaning with the type, so each of them has
// one name per meaning (the caption the source editor shows for it), and a style's
// element list names a slot as its type knows it. Slots 9 to 14 are stored, never shown.
//
//   slot  Book            Journal Article  Periodical  Online         Dissertation  Multimedia   Lecture
//   0     Title           Title            Title       Title          Title         Title        Title
//   1     Publisher       Publisher        Publisher   Publisher      Publisher     Publisher    Organization
//   2     DateText        DateText         DateText    DateText       DateText      DateText     DateText
//   3     Volume          Volume           Section     Volume         -             -            -
//   4     Pages           Pages            Pages       AccessedOnline Pages         Medium       -
//   5     Edition         AccessedArticle  -           -              -             -            -
//   6     City            -                -           -              City          City         City
//   7     Chapter         Url              -           Url            School        Series       Event
//   8     Editors         -                -           -              Degree        -            Place
//
// Slots 9 to 14 are never shown and no style writes them. What a source brought from an
// outside bibliography file that identifies it, and fits none of the shown slots, is kept
// there, so that a second import finds it as a duplicate and an export gives it back
// (format/SourceMapping.md):
//   9 the citation key, 10 the DOI, 11 the ISBN, 12 the ISSN, 13 the URL of a type
//   without a URL slot; 14 is unused.
//
// DateText is the date as the style writes it, rebuilt from the source's Date on every
// formatting. Edition is "Edition/Series"; the two "Date Accessed" texts are free text.
enum class SourceField : int
{
    Title = 0,
    Publisher = 1,
    Organization = 1,
    DateText = 2,
    Volume = 3,
    Section = 3,
    Pages = 4,
    AccessedOnline = 4,
    Medium = 4,
    Edition = 5,
    AccessedArticle = 5,
    City = 6,
    Chapter = 7,
    Url = 7,
    School = 7,
    Series = 7,
    Event = 7,
    Editors = 8,
    Degree = 8,
    Place = 8,
};

// The hidden slots, by name.
namespace IdentifierField {
constexpr int CitationKey = 9;
constexpr int Doi = 10;
constexpr int Isbn = 11;
constexpr int Issn = 12;
constexpr int Url = 13;
} // namespace IdentifierField
