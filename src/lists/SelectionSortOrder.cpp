#include "lists/SelectionSortOrder.h"

#include <algorithm>

namespace {

using Status = DateTime::Status;

// Valid items of a group in the order passes take them: by date, and among equal dates
// the later item first.
std::vector<int> ValidByDate(const std::vector<SortCandidate>& items, const std::vector<int>& group)
{
    std::vector<int> valid;
    for (int index : group) {
        if (items[index].status == Status::Valid)
            valid.push_back(index);
    }
    std::sort(valid.begin(), valid.end(), [&items](int a, int b) {
        if (items[a].date != items[b].date)
            return items[a].date < items[b].date;
        return a > b;
    });
    return valid;
}

// A group of equal rank below the sentinel, given in list order.
void TakeGroup(const std::vector<SortCandidate>& items, const std::vector<int>& group,
               std::vector<bool>& taken, std::vector<int>& order)
{
    const std::vector<int> valid = ValidByDate(items, group);
    size_t nextValid = 0;
    std::vector<int> nulls;
    for (int index : group) {
        if (items[index].status == Status::Null)
            nulls.push_back(index);
    }
    auto take = [&](int index) {
        taken[index] = true;
        order.push_back(index);
    };
    for (int first : group) {
        if (taken[first])
            continue;
        switch (items[first].status) {
        case Status::Invalid:
            take(first);
            break;
        case Status::Null:
            // Every null not yet taken lies at or after first.
            for (auto it = nulls.rbegin(); it != nulls.rend(); ++it) {
                if (!taken[*it])
                    take(*it);
            }
            break;
        case Status::Valid:
            // Valid items leave only through here, so the taken ones are a prefix.
            while (nextValid < valid.size()) {
                const int index = valid[nextValid++];
                take(index);
                if (index == first)
                    break;
            }
            break;
        }
    }
}

// The group whose rank equals the sentinel's: only valid items not later than the
// sentinel's date are ever taken.
void TakeSentinelGroup(const std::vector<SortCandidate>& items, const std::vector<int>& group,
                       const SortCandidate& sentinel, std::vector<bool>& taken, std::vector<int>& order)
{
    if (sentinel.status != Status::Valid)
        return;
    for (int index : ValidByDate(items, group)) {
        if (items[index].date > sentinel.date)
            break;
        taken[index] = true;
        order.push_back(index);
    }
}

} // namespace

std::vector<int> SelectionSortOrder(const std::vector<SortCandidate>& items, const SortCandidate& sentinel)
{
    const int count = static_cast<int>(items.size());
    std::vector<int> byRank(count);
    for (int i = 0; i < count; ++i)
        byRank[i] = i;
    std::stable_sort(byRank.begin(), byRank.end(),
                     [&items](int a, int b) { return items[a].rank < items[b].rank; });

    std::vector<bool> taken(count, false);
    std::vector<int> order;
    order.reserve(count);
    for (int start = 0; start < count;) {
        const int rank = items[byRank[start]].rank;
        int end = start;
        while (end < count && items[byRank[end]].rank == rank)
            ++end;
        if (rank > sentinel.rank)
            break; // such notes never beat the sentinel
        const std::vector<int> group(byRank.begin() + start, byRank.begin() + end);
        if (rank < sentinel.rank)
            TakeGroup(items, group, taken, order);
        else
            TakeSentinelGroup(items, group, sentinel, taken, order);
        start = end;
    }
    for (int i = 0; i < count; ++i) {
        if (!taken[i])
            order.push_back(i);
    }
    return order;
}
