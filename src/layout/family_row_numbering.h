#pragma once
#include "layout/family_graph.h"
#include "layout/family_order.h"
#include "layout/family_ranks.h"

#include <cstdint>
#include <vector>

namespace kinloom {

// The chart's graph, blocks and children numbered again in the order of the rows: block i is the
// i-th block of the first order, and the members of each block get consecutive numbers. Ordering
// and placing read the relatives of every block of a row many times over; numbered this way those
// reads stay within the neighbouring rows instead of ranging over the whole tree, which keeps them
// in the cache at a million persons. Every list keeps its order and only its numbers change, so
// that all that follows gives the same result as with the old numbers.
struct RowNumberedChart {
    FamilyGraph graph;  // father, mother and partners; the other fields are not needed any more
    FamilyBlocks blocks;
    FamilyChildren children;
    FamilyRows rows;              // the first order, which is now 0, 1, 2 ...
    std::vector<int32_t> itemOf;  // new number -> number in the original graph
    std::size_t bytes() const;
};

// Takes the blocks and children to free them as soon as they are copied.
RowNumberedChart numberByRows(const FamilyGraph& graph, FamilyBlocks blocks, FamilyChildren children, const FamilyRows& first);

}  // namespace kinloom
