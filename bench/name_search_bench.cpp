#include "canvas/name_search.h"
#include "platform/charsets.h"
#include "support/bench_support.h"

#include <benchmark/benchmark.h>

// Filling and sorting the name search for a whole tree: renumbering, one line per person, sort.
static void BM_NameSearchFill(benchmark::State& state) {
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    const kinloom::DisplayCharset charset;
    for (auto _ : state) {
        kinloom::NameSearchList list;
        list.fill(store, charset);
        benchmark::DoNotOptimize(list.lines().size());
    }
}
BENCHMARK(BM_NameSearchFill)->Arg(100000)->Unit(benchmark::kMillisecond);

// One keystroke's search: the first line that begins with the typed text.
static void BM_NameSearchKeystroke(benchmark::State& state) {
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    kinloom::NameSearchList list;
    list.fill(store, kinloom::DisplayCharset());
    const QString typed = list.lines().at(list.lines().size() / 2).left(4).toLower();
    for (auto _ : state) benchmark::DoNotOptimize(list.findFirst(typed));
}
BENCHMARK(BM_NameSearchKeystroke)->Arg(100000)->Unit(benchmark::kMicrosecond);
