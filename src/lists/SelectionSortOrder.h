#pragma once

#include "format/DateTime.h"

#include <vector>

// One note as the sentinel selection sort sees it, turned so that the order is ascending
// (a descending sort negates rank and date): the rank of its key among all keys (equal
// keys, equal ranks) and the date that breaks ties.
struct SortCandidate
{
    int rank = 0;
    DateTime::Status status = DateTime::Status::Null;
    double date = 0.0;
};

// The order in which this selection sort takes the items:
//   best = sentinel; for each remaining item in list order, item replaces best when it
//   sorts before best (lower rank, or equal rank and date earlier-or-equal under the
//   valid / null / invalid rule); the best is taken; repeat until nothing beats the
//   sentinel, then the rest follow in list order.
// Returns a permutation of the item indices. O(n log n): the passes are worked out group
// by group of equal rank instead of being run.
//
// Within a group of rank below the sentinel's, what a pass takes depends on the group's
// first remaining item f (the first to become best):
//   f invalid: nothing replaces it, so f is taken;
//   f null:    only null items replace it, so the last null is taken, pass after pass,
//              until f itself goes: all nulls, last first;
//   f valid:   only valid items not later than it replace it, so the valid items are
//              taken by date, ties last first, until f itself goes.
// In the sentinel's own group the sentinel is the first best; it is valid, so only valid
// items not later than it are ever taken, by date, ties last first.
std::vector<int> SelectionSortOrder(const std::vector<SortCandidate>& items, const SortCandidate& sentinel);
