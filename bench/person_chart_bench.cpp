#include "document/item_store.h"
#include "platform/save_file.h"
#include "reports/chart_file.h"
#include "reports/person_chart.h"
#include "reports/poster.h"
#include "support/bench_support.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

using namespace kinloom;

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "person_chart_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

// A founder of the family tree, found by climbing from its last child through the parents who
// have parents themselves: one whose descendants fill many generations.
const PersonItem* founder(const ItemStore& store) {
    const auto hasParents = [](const PersonItem* p) { return p && (p->Father || p->Mother); };
    const PersonItem* p = store.lastItem();
    while (p && !hasParents(p)) p = p->Prev;
    for (int step = 0; hasParents(p) && step < 1000; ++step)
        p = hasParents(p->Father) ? p->Father : hasParents(p->Mother) ? p->Mother : p->Father ? p->Father : p->Mother;
    return p;
}

// A family tree of `others` persons with a full pedigree of `generations` generations appended,
// whose first person is returned: every ancestor known, 2^generations - 1 persons.
PersonItem* treeWithPedigree(ItemStore& store, int others, int generations, const PersonItem** top = nullptr) {
    bench::fillFamilyTree(store, others);
    if (top) *top = founder(store);
    std::vector<PersonItem*> row;
    PersonItem* root = store.createItem();
    root->FirstName = "Root";
    row.push_back(root);
    for (int g = 1; g < generations; ++g) {
        std::vector<PersonItem*> parents;
        for (PersonItem* child : row) {
            PersonItem* father = store.createItem();
            PersonItem* mother = store.createItem();
            father->FirstName = "Father";
            father->Sex = "M";
            mother->FirstName = "Mother";
            mother->Sex = "F";
            child->Father = father;
            child->Mother = mother;
            store.addMarriage(father, mother);
            parents.push_back(father);
            parents.push_back(mother);
        }
        row = std::move(parents);
    }
    return root;
}

// The ancestors chart of a person with 10 generations in a tree of 100,000: choosing the persons,
// laying them out and writing the PDF, as the chart window and kinloom-cli chart do. Fitted to one
// A4 page, and at a readable 30 mm box width on as many pages as that needs.
void BM_AncestorsChart(benchmark::State& state, bool readable) {
    ensureGuiApplication();
    ItemStore store;
    const PersonItem* root = treeWithPedigree(store, static_cast<int>(state.range(0)), 10);
    PosterSettings settings;
    if (readable) {
        settings.scale = ChartScale::BoxWidth;
        settings.boxWidthMm = 30;
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath("ancestors.pdf");
    int persons = 0;
    for (auto _ : state) {
        const PersonChart chart = personChart(store, ChartKind::Ancestors, root, 0);
        persons = chart.persons();
        SaveFile file(pdf);
        const QString error = writeChartFile(file, chart.drawing, settings, ChartPaper{});
        if (!error.isEmpty()) state.SkipWithError(error.toStdString().c_str());
    }
    state.counters["persons"] = persons;
    state.counters["file_MB"] = static_cast<double>(QFileInfo(pdf).size()) / 1e6;
}
BENCHMARK_CAPTURE(BM_AncestorsChart, one_page, false)->Arg(100000)->ArgName("tree")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AncestorsChart, readable, true)->Arg(100000)->ArgName("tree")->Unit(benchmark::kMillisecond);

// Choosing and laying out the persons alone, for a chart of each kind: the pedigree's ancestors,
// the descendants of a founder of the family tree, the whole tree.
void BM_ChooseAndLayOut(benchmark::State& state, ChartKind kind) {
    ItemStore store;
    const PersonItem* top = nullptr;
    const PersonItem* root = treeWithPedigree(store, static_cast<int>(state.range(0)), 10, &top);
    int persons = 0;
    for (auto _ : state) persons = personChart(store, kind, kind == ChartKind::Descendants ? top : root, 0).persons();
    state.counters["persons"] = persons;
}
BENCHMARK_CAPTURE(BM_ChooseAndLayOut, ancestors, ChartKind::Ancestors)->Arg(100000)->ArgName("tree")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ChooseAndLayOut, descendants, ChartKind::Descendants)->Arg(100000)->ArgName("tree")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_ChooseAndLayOut, complete_tree, ChartKind::CompleteTree)->Arg(100000)->ArgName("tree")->Unit(benchmark::kMillisecond)->Iterations(1);

// The complete tree of 100,000 persons written on one A4 page.
void BM_CompleteTreePdf(benchmark::State& state) {
    ensureGuiApplication();
    ItemStore store;
    bench::fillFamilyTree(store, static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString pdf = dir.filePath("tree.pdf");
    for (auto _ : state) {
        const PersonChart chart = personChart(store, ChartKind::CompleteTree, nullptr, 0);
        SaveFile file(pdf);
        const QString error = writeChartFile(file, chart.drawing, PosterSettings{}, ChartPaper{});
        if (!error.isEmpty()) state.SkipWithError(error.toStdString().c_str());
    }
}
BENCHMARK(BM_CompleteTreePdf)->Arg(100000)->ArgName("tree")->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
