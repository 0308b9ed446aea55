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
// where a hash table's scattered buckets cost more than the walk itself. Heights are small (the
// walks are capped), so a byte each (Value = int8_t) keeps a large tree's table in the cache.
template <typename IndexOf, typename Node = const PersonItem*, typename Value = int>
struct IndexedHeights {
    static constexpr int kAbsent = -2;
    IndexedHeights(size_t items, IndexOf index) : values(items, kAbsent), indexOf(index) {}
    Value* find(Node p) {
        Value& v = values[indexOf(p)];
        return v == kAbsent ? nullptr : &v;
    }
    Value& operator[](Node p) { return values[indexOf(p)]; }
    std::vector<Value> values;
    IndexOf indexOf;
};

// How the walk sees the items: as the items themselves, through their links.
struct ItemParents {
    static const PersonItem* none() { return nullptr; }
    static const PersonItem* father(const PersonItem* p) { return p->Father; }
    static const PersonItem* mother(const PersonItem* p) { return p->Mother; }
    static bool isAlias(const PersonItem* p) { return p->isAlias(); }
};

// The longest chain of father and mother links above an item, counting the item itself and never
// passing through an alias item, capped at `cap`. An item that can reach a circle of parent links
// gets `cap`. This is exactly what the ancestor walk measures when it starts at that item, found
// without walking every path (a pedigree that marries cousins has exponentially many).
// The memo (HashedHeights or IndexedHeights) maps items to heights; it may be shared between
// calls while no link changes. `parents` gives each item's father, mother and alias mark (see
// ItemParents), so that the walk runs as well over items numbered in plain arrays.
template <typename Node, typename Parents, typename Memo>
int pedigreeHeight(Node start, const Parents& parents, Memo& memo, int cap) {
    constexpr int kOpen = -1;  // on the current path: reaching it again closes a circle
    if (start == parents.none()) return 0;
    if (const auto* known = memo.find(start); known && *known != kOpen) return *known;
    // An explicit stack: a chain of a hundred thousand generations must not overflow the call stack.
    std::vector<std::pair<Node, int>> stack;  // item, next parent to look at (0, 1, 2)
    memo[start] = kOpen;
    stack.emplace_back(start, 0);
    auto valueOf = [&](Node parent) {
        if (parent == parents.none()) return 0;
        const int v = *memo.find(parent);
        return v == kOpen ? cap : v;
    };
    while (!stack.empty()) {
        auto& [item, stage] = stack.back();
        if (parents.isAlias(item)) {  // the walk stops at an alias; its Father is its original
            memo[item] = 1;
            stack.pop_back();
            continue;
        }
        if (stage < 2) {
            const Node parent = stage == 0 ? parents.father(item) : parents.mother(item);
            ++stage;
            if (parent != parents.none() && !memo.find(parent)) {
                memo[parent] = kOpen;
                stack.emplace_back(parent, 0);
            }
            continue;
        }
        const int h = 1 + std::max(valueOf(parents.father(item)), valueOf(parents.mother(item)));
        memo[item] = std::min(h, cap);
        stack.pop_back();
    }
    return *memo.find(start);
}

template <typename Memo>
int pedigreeHeight(const PersonItem* start, Memo& memo, int cap) {
    return pedigreeHeight(start, ItemParents{}, memo, cap);
}

inline int pedigreeHeight(const PersonItem* start, std::unordered_map<const PersonItem*, int>& memo, int cap) {
    HashedHeights heights{memo};
    return pedigreeHeight(start, ItemParents{}, heights, cap);
}

}  // namespace kinloom
