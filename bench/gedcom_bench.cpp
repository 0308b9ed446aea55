#include "document/item_store.h"
#include "gedcom/gedcom_export.h"
#include "gedcom/gedcom_import.h"
#include "platform/scripted_prompts.h"
#include "support/gedcom_generator.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <map>
#include <memory>

namespace {

using namespace kinloom;

// One generated file per size, written once for all runs.
const QString& generatedFile(int individuals) {
    static QTemporaryDir dir;
    static std::map<int, QString> files;
    auto& name = files[individuals];
    if (name.isEmpty()) {
        name = QDir(dir.path()).filePath(QStringLiteral("tree%1.ged").arg(individuals));
        const std::string text = bench::generateGedcom(individuals);
        QFile f(name);
        if (f.open(QIODevice::WriteOnly)) f.write(text.data(), static_cast<qint64>(text.size()));
    }
    return name;
}

void BM_GedcomRead(benchmark::State& state) {
    const QString& file = generatedFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ScriptedPrompts prompts;
        ItemStore store(&prompts);
        GedcomImportUser user;
        const auto r = readGedcomFile(store, file, user, prompts);
        if (!r.ok) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(store.firstItem());
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(file).size());
    // What the imported tree holds once the import's own tables are gone, per individual.
    const auto heldBytes = [] {
        const struct mallinfo2 m = mallinfo2();
        return static_cast<double>(m.uordblks + m.hblkhd);
    };
    ScriptedPrompts prompts;
    const double before = heldBytes();
    auto store = std::make_unique<ItemStore>(&prompts);
    GedcomImportUser user;
    readGedcomFile(*store, file, user, prompts);
    state.counters["bytes_per_item"] = (heldBytes() - before) / static_cast<double>(state.range(0));
}
BENCHMARK(BM_GedcomRead)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// The whole import: reading, auto arrange and the zoom to the home item.
void BM_GedcomImport(benchmark::State& state) {
    const QString& file = generatedFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        ScriptedPrompts prompts;
        ItemStore store(&prompts);
        GedcomImportUser user;
        ViewState view;
        const auto r = importGedcomFile(store, view, WindowSize{1024, 768}, file, user, prompts);
        if (!r.ok) state.SkipWithError("import failed");
        benchmark::DoNotOptimize(store.firstItem());
    }
}
BENCHMARK(BM_GedcomImport)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_GedcomExport(benchmark::State& state) {
    const QString& file = generatedFile(static_cast<int>(state.range(0)));
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    GedcomImportUser user;
    QTemporaryDir dir;
    readGedcomFile(store, file, user, prompts);
    const QString out = QDir(dir.path()).filePath("out.ged");
    for (auto _ : state) {
        if (!writeGedcomFile(store, out, QDate(2024, 1, 1), QTime(12, 0))) state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_GedcomExport)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace
