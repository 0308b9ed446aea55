#include "reports/poster.h"
#include "support/bench_support.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace {

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "print_poster_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

// A random tree (spread over 20000 x 20000 units, links across it) printed as "&Print" does into
// an A4 landscape PDF at 300 dpi, held in memory. Arguments: items, pages per side.
void BM_PrintPosterPdf(benchmark::State& state) {
    ensureGuiApplication();
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    kinloom::PosterSettings settings;
    settings.pagesPerSide = static_cast<int>(state.range(1));
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
        if (!kinloom::printPoster(pdf, store, settings)) state.SkipWithError("not printed");
        bytes = buffer.size();
    }
    state.counters["pdf_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_PrintPosterPdf)
    ->ArgsProduct({{10000, 100000}, {1, 4, 8}})
    ->ArgNames({"items", "pages"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
