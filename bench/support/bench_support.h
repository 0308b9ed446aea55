#pragma once
#include "document/item_store.h"

namespace kinloom::bench {

// Fills a store with n linked items: families of two parents, children and marriages.
void fillRandomTree(ItemStore& store, int n, unsigned seed = 1);

}  // namespace kinloom::bench
