#include "reports/alphabetical_list.h"
#include "reports/missing_information.h"
#include "reports/name_lists.h"
#include "reports/quality_check.h"
#include "reports/tree_statistics.h"
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
BENCHMARK(BM_AlphabeticalList)->ArgsProduct({{100000, 1000000}, {0, 1}})->Unit(benchmark::kMillisecond);

namespace {

// A random tree of n persons with the data the lists read: one of 300 places of birth and of
// death, one of 5,000 sources for every third person, a death year for every second.
void fillReportTree(kinloom::ItemStore& store, int n) {
    kinloom::bench::fillRandomTree(store, n);
    int i = 0;
    for (kinloom::PersonItem* p = store.firstItem(); p; p = p->Next, ++i) {
        p->BornPlace = "Place " + std::to_string(i % 300);
        if (i % 2) {
            p->DiedDate = std::to_string(1760 + i % 300);
            p->DiedPlace = "Place " + std::to_string((i / 2) % 300);
        }
        if (i % 3 == 0) p->Source = "Source " + std::to_string(i % 5000);
    }
}

}  // namespace

// Each list of Reports > Alphabetical list and Missing information, and the statistics, over n
// persons (first argument); the second chooses the list: 0 surnames, 1 places, 2 sources, 3 missing
// births, 4 missing deaths, 5 missing surnames, 6 statistics. Sorted as English sorts.
static void BM_ReportList(benchmark::State& state) {
    kinloom::ItemStore store;
    fillReportTree(store, static_cast<int>(state.range(0)));
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const kinloom::DisplayCharset cs;
    for (auto _ : state) {
        size_t size = 0;
        switch (state.range(1)) {
        case 0: size = kinloom::countLines(kinloom::surnameRows(store, cs, english)).size(); break;
        case 1: size = kinloom::countLines(kinloom::placeRows(store, cs, english)).size(); break;
        case 2: size = kinloom::sourceLines(kinloom::sourceRows(store, cs, english)).size(); break;
        case 3: size = kinloom::missingInformation(store, kinloom::MissingField::BirthDate, 2026, cs, english).size(); break;
        case 4: size = kinloom::missingInformation(store, kinloom::MissingField::DeathDate, 2026, cs, english).size(); break;
        case 5: size = kinloom::missingInformation(store, kinloom::MissingField::Surname, 2026, cs, english).size(); break;
        default: size = static_cast<size_t>(kinloom::treeStatistics(store).persons); break;
        }
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_ReportList)->ArgsProduct({{1000000}, {0, 1, 2, 3, 4, 5, 6}})->Unit(benchmark::kMillisecond);
