#include "support/bench_support.h"

#include <benchmark/benchmark.h>

static void BM_CreateItems(benchmark::State& state) {
    for (auto _ : state) {
        kinloom::ItemStore store;
        kinloom::bench::fillRandomTree(store, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(store.firstItem());
    }
}
BENCHMARK(BM_CreateItems)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
