#include "layout/auto_arrange.h"
#include "layout/family_chart.h"
#include "support/bench_support.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

using namespace kinloom;

// The heap in use and its peak, counted by this program's operator new and delete.
namespace {
std::atomic<long long> heapNow{0}, heapPeak{0};
void* counted(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    const long long now = heapNow += static_cast<long long>(malloc_usable_size(p));
    long long peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}
void uncounted(void* p) {
    if (!p) return;
    heapNow -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
}  // namespace

void* operator new(std::size_t size) { return counted(size); }
void* operator new[](std::size_t size) { return counted(size); }
void operator delete(void* p) noexcept { uncounted(p); }
void operator delete[](void* p) noexcept { uncounted(p); }
void operator delete(void* p, std::size_t) noexcept { uncounted(p); }
void operator delete[](void* p, std::size_t) noexcept { uncounted(p); }

// The family chart of a family of n persons (generations, married-in partners, cousins, second
// marriages), positions written back into the store. bytes/person: the most heap the whole
// arrangement held above what was in use before it, the graph and the result included.
static void BM_FamilyChart(benchmark::State& state) {
    ItemStore store;
    const int n = static_cast<int>(state.range(0));
    bench::fillFamilyTree(store, n);
    long long extra = 0;
    for (auto _ : state) {
        const long long before = heapNow.load();
        heapPeak = before;
        arrangeAsFamilyChart(store);
        extra = std::max(extra, heapPeak.load() - before);
        benchmark::DoNotOptimize(store.firstItem()->X);
    }
    state.counters["bytes/person"] = static_cast<double>(extra) / n;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FamilyChart)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The arrangement alone, from the graph to the positions, with its own working memory.
static void BM_FamilyChartPositions(benchmark::State& state) {
    ItemStore store;
    const int n = static_cast<int>(state.range(0));
    bench::fillFamilyTree(store, n);
    const FamilyGraph graph = familyGraphOf(store);
    std::size_t working = 0;
    for (auto _ : state) {
        const std::vector<ChartPoint> at = familyChartPositions(graph, &working);
        benchmark::DoNotOptimize(at.data());
    }
    state.counters["graph bytes/person"] = static_cast<double>(graph.bytes()) / n;
    state.counters["working bytes/person"] = static_cast<double>(working) / n;
}
BENCHMARK(BM_FamilyChartPositions)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Auto arrange of the same family, for comparison.
static void BM_AutoArrangeFamily(benchmark::State& state) {
    ItemStore store;
    bench::fillFamilyTree(store, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        arrangeAllItems(store);
        benchmark::DoNotOptimize(store.firstItem()->X);
    }
}
BENCHMARK(BM_AutoArrangeFamily)->Arg(100000)->Unit(benchmark::kMillisecond);
