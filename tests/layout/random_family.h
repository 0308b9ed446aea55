#pragma once
// Random families for comparing the layout with its literal reference: parent links mostly to
// earlier items with a few to any item (circles), alias items, several marriages, lone families.
#include "document/item_store.h"

#include <random>
#include <vector>

namespace kinloom::test {

inline void fillRandomFamily(ItemStore& store, unsigned seed) {
    std::mt19937 rng(seed);
    auto chance = [&](int percent) { return static_cast<int>(rng() % 100) < percent; };
    const int n = 1 + static_cast<int>(rng() % 240);
    const int parentPercent = static_cast<int>(rng() % 90);
    const int circlePercent = chance(30) ? static_cast<int>(rng() % 6) : 0;
    const int aliasPercent = static_cast<int>(rng() % 12);
    const int marriages = static_cast<int>(rng() % (n + 1));
    const int rowCount = 1 + static_cast<int>(rng() % 12);  // few distinct Y values share rows
    std::vector<PersonItem*> items;
    for (int i = 0; i < n; ++i) {
        PersonItem* p = store.createItem();
        p->X = static_cast<int>(rng() % 20001) - 10000;
        p->Y = chance(50) ? static_cast<int>(rng() % rowCount) * 500 - 2000
                          : static_cast<int>(rng() % 8001) - 4000;
        items.push_back(p);
    }
    auto pick = [&](int i) -> PersonItem* {
        if (chance(circlePercent)) return items[rng() % items.size()];
        return i > 0 ? items[rng() % i] : nullptr;
    };
    for (int i = 0; i < n; ++i) {
        PersonItem* p = items[i];
        if (i > 0 && chance(aliasPercent)) {
            PersonItem* original = items[rng() % i];
            if (original->Kind != "REF") {
                p->Kind = "REF";
                p->Father = original;
                original->Kind = "ALIAS";
                continue;
            }
        }
        if (chance(parentPercent)) p->Father = pick(i);
        if (chance(parentPercent)) p->Mother = chance(3) ? p->Father : pick(i);
    }
    for (int m = 0; m < marriages; ++m) {
        PersonItem* a = items[rng() % items.size()];
        PersonItem* b = chance(2) ? a : items[rng() % items.size()];
        store.addMarriage(a, b);
    }
    // One-sided spouse links, as the version 1.5 files leave them.
    const int oneSided = chance(50) ? static_cast<int>(rng() % (n + 1)) : 0;
    for (int m = 0; m < oneSided; ++m) {
        PersonItem* a = items[rng() % items.size()];
        a->Spouse[1 + rng() % kMaxSpouses] = items[rng() % items.size()];
    }
    // A few stray selections: the run must leave none.
    for (int i = 0; i < n; ++i)
        if (chance(3)) store.addToSelection(items[i]);
    store.currentItem = nullptr;
}

}  // namespace kinloom::test
