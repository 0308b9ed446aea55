#include "canvas/paint_tree.h"
#include "support/bench_support.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>


namespace {

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "paint_tree_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

// One full repaint of a random tree (spread over 20000 x 20000 units) into a 1024 x 768 canvas:
// erase, then paintTree. Arguments: items, zoom in percent.
void BM_PaintTree(benchmark::State& state) {
    ensureGuiApplication();
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, static_cast<int>(state.range(0)));
    store.currentItem = nullptr;
    const kinloom::ViewState view{static_cast<double>(state.range(1)), 0, 0};
    const QSize size(1024, 768);
    QImage image(size, QImage::Format_RGB32);
    const kinloom::PaintSettings settings;
    for (auto _ : state) {
        image.fill(kinloom::kCanvasBackground);
        QPainter painter(&image);
        const kinloom::PaintResult result = kinloom::paintTree(painter, store, view, size, settings);
        benchmark::DoNotOptimize(result.items);
    }
}
BENCHMARK(BM_PaintTree)
    ->ArgsProduct({{1000, 10000, 100000}, {100, 5, 1}})
    ->ArgNames({"items", "zoom"})
    ->Unit(benchmark::kMillisecond);

// A tree laid out as trees are drawn (bench::fillLaidOutTree): links are short, as in real trees,
// unlike the random tree above whose links cross the whole canvas.
void BM_PaintTreeLocalTree(benchmark::State& state) {
    ensureGuiApplication();
    kinloom::ItemStore store;
    kinloom::bench::fillLaidOutTree(store, static_cast<int>(state.range(0)));
    store.currentItem = nullptr;
    const kinloom::ViewState view{static_cast<double>(state.range(1)), 0, 0};
    const QSize size(1024, 768);
    QImage image(size, QImage::Format_RGB32);
    const kinloom::PaintSettings settings;
    for (auto _ : state) {
        image.fill(kinloom::kCanvasBackground);
        QPainter painter(&image);
        const kinloom::PaintResult result = kinloom::paintTree(painter, store, view, size, settings);
        benchmark::DoNotOptimize(result.items);
    }
}
BENCHMARK(BM_PaintTreeLocalTree)
    ->ArgsProduct({{1000, 10000, 100000}, {100, 5, 1}})
    ->ArgNames({"items", "zoom"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
