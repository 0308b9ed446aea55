#include "canvas/form_paint.h"
#include "support/bench_support.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

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

// A tree laid out as trees are drawn: generations in rows of 500 boxes, parents in the row above
// and near the child, spouses side by side. Links are short, as in real trees, unlike the random
// tree above whose links cross the whole canvas.
void FillLocalTree(kinloom::TItemStore& store, int n) {
    constexpr int kRow = 500;
    std::vector<kinloom::TPersonItem*> items;
    items.reserve(n);
    for (int i = 0; i < n; ++i) {
        kinloom::TPersonItem* p = store.LagNyPerson();
        p->FirstName = "Given" + std::to_string(i);
        p->LastName = "Family" + std::to_string(i % 997);
        p->BornDate = "12 Jan " + std::to_string(1700 + i % 300);
        p->Sex = (i % 2) ? "F" : "M";
        p->X = (i % kRow) * 160;
        p->Y = (i / kRow) * 120;
        if (i >= kRow) {
            const int above = i - kRow - (i % 2);
            p->Father = items[above];
            p->Mother = items[above + 1];
        }
        if (i % 2 == 1 && i % 4 == 1) store.AddMarriage(items[i - 1], p);
        items.push_back(p);
    }
}

void BM_FormPaintLocalTree(benchmark::State& state) {
    EnsureGuiApplication();
    kinloom::TItemStore store;
    FillLocalTree(store, static_cast<int>(state.range(0)));
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
BENCHMARK(BM_FormPaintLocalTree)
    ->ArgsProduct({{1000, 10000, 100000}, {100, 5, 1}})
    ->ArgNames({"items", "zoom"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
