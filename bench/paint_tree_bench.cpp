#include "canvas/paint_tree.h"
#include "support/bench_support.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

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

// A tree laid out as trees are drawn: generations in rows of 500 boxes, parents in the row above
// and near the child, spouses side by side. Links are short, as in real trees, unlike the random
// tree above whose links cross the whole canvas.
void fillLocalTree(kinloom::ItemStore& store, int n) {
    constexpr int kRow = 500;
    std::vector<kinloom::PersonItem*> items;
    items.reserve(n);
    for (int i = 0; i < n; ++i) {
        kinloom::PersonItem* p = store.createItem();
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
        if (i % 2 == 1 && i % 4 == 1) store.addMarriage(items[i - 1], p);
        items.push_back(p);
    }
}

void BM_PaintTreeLocalTree(benchmark::State& state) {
    ensureGuiApplication();
    kinloom::ItemStore store;
    fillLocalTree(store, static_cast<int>(state.range(0)));
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
