#pragma once

namespace kinloom {

class MainWindow;

// Reports > Charts > Ancestors, Descendants and Complete tree: each opens the chart print window
// with its chart, made the first time a chart is asked for. The entries are enabled when the tree
// has items; the first two chart the current person.
void connectChartReports(MainWindow& window);

}  // namespace kinloom
