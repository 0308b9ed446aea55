#pragma once

namespace kinloom {

class MainWindow;
struct CommandContext;

// Reports > Charts > Ancestors, Descendants and Complete tree: each opens the chart print window
// with its chart, made the first time a chart is asked for. The entries are enabled when the tree
// has items; the first two chart the current person.
void installChartReports(MainWindow& window);

void showAncestorsChart(CommandContext& c);
void showDescendantsChart(CommandContext& c);
void showCompleteTreeChart(CommandContext& c);

}  // namespace kinloom
