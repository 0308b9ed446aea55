#include "app/ui/chart_report_wiring.h"

#include "app/ui/main_window.h"
#include "app/ui/print_wiring.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_widget.h"
#include "reports/ui/chart_print_window.h"

#include <QAction>
#include <QMenu>
#include <QUndoStack>

namespace kinloom {

namespace {

const QString kNoPersonForAncestors = QStringLiteral("Click the person whose ancestors the chart shows, then choose the chart again.");
const QString kNoPersonForDescendants =
    QStringLiteral("Click the person whose descendants the chart shows, then choose the chart again.");

void openChart(MainWindow& w, ChartKind kind) {
    AppState& s = w.state();
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
    if (auto* canvas = qobject_cast<CanvasWidget*>(w.canvas())) canvas->interaction().panArmed = false;
    window->showChart(kind, s.store.currentItem);
}

}  // namespace

void connectChartReports(MainWindow& w) {
    QObject::connect(w.ancestorsChartAction, &QAction::triggered, &w, [&w] { openChart(w, ChartKind::Ancestors); });
    QObject::connect(w.descendantsChartAction, &QAction::triggered, &w, [&w] { openChart(w, ChartKind::Descendants); });
    QObject::connect(w.completeTreeChartAction, &QAction::triggered, &w, [&w] { openChart(w, ChartKind::CompleteTree); });
    for (QAction* a : {w.ancestorsChartAction, w.descendantsChartAction, w.completeTreeChartAction}) a->setEnabled(true);
    // The submenu follows the tree each time the Reports menu opens.
    const auto refresh = [&w] { w.chartsMenu->setEnabled(!w.state().store.empty()); };
    if (auto* reports = qobject_cast<QMenu*>(w.chartsMenu->parentWidget()))
        QObject::connect(reports, &QMenu::aboutToShow, &w, refresh);
    refresh();
}

}  // namespace kinloom
