#include "reports/alphabetical_list.h"
#include "reports/quality_check.h"
#include "support/bench_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

// The quality check over n items, each naming a notes file that exists beside the tree.
static void BM_QualityCheckExistingFiles(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, n);
    int i = 0;
    for (kinloom::PersonItem* p = store.firstItem(); p; p = p->Next, ++i) {
        const std::string name = "notes" + std::to_string(i) + ".txt";
        QFile(dir.filePath(QString::fromStdString(name))).open(QIODevice::WriteOnly);
        p->NotesFile = name;
    }
    for (auto _ : state) {
        const kinloom::QualityCheckResult r = kinloom::runQualityCheck(store, dir.path());
        if (r.count != 0) state.SkipWithError("files were not found");
        benchmark::DoNotOptimize(r.count);
    }
}
BENCHMARK(BM_QualityCheckExistingFiles)->Arg(100000)->Unit(benchmark::kMillisecond);

// The same as named in a tree made on Windows ("NOTES\\notes7.TXT" for notes/notes7.txt): every
// name is found by the one listing of the folder, ignoring case.
static void BM_QualityCheckWindowsNames(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("notes");
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, n);
    int i = 0;
    for (kinloom::PersonItem* p = store.firstItem(); p; p = p->Next, ++i) {
        QFile(dir.filePath(QStringLiteral("notes/notes%1.txt").arg(i))).open(QIODevice::WriteOnly);
        p->NotesFile = "NOTES\\notes" + std::to_string(i) + ".TXT";
    }
    for (auto _ : state) {
        const kinloom::QualityCheckResult r = kinloom::runQualityCheck(store, dir.path());
        if (r.count != 0) state.SkipWithError("files were not found");
        benchmark::DoNotOptimize(r.count);
    }
}
BENCHMARK(BM_QualityCheckWindowsNames)->Arg(100000)->Unit(benchmark::kMillisecond);

// The alphabetical list of n persons: the lines, the sort and the file; sorted by character codes
// (the C locale, second argument 0) or as English sorts (1).
static void BM_AlphabeticalList(benchmark::State& state) {
    QTemporaryDir dir;
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    const QString file = dir.filePath("list.txt");
    const QLocale locale = state.range(1) ? QLocale(QLocale::English, QLocale::UnitedStates) : QLocale::c();
    for (auto _ : state) {
        const std::vector<std::string> lines = kinloom::alphabeticalListLines(store, kinloom::DisplayCharset(), locale);
        if (!kinloom::writeAlphabeticalList(lines, file)) state.SkipWithError("list not written");
    }
}
BENCHMARK(BM_AlphabeticalList)->Args({100000, 0})->Args({100000, 1})->Unit(benchmark::kMillisecond);
