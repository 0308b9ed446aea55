// Moving around a 100,000-item tree laid out in generation rows: one wheel step (scroll or zoom about the pointer) with the
// repaint it asks for, on a 1920 x 1080 canvas at pixel ratio 1 and 2, and fitting the whole tree.
#include "canvas/canvas_surface.h"
#include "canvas/fit_view.h"
#include "canvas/interaction.h"
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
    static char name[] = "canvas_view_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

// A canvas that repaints into a back buffer as the canvas widget does.
struct BufferSurface : kinloom::CanvasSurface {
    BufferSurface(const kinloom::ItemStore& store, const kinloom::ViewState& view, QSize size, int ratio)
        : store(store), view(view), size(size), buffer(size * ratio, QImage::Format_RGB32) {
        buffer.setDevicePixelRatio(ratio);
    }
    void repaint() override {
        buffer.fill(kinloom::kCanvasBackground);
        QPainter painter(&buffer);
        items = kinloom::paintTree(painter, store, view, size, settings).items;
    }
    void paintWithoutErase() override {}
    void invertRect(const QRect&) override {}
    void invertLine(QPoint, QPoint) override {}
    void invertFrame(QPoint, QPoint, bool) override {}
    void fillBackground() override {}
    void fillBox(const QRect&, bool) override {}
    void setCanvasCursor(kinloom::CanvasCursor) override {}
    void setStatusText(const QString&) override {}
    void setHint(const QString&, bool) override {}
    void setZoomToAreaChecked(bool) override {}
    void setToolbarButtons(bool, bool) override {}

    const kinloom::ItemStore& store;
    const kinloom::ViewState& view;
    QSize size;
    QImage buffer;
    kinloom::PaintSettings settings;
    int items = 0;
};

constexpr int kItems = 100000;

// One wheel notch with its repaint, alternately down and up.
// Arguments: zoom in percent, pixel ratio, 1 for Ctrl (zoom about the pointer; the zoom given is the
// one the notch starts from).
void BM_WheelStep(benchmark::State& state) {
    ensureGuiApplication();
    kinloom::ItemStore store;
    kinloom::bench::fillLaidOutTree(store, kItems);
    store.currentItem = nullptr;
    kinloom::ViewState view{static_cast<double>(state.range(0)), 0, 0};
    const QSize size(1920, 1080);
    BufferSurface surface(store, view, size, static_cast<int>(state.range(1)));
    kinloom::CanvasInteraction in(store, view, surface);
    in.window = {1920, 1080};
    in.scrollStep = 150;
    const Qt::KeyboardModifiers mods = state.range(2) ? Qt::ControlModifier : Qt::NoModifier;
    const QPoint pointer(700, 400);
    int direction = -120;
    for (auto _ : state) {
        in.wheel(pointer, {0, direction}, {}, mods);
        direction = -direction;  // back and forth, so that the view stays where it started
    }
    benchmark::DoNotOptimize(surface.items);
}
BENCHMARK(BM_WheelStep)
    ->ArgsProduct({{100, 5}, {1, 2}, {0, 1}})
    ->ArgNames({"zoom", "ratio", "ctrl"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_FitWholeTree(benchmark::State& state) {
    kinloom::ItemStore store;
    kinloom::bench::fillRandomTree(store, kItems);
    for (auto _ : state) {
        const kinloom::ViewState view = kinloom::fitWholeTree(store, QSize(1920, 1080));
        benchmark::DoNotOptimize(view.zoom);
    }
}
BENCHMARK(BM_FitWholeTree)->Unit(benchmark::kMillisecond);

}  // namespace
