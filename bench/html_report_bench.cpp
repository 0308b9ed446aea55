#include "reports/html_report.h"
#include "support/bench_support.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "html_report_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

QString outputParent() {
    const QString chosen = qEnvironmentVariable("KINLOOM_BENCH_FOLDER");
    return chosen.isEmpty() ? QCoreApplication::applicationDirPath() : chosen;
}

// The whole page set of a random tree (two files per person, the index and the frame set) into
// a fresh folder. Argument: items. Time is wall time, CPU time is the whole process's (the writer
// uses all cores); the counter gives the wall time per person. The folders are removed only
// after the last run: removing thousands of files just before writing as many more would time
// the file system's handling of just-freed inodes rather than the writer. For the same reason
// they are made beside the program rather than in /tmp, where the compilers of a shared machine
// create and delete files all the time (ext4 without a journal passes over every inode freed
// in the last half minute when it makes a file). KINLOOM_BENCH_FOLDER chooses another place.
void BM_HtmlReport(benchmark::State& state) {
    ensureGuiApplication();
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    kinloom::HtmlReportProgress quiet;
    std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    for (auto _ : state) {
        state.PauseTiming();
        dirs.push_back(std::make_unique<QTemporaryDir>(outputParent() + QStringLiteral("/html_report_bench-XXXXXX")));
        if (!dirs.back()->isValid()) state.SkipWithError("Could not make the output folder");
        kinloom::HtmlReportJob job;
        job.outputFolder = dirs.back()->path();
        job.personCount = store.personCount();
        state.ResumeTiming();
        const kinloom::HtmlReportResult result = kinloom::writeHtmlReport(store, job, quiet);
        if (!result.ok) state.SkipWithError(result.error.toStdString().c_str());
    }
    state.counters["per_person"] =
        benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                    benchmark::Counter::kInvert);
}
BENCHMARK(BM_HtmlReport)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime()->UseRealTime();
BENCHMARK(BM_HtmlReport)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace
