#include "layout/auto_arrange.h"

#include "document/centre_home.h"
#include "document/item_store.h"
#include "layout/ancestor_tree.h"
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

// What a placed item asks to place next, in the order of the depth-first placement: items that
// point at it (children one row down, then itself as their spouse in its own row) in list order,
// then its own spouses in slot order, then its father and its mother one row up.
enum CallKind : uint32_t { kChild = 0, kSameRow = 1, kFather = 2, kMother = 3 };

class Placement {
public:
    explicit Placement(ItemStore& store) {
        for (PersonItem* p = store.firstItem(); p; p = p->Next) {
            p->ChildCount = static_cast<int32_t>(items_.size());  // the layout's scratch field
            items_.push_back(p);
            xs_.push_back(p->X);
            ys_.push_back(p->Y);
        }
        buildCalls();
        placed_.assign(items_.size(), 0);
    }
    ~Placement() {
        for (PersonItem* p : items_) p->ChildCount = 0;
    }

    void run() {
        if (items_.empty()) return;
        rightEdge_.fill(wrap(int64_t{items_[0]->X} + kNeighbourPitch));
        for (uint32_t i = 0; i < items_.size(); ++i) branch(i, xs_[i], ys_[i], 0);
        for (uint32_t i = 0; i < items_.size(); ++i) {
            items_[i]->X = xs_[i];
            items_[i]->Y = ys_[i];
        }
    }

private:
    uint32_t indexOf(const PersonItem* p) const { return static_cast<uint32_t>(p->ChildCount); }

    void buildCalls() {
        const size_t n = items_.size();
        std::vector<uint32_t> backCount(n + 1, 0);
        std::vector<uint32_t> ownCount(n, 0);
        // Pass 1: count. Pass 2: fill. Both see every item in list order.
        auto forEachBackLink = [&](auto&& add) {
            for (uint32_t q = 0; q < n; ++q) {
                const PersonItem* item = items_[q];
                if (item->Father) add(indexOf(item->Father), q, kChild);
                if (item->Mother && item->Mother != item->Father) add(indexOf(item->Mother), q, kChild);
                for (int i = 1; i <= kMaxSpouses; ++i) {
                    const PersonItem* s = item->Spouse[i];
                    if (!s) continue;
                    // Two slots with the same partner make the same call twice in a row; the
                    // second one finds the item placed (or its row out of range) and does nothing.
                    bool seen = false;
                    for (int j = 1; j < i; ++j) seen = seen || item->Spouse[j] == s;
                    if (!seen) add(indexOf(s), q, kSameRow);
                }
            }
        };
        forEachBackLink([&](uint32_t target, uint32_t, CallKind) { ++backCount[target]; });
        for (uint32_t v = 0; v < n; ++v) {
            const PersonItem* item = items_[v];
            for (int i = 1; i <= kMaxSpouses; ++i) ownCount[v] += item->Spouse[i] != nullptr;
            ownCount[v] += (item->Father != nullptr) + (item->Mother != nullptr);
        }
        start_.assign(n + 1, 0);
        for (uint32_t v = 0; v < n; ++v) start_[v + 1] = start_[v] + backCount[v] + ownCount[v];
        calls_.resize(start_[n]);
        std::vector<uint32_t> cursor(start_.begin(), start_.end() - 1);
        forEachBackLink([&](uint32_t target, uint32_t q, CallKind kind) {
            calls_[cursor[target]++] = q << 2 | kind;
        });
        for (uint32_t v = 0; v < n; ++v) {
            const PersonItem* item = items_[v];
            for (int i = 1; i <= kMaxSpouses; ++i)
                if (item->Spouse[i]) calls_[cursor[v]++] = indexOf(item->Spouse[i]) << 2 | kSameRow;
            if (item->Father) calls_[cursor[v]++] = indexOf(item->Father) << 2 | kFather;
            if (item->Mother) calls_[cursor[v]++] = indexOf(item->Mother) << 2 | kMother;
        }
    }

    bool place(uint32_t v, int32_t x, int32_t y, int row) {
        if (placed_[v] || row > kRowLimit || row < -kRowLimit) return false;
        int32_t& edge = rightEdge_[row + kRowRange];
        if (edge > x) x = edge;
        edge = wrap(int64_t{x} + kNeighbourPitch);
        xs_[v] = x;
        ys_[v] = y;
        placed_[v] = 1;
        return true;
    }

    // The depth-first placement with an explicit stack, so that no family is too deep for it.
    void branch(uint32_t v, int32_t x, int32_t y, int row) {
        if (!place(v, x, y, row)) return;
        stack_.push_back({v, row, start_[v]});
        while (!stack_.empty()) {
            Frame& f = stack_.back();
            if (f.next == start_[f.item + 1]) {
                stack_.pop_back();
                continue;
            }
            const uint32_t call = calls_[f.next++];
            const uint32_t target = call >> 2;
            int32_t nx = xs_[f.item];
            int32_t ny = ys_[f.item];
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
            if (place(target, nx, ny, nrow)) stack_.push_back({target, nrow, start_[target]});
        }
    }

    struct Frame {
        uint32_t item;
        int row;
        uint32_t next;  // the next of its calls to make
    };

    std::vector<PersonItem*> items_;
    // The items' coordinates during the placement, beside each other rather than in scattered items.
    std::vector<int32_t> xs_, ys_;
    std::vector<uint32_t> start_;
    std::vector<uint32_t> calls_;  // target index << 2 | CallKind
    std::vector<char> placed_;
    std::vector<Frame> stack_;
    std::array<int32_t, 2 * kRowRange + 1> rightEdge_{};
};

}  // namespace

void arrangeAllItems(ItemStore& store) {
    if (store.empty()) return;
    for (PersonItem* p = store.firstItem(); p; p = p->Next) {
        store.touchPlace(p);  // arranging changes only X, Y, ChildCount and Selected
        p->ChildCount = 0;
        p->Selected = false;
    }
    // The root is the first item whose pedigree is deepest.
    const std::vector<int> depths = pedigreeDepths(store);
    PersonItem* root = store.firstItem();
    int best = 0;
    size_t i = 0;
    for (PersonItem* p = store.firstItem(); p; p = p->Next, ++i)
        if (depths[i] > best) {
            best = depths[i];
            root = p;
        }
    store.currentItem = root;
    store.moveToFront(root);
    {
        Placement placement(store);
        placement.run();
    }
    for (PersonItem* p = store.firstItem(); p; p = p->Next) p->Selected = false;
    store.clearSelection();
    centreRows(store);
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
