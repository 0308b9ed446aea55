#include "reports/html_report.h"
#include "support/bench_support.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "html_report_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

// The whole page set of a random tree (two files per person, the index and the frame set) into
// a fresh folder. Argument: items. The counter gives the time per person.
void BM_HtmlReport(benchmark::State& state) {
    ensureGuiApplication();
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    kinloom::HtmlReportProgress quiet;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir dir;
        kinloom::HtmlReportJob job;
        job.outputFolder = dir.path();
        job.personCount = store.personCount();
        state.ResumeTiming();
        const kinloom::HtmlReportResult result = kinloom::writeHtmlReport(store, job, quiet);
        if (!result.ok) state.SkipWithError(result.error.toStdString().c_str());
        state.PauseTiming();
        dir.remove();
        state.ResumeTiming();
    }
    state.counters["per_person"] =
        benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                                    benchmark::Counter::kInvert);
}
BENCHMARK(BM_HtmlReport)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HtmlReport)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
