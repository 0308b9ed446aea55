#include "canvas/form_paint.h"
#include "support/bench_support.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

void EnsureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "form_paint_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

// One full repaint of a random tree (spread over 20000 x 20000 units) into a 1024 x 768 canvas:
// erase, then FormPaint. Arguments: items, zoom in percent.
void BM_FormPaint(benchmark::State& state) {
    EnsureGuiApplication();
    kinloom::TItemStore store;
    kinloom::bench::FillRandomTree(store, static_cast<int>(state.range(0)));
    store.CurrentItem = nullptr;
    const kinloom::ViewState view{static_cast<double>(state.range(1)), 0, 0};
    const QSize size(1024, 768);
    QImage image(size, QImage::Format_RGB32);
    const kinloom::PaintSettings settings;
    for (auto _ : state) {
        image.fill(kinloom::kCanvasBackground);
        QPainter painter(&image);
        const kinloom::PaintResult result = kinloom::FormPaint(painter, store, view, size, settings);
        benchmark::DoNotOptimize(result.Items);
    }
}
BENCHMARK(BM_FormPaint)
    ->ArgsProduct({{1000, 10000, 100000}, {100, 5, 1}})
    ->ArgNames({"items", "zoom"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
