#include "document/tree_file.h"
#include "layout/ancestor_tree.h"
#include "layout/auto_arrange.h"
#include "platform/scripted_prompts.h"
#include "support/bench_support.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kinloom;

// Auto arrange of a tree that `fill` makes, of state.range(0) items.
template <typename Fill>
static void arrangeFilled(benchmark::State& state, Fill fill) {
    ItemStore store;
    fill(store, static_cast<int>(state.range(0)));
    ViewState view;
    for (auto _ : state) {
        arrangeAllItems(store, view, {1024, 768});
        benchmark::DoNotOptimize(store.firstItem()->X);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Auto arrange of a random connected family (parents and marriages among earlier items).
static void BM_AutoArrange(benchmark::State& state) {
    arrangeFilled(state, [](ItemStore& store, int n) { bench::fillRandomTree(store, n); });
}
BENCHMARK(BM_AutoArrange)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Auto arrange of a family as people have them: founders and descendants generation by generation,
// partners married in, items in the order a GEDCOM file gives them.
static void BM_AutoArrangeFamilyTree(benchmark::State& state) {
    arrangeFilled(state, [](ItemStore& store, int n) { bench::fillFamilyTree(store, n); });
}
BENCHMARK(BM_AutoArrangeFamilyTree)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// One marriage chain: the whole family is one row, and the placement nests as deep as it is long.
static void BM_AutoArrangeMarriageChain(benchmark::State& state) {
    ItemStore store;
    PersonItem* previous = nullptr;
    for (int i = 0; i < state.range(0); ++i) {
        PersonItem* p = store.createItem();
        if (previous) store.addMarriage(previous, p);
        previous = p;
    }
    for (auto _ : state) {
        arrangeAllItems(store);
        benchmark::DoNotOptimize(store.firstItem()->X);
    }
}
BENCHMARK(BM_AutoArrangeMarriageChain)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_CreateTreeSevenGenerations(benchmark::State& state) {
    ScriptedPrompts prompts;
    for (auto _ : state) {
        ItemStore store;
        store.currentItem = store.createItem();
        createTree(store, TreeStyle::Compact, [] { return std::optional<QString>(QStringLiteral("7")); },
                   prompts);
        benchmark::DoNotOptimize(store.lastItem());
    }
}
BENCHMARK(BM_CreateTreeSevenGenerations)->Unit(benchmark::kMicrosecond);

static void BM_OrganizeTreeEightGenerations(benchmark::State& state) {
    ItemStore store;
    PersonItem* root = store.createItem();
    std::vector<PersonItem*> generation{root};
    for (int g = 1; g < 8; ++g) {
        std::vector<PersonItem*> next;
        for (PersonItem* child : generation) {
            child->Father = store.createItem();
            child->Mother = store.createItem();
            next.push_back(child->Father);
            next.push_back(child->Mother);
        }
        generation = next;
    }
    ScriptedPrompts prompts;
    for (auto _ : state) {
        store.currentItem = root;
        organizeTree(store, TreeStyle::Fractal, 8, prompts);
        benchmark::DoNotOptimize(store.lastItem()->X);
    }
}
BENCHMARK(BM_OrganizeTreeEightGenerations)->Unit(benchmark::kMicrosecond);

// What kinloom-cli arrange does: read a tree file, arrange it, save it.
static void BM_ArrangeTreeFile(benchmark::State& state) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.kl3"));
    const QString out = dir.filePath(QStringLiteral("out.kl3"));
    ScriptedPrompts prompts;
    {
        ItemStore store(&prompts);
        bench::fillRandomTree(store, static_cast<int>(state.range(0)));
        saveToFile(store, in, prompts);
    }
    for (auto _ : state) {
        ItemStore store(&prompts);
        ViewState view;
        readFromFile(store, in, view, {}, prompts);
        arrangeAllItems(store, view, {});
        benchmark::DoNotOptimize(saveToFile(store, out, prompts));
    }
}
BENCHMARK(BM_ArrangeTreeFile)->Arg(100000)->Unit(benchmark::kMillisecond);
