#include "document/tree_file.h"
#include "layout/ancestor_tree.h"
#include "layout/auto_arrange.h"
#include "platform/scripted_prompts.h"
#include "support/bench_support.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

using namespace kinloom;

// Auto arrange of a random connected family (parents and marriages among earlier items).
static void BM_AutoArrange(benchmark::State& state) {
    TItemStore store;
    bench::FillRandomTree(store, static_cast<int>(state.range(0)));
    ViewState view;
    for (auto _ : state) {
        ArrangeAllItems(store, view, {1024, 768});
        benchmark::DoNotOptimize(store.FirstItem()->X);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_AutoArrange)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One marriage chain: the whole family is one row, and the placement nests as deep as it is long.
static void BM_AutoArrangeMarriageChain(benchmark::State& state) {
    TItemStore store;
    TPersonItem* previous = nullptr;
    for (int i = 0; i < state.range(0); ++i) {
        TPersonItem* p = store.LagNyPerson();
        if (previous) store.AddMarriage(previous, p);
        previous = p;
    }
    for (auto _ : state) {
        Autoarrange1Click(store);
        benchmark::DoNotOptimize(store.FirstItem()->X);
    }
}
BENCHMARK(BM_AutoArrangeMarriageChain)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_CreateTreeSevenGenerations(benchmark::State& state) {
    ScriptedPrompts prompts;
    for (auto _ : state) {
        TItemStore store;
        store.CurrentItem = store.LagNyPerson();
        CreateTree(store, TreeStyle::Compact, [] { return std::optional<QString>(QStringLiteral("7")); },
                   prompts);
        benchmark::DoNotOptimize(store.LastItem());
    }
}
BENCHMARK(BM_CreateTreeSevenGenerations)->Unit(benchmark::kMicrosecond);

static void BM_OrganizeTreeEightGenerations(benchmark::State& state) {
    TItemStore store;
    TPersonItem* root = store.LagNyPerson();
    std::vector<TPersonItem*> generation{root};
    for (int g = 1; g < 8; ++g) {
        std::vector<TPersonItem*> next;
        for (TPersonItem* child : generation) {
            child->Father = store.LagNyPerson();
            child->Mother = store.LagNyPerson();
            next.push_back(child->Father);
            next.push_back(child->Mother);
        }
        generation = next;
    }
    ScriptedPrompts prompts;
    for (auto _ : state) {
        store.CurrentItem = root;
        OrganizeTree(store, TreeStyle::Fractal, 8, prompts);
        benchmark::DoNotOptimize(store.LastItem()->X);
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
        TItemStore store(&prompts);
        bench::FillRandomTree(store, static_cast<int>(state.range(0)));
        SavetoFile(store, in, prompts);
    }
    for (auto _ : state) {
        TItemStore store(&prompts);
        ViewState view;
        ReadfromFile(store, in, view, {}, prompts);
        ArrangeAllItems(store, view, {});
        benchmark::DoNotOptimize(SavetoFile(store, out, prompts));
    }
}
BENCHMARK(BM_ArrangeTreeFile)->Arg(100000)->Unit(benchmark::kMillisecond);
