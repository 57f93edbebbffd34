#pragma once

// The orders of the current notes list, as the setting "NoteSortID" stores them. A sort
// id's hundreds digit gives the direction (below 800 ascending, 800 or more descending)
// and its last two digits the key: 01 date added, 02 last edited, 03 source, 04
// categories, 05 placement only.
namespace NoteSortId {
constexpr int AddToTop = 705; // "Add: To Top": no reordering
constexpr int AddToBottom = 805; // "Add: To Bottom": no reordering (the default)
constexpr int SourceAToZ = 703; // "Source: A to Z"
constexpr int SourceZToA = 803; // "Source: Z to A"
constexpr int CategoriesAToZ = 704; // "Categories: A to Z"
constexpr int CategoriesZToA = 804; // "Categories: Z to A"
constexpr int DateAddedPastFirst = 701; // "Date Added: Past to Present"
constexpr int DateAddedRecentFirst = 801; // "Date Added: Present to Past"
constexpr int LastEditedPastFirst = 702; // offered by no control, but honoured
constexpr int LastEditedRecentFirst = 802;
} // namespace NoteSortId
