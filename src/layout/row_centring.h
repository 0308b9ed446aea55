#pragma once

namespace kinloom {

class ItemStore;

// From the lowest row upward, shifts each row of items (items with exactly the same Y) sideways so
// that its middle lies over the middle of the items with parents in the row below. A row more than
// 999 units above the next lower one ends the pass after being shifted, if it lies exactly 1000 above.
void centreRows(ItemStore& store);

}  // namespace kinloom
