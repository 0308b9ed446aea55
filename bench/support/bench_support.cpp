#include "support/bench_support.h"

#include <random>
#include <string>

namespace kinloom::bench {

void fillRandomTree(ItemStore& store, int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<PersonItem*> items;
    items.reserve(n);
    for (int i = 0; i < n; ++i) {
        store.pointerX = static_cast<int>(rng() % 20000);
        store.pointerY = static_cast<int>(rng() % 20000);
        PersonItem* p = store.createItem();
        p->FirstName = "Given" + std::to_string(i);
        p->LastName = "Family" + std::to_string(i % 997);
        p->BornDate = "12 Jan " + std::to_string(1700 + i % 300);
        p->Sex = (i % 2) ? "F" : "M";
        if (i >= 2) {
            PersonItem* father = items[rng() % items.size()];
            PersonItem* mother = items[rng() % items.size()];
            if (father != mother) {
                p->Father = father;
                p->Mother = mother;
                if (rng() % 4 == 0) store.addMarriage(father, mother);
            }
        }
        items.push_back(p);
    }
}

void fillLaidOutTree(ItemStore& store, int n) {
    constexpr int kRow = 500;
    std::vector<PersonItem*> items;
    items.reserve(n);
    for (int i = 0; i < n; ++i) {
        PersonItem* p = store.createItem();
        p->FirstName = "Given" + std::to_string(i);
        p->LastName = "Family" + std::to_string(i % 997);
        p->BornDate = "12 Jan " + std::to_string(1700 + i % 300);
        p->Sex = (i % 2) ? "F" : "M";
        p->X = (i % kRow) * 160;
        p->Y = (i / kRow) * 120;
        if (i >= kRow) {
            const int above = i - kRow - (i % 2);
            p->Father = items[above];
            p->Mother = items[above + 1];
        }
        if (i % 4 == 1) store.addMarriage(items[i - 1], p);
        items.push_back(p);
    }
}

}  // namespace kinloom::bench
