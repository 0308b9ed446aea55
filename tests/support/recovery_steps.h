#pragma once
#include "document/item_store.h"
#include "document/undo_history.h"

#include <random>
#include <string>

namespace kinloom::test {

// A fixed, seeded sequence of editing steps as a user makes them: new persons, names, links,
// moves, deletions, Make Home, undo and redo, and now and then a move of every item. The same
// seed gives the same trees step by step, in this process or in another.
class RecoverySteps {
public:
    RecoverySteps(ItemStore& store, UndoHistory& history, unsigned seed) : store_(store), history_(history), random_(seed) {}
    // Makes one step (or an undo, a redo) and returns its name.
    std::string next();

private:
    PersonItem* anyItem();
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    ItemStore& store_;
    UndoHistory& history_;
    std::mt19937 random_;
    int made_ = 0;
};

// The tree as its file holds it (every item's record in list order, links as Ids, nothing
// selected), followed by lastId: two trees are the same when these bytes are.
std::string treeImage(const ItemStore& store);

}  // namespace kinloom::test
