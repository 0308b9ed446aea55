#pragma once
#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

namespace kinloom {

class ItemStore;
class Prompts;
struct PersonItem;

// The two ancestor-tree styles of the Edit menu.
enum class TreeStyle { Compact = 1, Fractal = 2 };

struct CanvasPoint {
    int x = 0;
    int y = 0;
};

// Where position k (1..2^g) of generation g (1..generations-1) lands above a root at (x0, y0), in a
// tree of `generations` generations counting the root. Fathers have odd k, mothers even k.
CanvasPoint ancestorPosition(TreeStyle style, int generations, int g, int k, int x0, int y0);

// The ancestor walk: fills ancestorTable (depth 1..8, position 1..256) and measures the pedigree.
// A walk that reaches depth 31 stops there (circular links); it never passes through an alias item.
class AncestorWalk {
public:
    static constexpr int kTableDepth = 8;
    static constexpr int kTableWidth = 256;
    static constexpr int kDepthLimit = 30;

    // Sets maxDepth to 1 and empties the table.
    void reset();
    // Walks the pedigree of `item` standing at (depth, position); returns maxDepth after the walk.
    int checkOut(PersonItem* item, int depth, int position);
    PersonItem* at(int depth, int position) const { return table_[depth - 1][position - 1]; }
    int maxDepth = 1;

private:
    std::array<std::array<PersonItem*, kTableWidth>, kTableDepth> table_{};
    // Pedigree heights of the items met below the table, kept until the next reset().
    std::unordered_map<const PersonItem*, int> heights_;
};

// Depth of each item's pedigree as the walk measures it (1 .. 31), for every item in store order,
// in time proportional to the number of items and links. Uses ChildCount as scratch and leaves it 0.
std::vector<int> pedigreeDepths(ItemStore& store);

// Organize Ancestor Tree: moves the ancestors of currentItem into the chosen style. The refusals
// go through `prompts`. Ends with currentItem null.
void organizeTree(ItemStore& store, TreeStyle style, int limit, Prompts& prompts);

// Create Ancestor Tree. `askGenerations` shows the create dialog and returns the text of its edit,
// or nothing when the dialog was cancelled; it is asked again after a refused number.
// An item that already has a father or a mother, or is an alias, is left alone. Returns true when items were
// created (the canvas needs a repaint).
// `busy`, when given, is called with true once the number is accepted and with false when the
// items are made: the window shows the hourglass in between.
using GenerationsDialog = std::function<std::optional<QString>()>;
using BusyCursorHook = std::function<void(bool)>;
bool createTree(ItemStore& store, TreeStyle style, const GenerationsDialog& askGenerations,
                Prompts& prompts, const BusyCursorHook& busy = {});

}  // namespace kinloom
