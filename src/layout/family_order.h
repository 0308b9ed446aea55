#pragma once
#include "layout/family_ranks.h"

#include <cstdint>
#include <vector>

namespace kinloom {

// The blocks of each row left to right, each family's blocks together and the families in their
// numbered order: row r is order[rowStart[r] .. rowStart[r + 1]).
struct FamilyRows {
    std::vector<uint32_t> rowStart;
    std::vector<int32_t> order;
    std::size_t bytes() const { return rowStart.capacity() * 4 + order.capacity() * 4; }
};

// Every item's children, eldest first where the birth dates tell (a child without a year keeps its
// place after the sibling listed before it): children of item i are items[start[i] .. start[i + 1]).
struct FamilyChildren {
    std::vector<uint32_t> start;
    std::vector<int32_t> items;
    std::vector<int32_t> birthRank;  // place among the children of the same father and mother
    std::size_t bytes() const { return start.capacity() * 4 + items.capacity() * 4 + birthRank.capacity() * 4; }
};
FamilyChildren familyChildrenOf(const FamilyGraph& graph);

// Up to this many persons the chart takes more rounds of ordering and placing: better lines for a
// few tenths of a second; larger trees keep the time per person low.
inline constexpr std::size_t kThoroughChartPersons = 50000;

// The first order of the rows: a depth-first walk of each family, parents before children, children
// eldest first; each row takes its blocks in the order the walk met them.
FamilyRows firstFamilyRows(const FamilyGraph& graph, const FamilyBlocks& blocks, const FamilyChildren& children);

// Orders the rows for few crossings, from the first order: sweeps down and up sort each row's
// blocks by the mean place of their parents (or children) in the row next to it; children of one
// couple with the same mean stay together, eldest first. The last sweep goes down, so that brothers
// and sisters end up side by side. No choice depends on how blocks and items are numbered (ties go
// by the place in the row), so numbering them again changes nothing but the names in the result.
void improveFamilyRows(const FamilyGraph& graph, const FamilyBlocks& blocks, const FamilyChildren& children, FamilyRows& rows);

}  // namespace kinloom
