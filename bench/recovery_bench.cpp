// What the crash recovery data costs a step: a one-item edit and a move of every item, with and
// without recording, the first step of a tree opened from its file (the log names its records),
// and the copy of a tree that is nowhere else (an import), at 100,000 and 1,000,000 items.
#include "document/recovery_recorder.h"
#include "document/recovery_replay.h"
#include "document/undo_history.h"
#include "support/bench_support.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kinloom;

namespace {

struct Tree {
    QTemporaryDir dir;
    ItemStore store;
    UndoHistory history{store};
    RecoveryRecorder recovery{store, history};
    explicit Tree(int n, bool record) {
        bench::fillRandomTree(store, n);
        history.clear();
        if (record) recovery.setFolder(dir.filePath("kinloom"));
    }
};

void oneItemStep(benchmark::State& state, bool record) {
    Tree t(static_cast<int>(state.range(0)), record);
    t.recovery.start({}, "Untitled tree");
    PersonItem* item = t.store.lastItem()->Prev;
    int n = 0;
    for (auto _ : state) {
        EditStep step(t.store, QStringLiteral("Properties"));
        t.store.touch(item);
        item->FirstName = (++n % 2) ? "Changed" : "Changed again";
    }
}

void moveAllStep(benchmark::State& state, bool record) {
    Tree t(static_cast<int>(state.range(0)), record);
    t.recovery.start({}, "Untitled tree");
    for (auto _ : state) {
        EditStep step(t.store, QStringLiteral("Auto Arrange"));
        for (PersonItem* p = t.store.firstItem(); p; p = p->Next) {
            t.store.touchPlace(p);
            p->X += 5;
        }
    }
}

}  // namespace

static void BM_OneItemStepRecorded(benchmark::State& state) { oneItemStep(state, true); }
static void BM_OneItemStepUnrecorded(benchmark::State& state) { oneItemStep(state, false); }
BENCHMARK(BM_OneItemStepRecorded)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OneItemStepUnrecorded)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

static void BM_MoveAllStepRecorded(benchmark::State& state) { moveAllStep(state, true); }
static void BM_MoveAllStepUnrecorded(benchmark::State& state) { moveAllStep(state, false); }
BENCHMARK(BM_MoveAllStepRecorded)->Arg(100000)->Arg(1000000)->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveAllStepUnrecorded)->Arg(100000)->Arg(1000000)->Iterations(5)->Unit(benchmark::kMillisecond);

// The first step of a tree that is its file: the log is made, naming each record.
static void BM_FirstStepOfAnOpenedTree(benchmark::State& state) {
    Tree t(static_cast<int>(state.range(0)), true);
    const QString file = t.dir.filePath("tree.kl3");
    QFile f(file);
    (void)f.open(QIODevice::WriteOnly);
    f.close();
    t.store.modified = false;
    PersonItem* item = t.store.lastItem();
    for (auto _ : state) {
        state.PauseTiming();
        t.history.clear();
        t.recovery.start(file, "tree.kl3");
        state.ResumeTiming();
        EditStep step(t.store, QStringLiteral("Properties"));
        t.store.touch(item);
        item->FirstName = "Changed";
    }
}
BENCHMARK(BM_FirstStepOfAnOpenedTree)->Arg(100000)->Arg(1000000)->Iterations(5)->Unit(benchmark::kMillisecond);

// An imported tree is copied whole when its history starts (part of the import, not of a step).
static void BM_CopyOfAnImportedTree(benchmark::State& state) {
    Tree t(static_cast<int>(state.range(0)), true);
    t.store.modified = true;
    for (auto _ : state) t.recovery.start({}, "Untitled tree imported from big.ged");
    QFile log(t.recovery.logPath());
    state.counters["log_bytes"] = static_cast<double>(log.size());
}
BENCHMARK(BM_CopyOfAnImportedTree)->Arg(100000)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);
