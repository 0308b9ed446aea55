// Undo and redo at 100,000 items: a one-item edit and an auto arrange, and the memory of a step.
#include "canvas/edit_commands.h"
#include "document/undo_history.h"
#include "layout/auto_arrange.h"
#include "support/bench_support.h"

#include <benchmark/benchmark.h>

using namespace kinloom;

static void BM_UndoRedoOneItemEdit(benchmark::State& state) {
    ItemStore store;
    bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    UndoHistory history(store);
    PersonItem* item = store.lastItem()->Prev;
    {
        EditStep step(store, QStringLiteral("Properties"));
        store.touch(item);
        item->FirstName = "Changed";
        item->Father = store.firstItem();
    }
    state.counters["step_bytes"] = static_cast<double>(history.lastStepBytes());
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
}
BENCHMARK(BM_UndoRedoOneItemEdit)->Arg(100000)->Unit(benchmark::kMicrosecond);

static void BM_UndoRedoDelete(benchmark::State& state) {
    ItemStore store;
    bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    UndoHistory history(store);
    store.currentItem = store.firstItem()->Next;
    {
        EditStep step(store, QStringLiteral("Delete"));
        store.deleteItem();
    }
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
}
BENCHMARK(BM_UndoRedoDelete)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_UndoRedoAutoArrange(benchmark::State& state) {
    ItemStore store;
    bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    UndoHistory history(store);
    {
        EditStep step(store, QStringLiteral("Auto Arrange"));
        arrangeAllItems(store);
    }
    state.counters["step_bytes"] = static_cast<double>(history.lastStepBytes());
    for (auto _ : state) {
        history.undo();
        history.redo();
    }
}
BENCHMARK(BM_UndoRedoAutoArrange)->Arg(100000)->Unit(benchmark::kMillisecond);
