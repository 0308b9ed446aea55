#include "canvas/paint_tree.h"
#include "document/item_store.h"
#include "gedcom/gedcom_import.h"
#include "gedcom/import_user.h"
#include "platform/charsets.h"
#include "platform/console_prompts.h"
#include "platform/save_file.h"
#include "reports/chart_file.h"
#include "reports/poster.h"
#include "support/bench_support.h"

#include <QFile>
#include <QFontMetrics>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <sys/resource.h>

namespace {

using namespace kinloom;

void ensureGuiApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "wall_chart_bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Writes a chart file as kinloom-cli print does and counts its pages, size and the process's peak memory.
void writeChart(benchmark::State& state, const ItemStore& store, const PosterSettings& settings, const char* name) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QString::fromLatin1(name));
    const PosterLayout layout(store, settings, QSize(3508, 2480), 300);
    for (auto _ : state) {
        SaveFile file(path);
        const QString error = writeChartFile(file, store, settings, ChartPaper{});
        if (!error.isEmpty()) state.SkipWithError(error.toStdString().c_str());
    }
    state.counters["pages"] = layout.pageCount();
    state.counters["file_MB"] = static_cast<double>(QFileInfo(path).size()) / 1e6;
    state.counters["peak_MB"] = peakMegabytes();
}

// A tree of state.range(0) persons laid out as trees are drawn, at 8-point text, 300 dpi.
void writeLaidOutTree(benchmark::State& state, PosterSettings settings, const char* name) {
    ensureGuiApplication();
    ItemStore store;
    bench::fillLaidOutTree(store, static_cast<int>(state.range(0)));
    settings.scale = ChartScale::TextSize;
    settings.textSizePt = 8;
    writeChart(state, store, settings, name);
}

// On A4 landscape pages that overlap by 10 mm, with labels and cut marks.
void BM_WallChartPdf(benchmark::State& state) {
    PosterSettings settings;
    settings.pageLabels = settings.cutMarks = true;
    settings.overlapMm = 10;
    writeLaidOutTree(state, settings, "chart.pdf");
}
BENCHMARK(BM_WallChartPdf)->Arg(100000)->ArgName("items")->Unit(benchmark::kMillisecond)->Iterations(1);

// The same tree on one large page, as PDF and as SVG.
void BM_OnePage(benchmark::State& state, const char* name) {
    PosterSettings settings;
    settings.onePage = true;
    writeLaidOutTree(state, settings, name);
}
BENCHMARK_CAPTURE(BM_OnePage, pdf, "one.pdf")->Arg(100000)->ArgName("items")->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(BM_OnePage, svg, "one.svg")->Arg(100000)->ArgName("items")->Unit(benchmark::kMillisecond)->Iterations(1);

// royal92 (3,010 persons) imported and arranged as kinloom-cli import does, at 8-point text: the
// pages, and how many persons' first lines pdftotext finds as printed (cut with "..." when wider
// than the box). The pages overlap by a box's width, so that every box is whole on some page:
// pdftotext leaves out what lies beyond a page's edge.
void BM_Royal92(benchmark::State& state) {
    ensureGuiApplication();
    const QString ged = QStringLiteral(KINLOOM_CORPUS_DIR "/mdf-others/royal92.ged");
    if (!QFile::exists(ged)) {
        state.SkipWithError("royal92.ged is missing");
        return;
    }
    ConsolePrompts prompts;
    ItemStore store(&prompts);
    ViewState view;
    GedcomImportUser user;
    importGedcomFile(store, view, WindowSize{}, ged, user, prompts);
    PosterSettings settings;
    settings.scale = ChartScale::TextSize;
    settings.textSizePt = 8;
    settings.pageLabels = true;
    settings.overlapMm = 30;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("royal92.pdf");
    for (auto _ : state) {
        SaveFile file(pdf);
        const QString error = writeChartFile(file, store, settings, ChartPaper{});
        if (!error.isEmpty()) state.SkipWithError(error.toStdString().c_str());
    }
    const PosterLayout layout(store, settings, QSize(3508, 2480), 300);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    text.waitForFinished(120000);
    const QString all = QString::fromUtf8(text.readAllStandardOutput());
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(60000);
    const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
    // The first line of each box as the printer cuts it, measured independently with the font's metrics.
    QFont font(settings.fontName);
    font.setPixelSize(pixelSizeForCellHeight(settings.fontName, layout.printedFontHeight()));
    const QFontMetrics fm(font);
    const DisplayCharset charset;
    int persons = 0, found = 0;
    for (size_t i = 0; i < layout.items().size(); ++i) {
        QString name = charset.decode(layout.items()[i]->FirstName);
        if (name.isEmpty()) continue;
        ++persons;
        const int limit = layout.boxOf(i).width();
        if (fm.horizontalAdvance(name) > limit) {
            while (!name.isEmpty() && fm.horizontalAdvance(name + "...") > limit) name.chop(1);
            name += "...";
        }
        if (all.contains(name))
            ++found;
        else if (persons - found <= 10)
            fprintf(stderr, "not found: %s\n", qPrintable(name));
    }
    state.counters["pages"] = layout.pageCount();
    state.counters["pdf_pages"] = infoText.section(QStringLiteral("Pages:"), 1).section('\n', 0, 0).trimmed().toInt();
    state.counters["persons"] = persons;
    state.counters["box_mm"] = layout.boxOf(0).width() * 25.4 / 300;
    state.counters["names_found"] = found;
}
BENCHMARK(BM_Royal92)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
