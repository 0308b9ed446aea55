#include "app/ui/chart_report_wiring.h"

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/print_wiring.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_widget.h"
#include "reports/ui/chart_print_window.h"

#include <QUndoStack>

namespace kinloom {

namespace {

const QString kNoPersonForAncestors = QStringLiteral("Click the person whose ancestors the chart shows, then choose the chart again.");
const QString kNoPersonForDescendants =
    QStringLiteral("Click the person whose descendants the chart shows, then choose the chart again.");

void openChart(CommandContext& c, ChartKind kind) {
    MainWindow& w = c.window;
    AppState& s = c.state;
    if (s.store.empty()) return;
    if (kind != ChartKind::CompleteTree && !s.store.currentItem) {
        s.prompts.inform(kAppTitle, kind == ChartKind::Ancestors ? kNoPersonForAncestors : kNoPersonForDescendants);
        return;
    }
    auto* window = w.findChild<ChartPrintWindow*>();
    if (!window) {
        window = new ChartPrintWindow(s.store, s.prompts, currentTreeFont(s), [&w] { w.changeTreeFont(); }, &w);
        // Each step of editing (and its undo) may change whom the chart shows.
        QObject::connect(&s.history.stack(), &QUndoStack::indexChanged, window, &ChartPrintWindow::treeChanged);
    }
    if (c.canvas) c.canvas->interaction().panArmed = false;
    window->showChart(kind, s.store.currentItem);
}

}  // namespace

void installChartReports(MainWindow& w) { w.commands().install(Part::Charts); }

void showAncestorsChart(CommandContext& c) { openChart(c, ChartKind::Ancestors); }
void showDescendantsChart(CommandContext& c) { openChart(c, ChartKind::Descendants); }
void showCompleteTreeChart(CommandContext& c) { openChart(c, ChartKind::CompleteTree); }

}  // namespace kinloom
