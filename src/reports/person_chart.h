#pragma once
#include "layout/chart_selection.h"
#include "reports/chart_drawing.h"

#include <QString>

namespace kinloom {

class DisplayCharset;
class ItemStore;

// A chart of Reports > Charts, laid out for itself with the family-chart arrangement.
struct PersonChart {
    ChartDrawing drawing;
    int generations = 0;  // rows of parents and children the chart spans (0 for the whole tree)
    int persons() const { return static_cast<int>(drawing.boxes.size()); }
};

// The ancestors or descendants of `person` over `generations` generations (the person is the
// first; 0 takes all there are), or the whole tree, each person once however often it is placed.
// The items are not moved and nothing is recorded for undo: the positions are the chart's own.
// An alias item stands for its original; a person not in the store gives an empty chart.
PersonChart personChart(ItemStore& store, ChartKind kind, const PersonItem* person, int generations);

// "Ancestors of Anna Berg", "Descendants of Anna Berg", "Complete tree".
QString chartTitle(ChartKind kind, const PersonItem* person, const DisplayCharset& charset);

// The chart's size for the window and the command line: "31 persons in 5 generations", "1 person".
QString describeChart(const PersonChart& chart);

}  // namespace kinloom
