#include "support/bench_support.h"

#include "document/legacy_file.h"
#include "document/tree_file.h"
#include "platform/console_prompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <vector>

using namespace kinloom;

namespace {

void putInt32(std::vector<char>& rec, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i) rec[offset + i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
}
void putText(std::vector<char>& rec, size_t offset, const std::string& text) {
    rec[offset] = static_cast<char>(text.size());
    std::copy(text.begin(), text.end(), rec.begin() + static_cast<std::ptrdiff_t>(offset) + 1);
}

// An old tree file of n records with names, dates, parents and (1.5.x) spouses.
QString writeOldFile(const QTemporaryDir& dir, int recordSize, int n) {
    const QString path = dir.filePath(recordSize == kVersion15RecordSize ? "old.kl2" : "old.kl");
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    std::vector<char> rec(static_cast<size_t>(recordSize));
    for (int i = 1; i <= n; ++i) {
        std::fill(rec.begin(), rec.end(), 0);
        putText(rec, 0, "Given" + std::to_string(i));
        putText(rec, 101, "Family" + std::to_string(i % 997));
        putText(rec, 202, "12/25/1900");
        putInt32(rec, 464, i);
        putInt32(rec, 468, i > 2 ? i / 2 : 0);
        putInt32(rec, 472, i > 2 ? i / 2 - 1 : 0);
        if (recordSize == kVersion15RecordSize) putInt32(rec, 896, i % 2 ? i + 1 : i - 1);
        f.write(rec.data(), static_cast<qint64>(rec.size()));
    }
    return path;
}

}  // namespace

static void BM_SaveTreeFile(benchmark::State& state) {
    QTemporaryDir dir;
    ConsolePrompts prompts(nullptr);  // the random filler overfills some marriages
    ItemStore store(&prompts);
    bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    const QString path = dir.filePath("tree.kl3");
    for (auto _ : state) benchmark::DoNotOptimize(saveToFile(store, path, prompts));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveTreeFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_OpenTreeFile(benchmark::State& state) {
    QTemporaryDir dir;
    ConsolePrompts prompts(nullptr);  // the random filler overfills some marriages
    const QString path = dir.filePath("tree.kl3");
    {
        ItemStore source(&prompts);
        bench::fillRandomTree(source, static_cast<int>(state.range(0)));
        saveToFile(source, path, prompts);
    }
    ItemStore store(&prompts);
    ViewState view;
    for (auto _ : state) benchmark::DoNotOptimize(readFromFile(store, path, view, {1024, 768}, prompts));
    state.SetItemsProcessed(state.iterations() * state.range(0));
    // What the open tree holds, items, texts and tables together, per item.
    store.clearMemory();
    const auto heldBytes = [] {
        const struct mallinfo2 m = mallinfo2();
        return static_cast<double>(m.uordblks + m.hblkhd);
    };
    const double before = heldBytes();
    readFromFile(store, path, view, {1024, 768}, prompts);
    state.counters["bytes_per_item"] = (heldBytes() - before) / static_cast<double>(state.range(0));
}
BENCHMARK(BM_OpenTreeFile)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_ReadVersion15(benchmark::State& state) {
    QTemporaryDir dir;
    ConsolePrompts prompts(nullptr);  // the random filler overfills some marriages
    const QString path = writeOldFile(dir, kVersion15RecordSize, static_cast<int>(state.range(0)));
    ItemStore store(&prompts);
    ViewState view;
    for (auto _ : state)
        benchmark::DoNotOptimize(readVersion15File(store, path, view, {1024, 768}, prompts, true));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadVersion15)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

static void BM_ReadVersion10(benchmark::State& state) {
    QTemporaryDir dir;
    ConsolePrompts prompts(nullptr);  // the random filler overfills some marriages
    const QString path = writeOldFile(dir, kVersion10RecordSize, static_cast<int>(state.range(0)));
    ItemStore store(&prompts);
    ViewState view;
    for (auto _ : state)
        benchmark::DoNotOptimize(readVersion10File(store, path, view, {1024, 768}, prompts, true));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadVersion10)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
