#pragma once
#include "layout/family_graph.h"

#include <cstdint>
#include <vector>

namespace kinloom {

// Shortens parent lines that span four rows or more, where two lineages of different depth meet: a
// block whose children hold it far below its parents moves up toward them, with the ancestors bound
// to it by lines one row long, as far as its parent lines leave room, wherever that makes the rows
// spanned by all parent lines fewer in total. Every child stays below its parents; links that do
// not go down (they would close a circle) are left out and left alone. True when a block moved.
bool raiseBlocksTowardParents(const FamilyGraph& graph, const std::vector<int32_t>& blockOf, std::vector<int32_t>& row);

}  // namespace kinloom
