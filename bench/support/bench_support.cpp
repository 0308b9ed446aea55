#include "support/bench_support.h"

#include <random>
#include <string>

namespace kinloom::bench {

void FillRandomTree(TItemStore& store, int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<TPersonItem*> items;
    items.reserve(n);
    for (int i = 0; i < n; ++i) {
        store.PointerX = static_cast<int>(rng() % 20000);
        store.PointerY = static_cast<int>(rng() % 20000);
        TPersonItem* p = store.LagNyPerson();
        p->FirstName = "Given" + std::to_string(i);
        p->LastName = "Family" + std::to_string(i % 997);
        p->BornDate = "12 Jan " + std::to_string(1700 + i % 300);
        p->Sex = (i % 2) ? "F" : "M";
        if (i >= 2) {
            TPersonItem* father = items[rng() % items.size()];
            TPersonItem* mother = items[rng() % items.size()];
            if (father != mother) {
                p->Father = father;
                p->Mother = mother;
                if (rng() % 4 == 0) store.AddMarriage(father, mother);
            }
        }
        items.push_back(p);
    }
}

}  // namespace kinloom::bench
