#pragma once
#include "layout/family_graph.h"

#include <cstdint>
#include <vector>

namespace kinloom {

// Partners of one generation (and an alias that has no links of its own, with its original) stand
// together in one row as a block: its members left to right, husbands left of their wives where the
// block allows. Each block has a row (0 at the top of its family) and a family number: families not
// linked at all are numbered by size, the largest first.
struct FamilyBlocks {
    std::vector<int32_t> blockOf;  // item -> block
    std::vector<uint32_t> start;   // block b's members: members[start[b] .. start[b + 1])
    std::vector<int32_t> members;
    std::vector<int32_t> row;
    std::vector<int32_t> family;
    int32_t families = 0;

    size_t count() const { return row.size(); }
    std::size_t bytes() const;
};

// Blocks, and rows with every parent above its children (links that would make a circle are left
// out of that) chosen so that lines span few rows and partners share theirs where they can.
FamilyBlocks familyBlocksOf(const FamilyGraph& graph);

}  // namespace kinloom
