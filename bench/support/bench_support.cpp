#include "support/bench_support.h"

#include <algorithm>
#include <deque>
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

void fillFamilyTree(ItemStore& store, int n, unsigned seed) {
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    std::poisson_distribution<int> children(2.6);
    store.reserve(static_cast<size_t>(n));
    struct Waiting {
        PersonItem* person;
        int born;
    };
    std::deque<Waiting> waiting;  // persons who may still marry, generation by generation
    int made = 0;
    auto make = [&](bool male, int born) {
        PersonItem* p = store.createItem();
        p->FirstName = "Given" + std::to_string(made);
        p->LastName = "Family" + std::to_string(made % 997);
        p->BornDate = "12 Jan " + std::to_string(born);
        p->Sex = male ? "M" : "F";
        ++made;
        return p;
    };
    while (made < n) {
        if (waiting.empty()) {
            const int born = 1600 + static_cast<int>(chance(rng) * 40);
            waiting.push_back({make(true, born), born});
            continue;
        }
        const Waiting me = waiting.front();
        waiting.pop_front();
        if (chance(rng) > 0.85 || me.person->Spouse[1]) continue;  // never married, or married already
        const bool male = me.person->Sex == "M";
        const int marriages = chance(rng) < 0.12 ? 2 : 1;
        for (int m = 0; m < marriages && made < n; ++m) {
            // A quarter marry someone of the tree (cousins, other branches), the rest from outside.
            PersonItem* partner = nullptr;
            for (size_t k = 0; k < std::min<size_t>(waiting.size(), 8) && !partner && chance(rng) < 0.25; ++k) {
                PersonItem* q = waiting[k].person;
                if ((q->Sex == "M") != male && !q->Spouse[1]) partner = q;
            }
            if (!partner) partner = make(!male, me.born);
            store.addMarriage(me.person, partner);
            PersonItem* father = male ? me.person : partner;
            PersonItem* mother = male ? partner : me.person;
            const int kids = children(rng);
            for (int k = 0; k < kids && made < n; ++k) {
                const int born = me.born + 22 + m * 12 + k * 2;
                PersonItem* c = make(chance(rng) < 0.5, born);
                c->Father = father;
                c->Mother = mother;
                waiting.push_back({c, born});
            }
        }
    }
}

}  // namespace kinloom::bench
