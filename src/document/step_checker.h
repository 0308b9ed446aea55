#pragma once
#include "document/person_item.h"

#include <QString>

#include <functional>
#include <unordered_map>
#include <vector>

namespace kinloom {

class ItemStore;

// How two states of one item are compared. Next, Prev, Id and the stored link numbers never
// count: the list order is recorded as moves, the name search renumbers every item without a
// step, and a save fills in the link numbers of the file image.
enum class ItemComparison {
    Exact,             // every other field, Selected included
    IgnoringSelection, // selecting is no step
    IgnoringPlace,     // neither X, Y, ChildCount nor Selected
};
bool sameItemContent(const PersonItem& a, const PersonItem& b, ItemComparison how);

// Proves the undo history complete: it keeps a copy of the tree as the last step left it, and
// finds the items that changed since without the history hearing of it. A step must have touched
// every item whose fields it changed (touchPlace is enough when only the place changed); between
// steps nothing may change at all. It costs a copy of the tree per step, so it runs in tests and
// debug builds only.
class StepChecker {
public:
    explicit StepChecker(const ItemStore& store) : store_(store) {}

    void takeSnapshot();
    // The snapshot stands for nothing until the next takeSnapshot (the store was emptied).
    void forget();
    // What changed since the snapshot, in words; empty when nothing did.
    QString changesOutsideStep() const;
    // What changed since the snapshot without being recorded; `recorded(item, placeOnly)` tells
    // whether the step holds that item (placeOnly: its place only, or its fields too).
    QString unrecordedChanges(const QString& stepLabel,
                              const std::function<bool(const PersonItem*, bool placeOnly)>& recorded) const;

private:
    const ItemStore& store_;
    bool valid_ = false;
    std::vector<const PersonItem*> order_;
    std::unordered_map<const PersonItem*, PersonItem> items_;
};

}  // namespace kinloom
