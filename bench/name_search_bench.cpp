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

// One keystroke's search by any name word, the list the window then shows: a given name that
// begins no line ("given5": 11,111 persons of 100,000) and a surname that begins lines
// ("family12": 1 of 997 surnames and ten more, 1,100 persons).
static void BM_NameSearchAnyWord(benchmark::State& state) {
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    kinloom::NameSearchList list;
    list.fill(store, kinloom::DisplayCharset());
    const QString typed = state.range(1) ? QStringLiteral("family12") : QStringLiteral("given5");
    for (auto _ : state) benchmark::DoNotOptimize(list.findMatches(typed).size());
}
BENCHMARK(BM_NameSearchAnyWord)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMicrosecond);
