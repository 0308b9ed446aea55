#pragma once
#include <cstdint>
#include <vector>

namespace kinloom {

class ItemStore;

// From the lowest row upward, shifts each row of items (items with exactly the same Y) sideways so
// that its middle lies over the middle of the items with parents in the row below. A row more than
// 999 units above the next lower one ends the pass after being shifted, if it lies exactly 1000 above.
void centreRows(ItemStore& store);

// The same over plain arrays, one entry an item: `xs` are shifted, `ys` give the rows, and
// `withParents` marks the items that have a father or a mother.
void centreRows(std::vector<int32_t>& xs, const std::vector<int32_t>& ys, const std::vector<uint8_t>& withParents);

}  // namespace kinloom
