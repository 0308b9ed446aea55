#pragma once
#include "document/view_state.h"
#include "layout/family_graph.h"

#include <cstdint>
#include <vector>

namespace kinloom {

class ItemStore;

// The family chart's spacing in canvas units: partners side by side, blocks in a row, rows.
inline constexpr int kChartPartnerPitch = 160;
inline constexpr int kChartBlockGap = 20;  // between the boxes of two blocks
inline constexpr int kChartRowPitch = 350;
inline constexpr int kChartFamilyGap = 300;  // between families that are not linked

struct ChartPoint {
    int32_t x = 0, y = 0;
    bool operator==(const ChartPoint&) const = default;
};

// The family chart of a tree: generations in rows, parents above their children, partners side by
// side (husband left), children under their parents in order of birth, rows ordered for few
// crossing lines and placed for short ones; families that are not linked stand beside the largest.
// The top left box is at (0, 0). The same graph always gives the same positions; time and memory
// grow about linearly with the tree. `workingBytes`, when given, receives the most memory the
// arrangement held at once besides the graph and the result.
std::vector<ChartPoint> familyChartPositions(const FamilyGraph& graph, std::size_t* workingBytes = nullptr);

// Moves every item of the store to its place in the family chart (each move recorded for undo) and
// clears the selection. The current item stays; with none, the home item becomes current.
void arrangeAsFamilyChart(ItemStore& store);

// The same, then the home item is centred at 100 % in a window of the given outer size, as the
// GEDCOM import shows a tree it has arranged.
void arrangeAsFamilyChart(ItemStore& store, ViewState& view, WindowSize window);

}  // namespace kinloom
