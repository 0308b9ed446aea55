#include "layout/auto_arrange.h"

#include "document/centre_home.h"
#include "document/item_store.h"
#include "layout/ancestor_tree.h"
#include "layout/pedigree_height.h"
#include "layout/row_centring.h"
#include "platform/prompts.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace kinloom {

namespace {

constexpr int kRowPitch = 500;
constexpr int kNeighbourPitch = 160;
constexpr int kRowLimit = 999;
constexpr int kRowRange = 1000;

// Coordinates wrap like the 32-bit integers of the stored file rather than overflow.
int32_t wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(v)); }

constexpr uint32_t kNone = UINT32_MAX;

// The links of all items by their place in the list (before the home item moves to the front),
// read from the items once, in list order: the depths, the placement and the centring then work
// on these arrays alone and never reach into the scattered items, whose size makes every such
// step a cache miss in a large tree.
struct Links {
    explicit Links(ItemStore& store) {
        const auto count = static_cast<size_t>(store.itemCount());
        items.reserve(count);
        xs.reserve(count);
        ys.reserve(count);
        alias.reserve(count);
        spouses.reserve(count);
        for (PersonItem* p = store.firstItem(); p; p = p->Next) {
            store.touchPlace(p);  // arranging changes only X, Y, ChildCount and Selected
            p->Selected = false;
            p->ChildCount = static_cast<int32_t>(items.size());  // the layout's scratch field
            items.push_back(p);
            xs.push_back(p->X);
            ys.push_back(p->Y);
            alias.push_back(p->isAlias());
        }
        const size_t n = items.size();
        father.resize(n);
        mother.resize(n);
        spouseStart.resize(n + 1);
        constexpr size_t kAhead = 16;  // items whose relatives are fetched while this one is read
        for (size_t q = 0; q < n; ++q) {
            if (q + kAhead < n) prefetchRelatives(*items[q + kAhead]);
            const PersonItem& p = *items[q];
            father[q] = indexOf(p.Father);
            mother[q] = indexOf(p.Mother);
            spouseStart[q] = static_cast<uint32_t>(spouses.size());
            for (int i = 1; i <= kMaxSpouses; ++i)
                if (p.Spouse[i]) spouses.push_back(indexOf(p.Spouse[i]));
        }
        spouseStart[n] = static_cast<uint32_t>(spouses.size());
    }
    ~Links() {
        for (PersonItem* p : items) p->ChildCount = 0;
    }

    static uint32_t indexOf(const PersonItem* p) { return p ? static_cast<uint32_t>(p->ChildCount) : kNone; }
    static void prefetchRelatives(const PersonItem& p) {
        if (p.Father) __builtin_prefetch(&p.Father->ChildCount);
        if (p.Mother) __builtin_prefetch(&p.Mother->ChildCount);
        for (int i = 1; i <= kMaxSpouses; ++i)
            if (p.Spouse[i]) __builtin_prefetch(&p.Spouse[i]->ChildCount);
    }

    std::vector<PersonItem*> items;
    std::vector<uint32_t> father, mother;  // kNone where there is none
    std::vector<uint8_t> alias;
    std::vector<uint32_t> spouseStart;  // item v's spouses, slot order, are spouses[spouseStart[v] .. spouseStart[v + 1])
    std::vector<uint32_t> spouses;
    std::vector<int32_t> xs, ys;
};

// The pedigree walk over the arrays, with the names it expects.
struct ArrayParents {
    const Links& links;
    uint32_t none() const { return kNone; }
    uint32_t father(uint32_t v) const { return links.father[v]; }
    uint32_t mother(uint32_t v) const { return links.mother[v]; }
    bool isAlias(uint32_t v) const { return links.alias[v]; }
};

// The first item whose pedigree is deepest (the walk stopped at its limit counting as 31).
uint32_t deepestPedigree(const Links& links) {
    const size_t n = links.items.size();
    IndexedHeights<uint32_t (*)(uint32_t), uint32_t> memo(n, [](uint32_t v) { return v; });
    const ArrayParents parents{links};
    uint32_t root = 0;
    int best = 0;
    for (uint32_t v = 0; v < n; ++v) {
        const int depth = pedigreeHeight(v, parents, memo, AncestorWalk::kDepthLimit + 1);
        if (depth > best) {
            best = depth;
            root = v;
        }
    }
    return root;
}

// What a placed item asks to place next, in the order of the depth-first placement: items that
// point at it (children one row down, then itself as their spouse in its own row) in list order,
// then its own spouses in slot order, then its father and its mother one row up.
enum CallKind : uint32_t { kChild = 0, kSameRow = 1, kFather = 2, kMother = 3 };

class Placement {
    // An item's place and its calls (the first twelve; few items have more), in one cache line:
    // placing an item reaches nothing else.
    static constexpr uint32_t kInlineCalls = 12;
    struct alignas(64) Node {
        int32_t x = 0, y = 0;
        uint32_t count = 0;     // its calls
        uint32_t overflow = 0;  // where its calls after the first twelve are in overflow_
        uint32_t calls[kInlineCalls];  // target index << 2 | CallKind
    };
    static_assert(sizeof(Node) == 64);

public:
    // `order` is the list order once the home item is at the front.
    Placement(const Links& links, const std::vector<uint32_t>& order) : links_(links), order_(order) {
        nodes_.resize(links.items.size());
        for (size_t v = 0; v < nodes_.size(); ++v) {
            nodes_[v].x = links.xs[v];
            nodes_[v].y = links.ys[v];
        }
        placed_.assign((nodes_.size() + 63) / 64, 0);
        buildCalls();
    }

    void run() {
        if (nodes_.empty()) return;
        rightEdge_.fill(wrap(int64_t{nodes_[order_[0]].x} + kNeighbourPitch));
        for (const uint32_t v : order_) branch(v, nodes_[v].x, nodes_[v].y, 0);
    }
    int32_t x(uint32_t v) const { return nodes_[v].x; }
    int32_t y(uint32_t v) const { return nodes_[v].y; }

private:
    void buildCalls() {
        const size_t n = nodes_.size();
        std::vector<uint32_t> backCount(n, 0);
        // Pass 1: count. Pass 2: fill. Both see every item in list order.
        auto forEachBackLink = [&](auto&& add) {
            for (const uint32_t q : order_) {
                const uint32_t f = links_.father[q], m = links_.mother[q];
                if (f != kNone) add(f, q, kChild);
                if (m != kNone && m != f) add(m, q, kChild);
                const uint32_t* s = links_.spouses.data();
                for (uint32_t i = links_.spouseStart[q]; i < links_.spouseStart[q + 1]; ++i) {
                    // Two slots with the same partner make the same call twice in a row; the
                    // second one finds the item placed (or its row out of range) and does nothing.
                    if (std::find(s + links_.spouseStart[q], s + i, s[i]) == s + i) add(s[i], q, kSameRow);
                }
            }
        };
        forEachBackLink([&](uint32_t target, uint32_t, CallKind) { ++backCount[target]; });
        uint32_t overflow = 0;
        for (uint32_t v = 0; v < n; ++v) {
            const uint32_t own = links_.spouseStart[v + 1] - links_.spouseStart[v] + (links_.father[v] != kNone) +
                                 (links_.mother[v] != kNone);
            nodes_[v].overflow = overflow;
            overflow += std::max(backCount[v] + own, kInlineCalls) - kInlineCalls;
        }
        overflow_.resize(overflow);
        // `count` is the fill cursor until all calls are in.
        auto add = [&](uint32_t v, uint32_t call) {
            Node& node = nodes_[v];
            if (node.count < kInlineCalls) node.calls[node.count] = call;
            else overflow_[node.overflow + node.count - kInlineCalls] = call;
            ++node.count;
        };
        forEachBackLink([&](uint32_t target, uint32_t q, CallKind kind) { add(target, q << 2 | kind); });
        for (uint32_t v = 0; v < n; ++v) {
            for (uint32_t i = links_.spouseStart[v]; i < links_.spouseStart[v + 1]; ++i) add(v, links_.spouses[i] << 2 | kSameRow);
            if (links_.father[v] != kNone) add(v, links_.father[v] << 2 | kFather);
            if (links_.mother[v] != kNone) add(v, links_.mother[v] << 2 | kMother);
        }
    }

    uint32_t callOf(const Node& node, uint32_t i) const {
        return i < kInlineCalls ? node.calls[i] : overflow_[node.overflow + i - kInlineCalls];
    }

    bool placed(uint32_t v) const { return placed_[v >> 6] >> (v & 63) & 1; }

    bool place(uint32_t v, int32_t x, int32_t y, int row) {
        if (placed(v) || row > kRowLimit || row < -kRowLimit) return false;
        int32_t& edge = rightEdge_[row + kRowRange];
        if (edge > x) x = edge;
        edge = wrap(int64_t{x} + kNeighbourPitch);
        Node& node = nodes_[v];
        node.x = x;
        node.y = y;
        placed_[v >> 6] |= uint64_t{1} << (v & 63);
        // Its calls are made next: fetch the items they will place meanwhile, all at once.
        for (uint32_t i = 0; i < node.count; ++i)
            if (const uint32_t target = callOf(node, i) >> 2; !placed(target)) __builtin_prefetch(&nodes_[target]);
        return true;
    }

    // The depth-first placement with an explicit stack, so that no family is too deep for it.
    void branch(uint32_t v, int32_t x, int32_t y, int row) {
        if (!place(v, x, y, row)) return;
        stack_.push_back({v, row, 0});
        while (!stack_.empty()) {
            Frame& f = stack_.back();
            const Node& from = nodes_[f.item];
            if (f.next == from.count) {
                stack_.pop_back();
                continue;
            }
            const uint32_t call = callOf(from, f.next++);
            const uint32_t target = call >> 2;
            int32_t nx = from.x;
            int32_t ny = from.y;
            int nrow = f.row;
            switch (call & 3) {
            case kChild:
                ny = wrap(int64_t{ny} + kRowPitch);
                nrow -= 1;
                break;
            case kSameRow: break;
            case kFather:
                nx = wrap(int64_t{nx} - kNeighbourPitch);
                ny = wrap(int64_t{ny} - kRowPitch);
                nrow += 1;
                break;
            case kMother:
                nx = wrap(int64_t{nx} + kNeighbourPitch);
                ny = wrap(int64_t{ny} - kRowPitch);
                nrow += 1;
                break;
            }
            if (place(target, nx, ny, nrow)) stack_.push_back({target, nrow, 0});
        }
    }

    struct Frame {
        uint32_t item;
        int row;
        uint32_t next;  // the next of its calls to make
    };

    const Links& links_;
    const std::vector<uint32_t>& order_;
    std::vector<Node> nodes_;
    // One bit an item, small enough to stay in the cache: most calls find their item placed already.
    std::vector<uint64_t> placed_;
    std::vector<uint32_t> overflow_;
    std::vector<Frame> stack_;
    std::array<int32_t, 2 * kRowRange + 1> rightEdge_{};
};

}  // namespace

void arrangeAllItems(ItemStore& store) {
    if (store.empty()) return;
    const Links links(store);
    const uint32_t root = deepestPedigree(links);
    store.currentItem = links.items[root];
    store.moveToFront(links.items[root]);
    // The list order from now on: the home item, then the others as they were.
    std::vector<uint32_t> order(links.items.size());
    order[0] = root;
    for (uint32_t v = 0, k = 1; v < order.size(); ++v)
        if (v != root) order[k++] = v;
    std::vector<int32_t> xs(links.items.size()), ys(links.items.size());
    std::vector<uint8_t> withParents(links.items.size());
    {
        Placement placement(links, order);
        placement.run();
        for (uint32_t v = 0; v < xs.size(); ++v) {
            xs[v] = placement.x(v);
            ys[v] = placement.y(v);
            withParents[v] = links.father[v] != kNone || links.mother[v] != kNone;
        }
    }
    centreRows(xs, ys, withParents);
    for (uint32_t v = 0; v < xs.size(); ++v) {
        PersonItem* p = links.items[v];
        p->X = xs[v];
        p->Y = ys[v];
        p->Selected = false;
    }
    store.clearSelection();
}

void arrangeAllItems(ItemStore& store, ViewState& view, WindowSize window) {
    if (store.empty()) return;
    arrangeAllItems(store);
    // Zoom to the new home item: 100 %, its box centre in the middle of the window.
    store.currentItem = store.firstItem();
    view.zoom = 100.0;
    centreHomeItem(store, view, window);
}

bool confirmAutoArrange(const ItemStore& store, Prompts& prompts) {
    if (store.empty()) {
        prompts.message(kAppTitle, QStringLiteral("No items to rearrange."), PromptButtons::Ok,
                        PromptIcon::None);
        return false;
    }
    const QString question =
        QStringLiteral("This operation will completely rearrange all your items.") +
        QLatin1Char('\n') + QStringLiteral("Would you really like to do that?");
    return prompts.message(QStringLiteral("Warning"), question, PromptButtons::YesNo,
                           PromptIcon::Warning) == PromptAnswer::Yes;
}

bool autoArrange(ItemStore& store, ViewState& view, WindowSize window, Prompts& prompts) {
    if (!confirmAutoArrange(store, prompts)) return false;
    arrangeAllItems(store, view, window);
    return true;
}

}  // namespace kinloom
