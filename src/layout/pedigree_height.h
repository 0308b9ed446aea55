#pragma once
#include "document/person_item.h"

#include <unordered_map>
#include <utility>
#include <vector>

namespace kinloom {

// Heights in a hash table: for walks that meet a few items of a large tree.
struct HashedHeights {
    std::unordered_map<const PersonItem*, int>& map;
    int* find(const PersonItem* p) {
        const auto it = map.find(p);
        return it == map.end() ? nullptr : &it->second;
    }
    int& operator[](const PersonItem* p) { return map[p]; }
};

// Heights in an array, by the index `indexOf` gives each item: for every item of a tree at once,
// where a hash table's scattered buckets cost more than the walk itself.
template <typename IndexOf>
struct IndexedHeights {
    static constexpr int kAbsent = -2;
    IndexedHeights(size_t items, IndexOf index) : values(items, kAbsent), indexOf(index) {}
    int* find(const PersonItem* p) {
        int& v = values[indexOf(p)];
        return v == kAbsent ? nullptr : &v;
    }
    int& operator[](const PersonItem* p) { return values[indexOf(p)]; }
    std::vector<int> values;
    IndexOf indexOf;
};

// The longest chain of father and mother links above an item, counting the item itself and never
// passing through an alias item, capped at `cap`. An item that can reach a circle of parent links
// gets `cap`. This is exactly what the ancestor walk measures when it starts at that item, found
// without walking every path (a pedigree that marries cousins has exponentially many).
// The memo (HashedHeights or IndexedHeights) maps items to heights; it may be shared between
// calls while no link changes.
template <typename Memo>
int pedigreeHeight(const PersonItem* start, Memo& memo, int cap) {
    constexpr int kOpen = -1;  // on the current path: reaching it again closes a circle
    if (!start) return 0;
    if (const int* known = memo.find(start); known && *known != kOpen) return *known;
    // An explicit stack: a chain of a hundred thousand generations must not overflow the call stack.
    std::vector<std::pair<const PersonItem*, int>> stack;  // item, next parent to look at (0, 1, 2)
    memo[start] = kOpen;
    stack.emplace_back(start, 0);
    auto valueOf = [&](const PersonItem* parent) {
        if (!parent) return 0;
        const int v = *memo.find(parent);
        return v == kOpen ? cap : v;
    };
    while (!stack.empty()) {
        auto& [item, stage] = stack.back();
        if (item->isAlias()) {  // the walk stops at an alias; its Father is its original
            memo[item] = 1;
            stack.pop_back();
            continue;
        }
        if (stage < 2) {
            const PersonItem* parent = stage == 0 ? item->Father : item->Mother;
            ++stage;
            if (parent && !memo.find(parent)) {
                memo[parent] = kOpen;
                stack.emplace_back(parent, 0);
            }
            continue;
        }
        const int h = 1 + std::max(valueOf(item->Father), valueOf(item->Mother));
        memo[item] = std::min(h, cap);
        stack.pop_back();
    }
    return *memo.find(start);
}

inline int pedigreeHeight(const PersonItem* start, std::unordered_map<const PersonItem*, int>& memo, int cap) {
    HashedHeights heights{memo};
    return pedigreeHeight(start, heights, cap);
}

}  // namespace kinloom
