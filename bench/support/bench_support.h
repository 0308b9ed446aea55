#pragma once
#include "document/item_store.h"

namespace kinloom::bench {

// Fills a store with n linked items: families of two parents, children and marriages.
void fillRandomTree(ItemStore& store, int n, unsigned seed = 1);

// Fills a store with n items laid out as trees are drawn: generations in rows of 500 boxes,
// parents in the row above the child, spouses side by side, so that links are short.
void fillLaidOutTree(ItemStore& store, int n);
// A family as people have them: founders and their descendants generation by generation, most
// partners married in from outside, a quarter from another branch of the tree, some second
// marriages, children with birth dates.
void fillFamilyTree(ItemStore& store, int n, unsigned seed = 1);

}  // namespace kinloom::bench
