// The family chart against auto arrange on real trees, measured on the lines the canvas draws.
#include "document/item_store.h"
#include "gedcom/gedcom_import.h"
#include "layout/chart_metrics.h"
#include "layout/family_chart.h"
#include "platform/scripted_prompts.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdio>

namespace kinloom {
namespace {

test::ChartMetrics importAndMeasure(const QString& path, ArrangeStyle style) {
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    GedcomImportUser user;
    ViewState view;
    EXPECT_TRUE(importGedcomFile(store, view, WindowSize{1000, 800}, path, user, prompts, style).ok);
    return test::measureChart(store);
}

void print(const char* tree, const char* style, const test::ChartMetrics& m) {
    std::printf("%-10s %-16s crossings %7lld  under boxes %5lld  mean length %5.2f  overlaps %lld  upward %6.2f %%\n",
                tree, style, m.crossings, m.linesUnderBoxes, m.meanLength, m.overlaps, m.upwardPercent());
}

TEST(FamilyChartCorpus, FewerCrossingsAndShorterLinesThanAutoArrange) {
    const QDir corpus(QStringLiteral(KINLOOM_CORPUS_DIR));
    const struct {
        const char* name;
        const char* path;
        // What the chart has reached, so that a change cannot lose it unseen.
        long long mostCrossings, mostUnderBoxes;
        double longestMean;
    } trees[] = {{"royal92", "arbre-public-gedcoms/royal92.ged", 14100, 1060, 5.93},
                 {"Queen", "findmypast-gedcom-samples/Queen.ged", 11000, 835, 4.05}};
    for (const auto& tree : trees) {
        const QString path = corpus.filePath(QString::fromLatin1(tree.path));
        if (!QFileInfo(path).isFile()) GTEST_SKIP() << "no corpus at " << KINLOOM_CORPUS_DIR;
        const test::ChartMetrics rows = importAndMeasure(path, ArrangeStyle::GenerationRows);
        const test::ChartMetrics chart = importAndMeasure(path, ArrangeStyle::FamilyChart);
        print(tree.name, "generation rows", rows);
        print(tree.name, "family chart", chart);
        EXPECT_LT(chart.crossings * 2, rows.crossings) << tree.name;
        EXPECT_LE(chart.linesUnderBoxes, rows.linesUnderBoxes) << tree.name;
        EXPECT_LT(chart.meanLength * 3, rows.meanLength) << tree.name;
        EXPECT_LT(chart.crossings, tree.mostCrossings) << tree.name;
        EXPECT_LE(chart.linesUnderBoxes, tree.mostUnderBoxes) << tree.name;
        EXPECT_LT(chart.meanLength, tree.longestMean) << tree.name;
        EXPECT_EQ(chart.overlaps, 0) << tree.name;
        EXPECT_GE(chart.upwardPercent(), 99.0) << tree.name;
    }
}

}  // namespace
}  // namespace kinloom
