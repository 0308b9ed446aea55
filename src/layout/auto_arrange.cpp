#include "layout/auto_arrange.h"

#include "document/centre_home.h"
#include "document/item_store.h"
#include "layout/ancestor_tree.h"
#include "layout/pedigree_height.h"
#include "layout/row_centring.h"
#include "platform/prompts.h"
#include "platform/scratch_array.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
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

struct Parents {
    uint32_t father = kNone, mother = kNone;  // kNone where there is none
};

// The links of all items, read from the items once, in list order. Items are numbered by their
// place in the store's memory, which a link gives without reading the item it points at: in a
// large tree every such read would miss the cache. The depths, the placement and the centring then
// work on these arrays alone.
struct Links {
    explicit Links(ItemStore& store)
        : items(static_cast<size_t>(store.itemCount())),
          place(items.size()),
          spouseStart(items.size() + 1),
          parents(store.placeCount(), Parents{}),
          alias(store.placeCount(), 0),
          calls(store.placeCount(), 0) {
        spouses.reserve(items.size());
        // Links lead only to items of the same store (the store clears them before an item goes).
        auto placeOf = [&store](const PersonItem* p) { return p ? store.placeOf(p) : kNone; };
        uint32_t q = 0;
        for (PersonItem* p = store.firstItem(); p && q < items.size(); p = p->Next, ++q) {
            // The items usually lie one after the other in list order: fetch the next ones' links.
            const auto* ahead = reinterpret_cast<const char*>(p) + 6 * sizeof(PersonItem);
            __builtin_prefetch(ahead);
            __builtin_prefetch(ahead + 64);
            __builtin_prefetch(ahead + 128);
            store.touchPlace(p);  // arranging changes only X, Y, ChildCount and Selected
            const uint32_t v = store.placeOf(p);
            items[q] = p;
            place[q] = v;
            alias[v] = p->isAlias();
            const Parents own{placeOf(p->Father), placeOf(p->Mother)};
            parents[v] = own;
            calls[v] += (own.father != kNone) + (own.mother != kNone);
            if (own.father != kNone) ++calls[own.father];
            if (own.mother != kNone && own.mother != own.father) ++calls[own.mother];
            const auto first = static_cast<uint32_t>(spouses.size());
            spouseStart[q] = first;
            for (int i = 1; i <= kMaxSpouses; ++i) {
                if (!p->Spouse[i]) continue;
                const uint32_t s = placeOf(p->Spouse[i]);
                // Two slots with the same partner make one call from it (see Placement).
                if (std::find(spouses.begin() + first, spouses.end(), s) == spouses.end()) ++calls[s];
                ++calls[v];
                spouses.push_back(s);
            }
        }
        spouseStart[q] = static_cast<uint32_t>(spouses.size());
    }

    size_t size() const { return items.size(); }
    bool hasParents(uint32_t q) const {
        const Parents& own = parents[place[q]];
        return own.father != kNone || own.mother != kNone;
    }

    // By list position.
    ScratchArray<PersonItem*> items;
    ScratchArray<uint32_t> place;
    ScratchArray<uint32_t> spouseStart;  // item q's spouses, slot order, are spouses[spouseStart[q] .. spouseStart[q + 1])
    std::vector<uint32_t> spouses;      // places
    // By place.
    ScratchArray<Parents> parents;
    ScratchArray<uint8_t> alias;
    ScratchArray<uint32_t> calls;  // its calls in the placement (see Placement)
};

// The pedigree walk over the arrays, with the names it expects.
struct ArrayParents {
    const Links& links;
    uint32_t none() const { return kNone; }
    uint32_t father(uint32_t v) const { return links.parents[v].father; }
    uint32_t mother(uint32_t v) const { return links.parents[v].mother; }
    bool isAlias(uint32_t v) const { return links.alias[v]; }
};

// The list position of the first item whose pedigree is deepest (the walk stopped at its limit
// counting as 31).
uint32_t deepestPedigree(const Links& links) {
    using Memo = IndexedHeights<uint32_t (*)(uint32_t), uint32_t, int8_t>;
    Memo memo(links.parents.size(), [](uint32_t v) { return v; });
    const ArrayParents walk{links};
    constexpr int kCap = AncestorWalk::kDepthLimit + 1;
    // Parents mostly come before their children: then an item's height follows from theirs at once.
    auto known = [&](uint32_t parent) { return parent == kNone ? 0 : int{memo.values[parent]}; };
    uint32_t root = 0;
    int best = 0;
    for (uint32_t q = 0; q < links.size(); ++q) {
        const uint32_t v = links.place[q];
        const Parents parents = links.parents[v];
        const int fromFather = known(parents.father), fromMother = known(parents.mother);
        int depth;
        if (fromFather >= 0 && fromMother >= 0 && !links.alias[v] && memo.values[v] == Memo::kAbsent) {
            depth = std::min(1 + std::max(fromFather, fromMother), kCap);
            memo.values[v] = static_cast<int8_t>(depth);
        } else {
            depth = pedigreeHeight(v, walk, memo, kCap);
        }
        if (depth > best) {
            best = depth;
            root = q;
        }
    }
    return root;
}

// What a placed item asks to place next, in the order of the depth-first placement: items that
// point at it (children one row down, then itself as their spouse in its own row) in list order,
// then its own spouses in slot order, then its father and its mother one row up.
enum CallKind : uint32_t { kChild = 0, kSameRow = 1, kFather = 2, kMother = 3 };

// The depth-first placement over one array of records, one an item by place: its X and Y, the
// number of its calls, then the calls (where the called item's record starts << 2 | CallKind).
// Placing an item reads and writes its record alone, mostly one cache line.
class Placement {
public:
    // The list order with the home item (list position `home`) at the front. Takes the links'
    // counts of calls as its scratch.
    Placement(Links& links, uint32_t home) : links_(links), home_(home) { buildRecords(); }

    void run() {
        if (links_.size() == 0) return;
        rightEdge_.fill(wrap(int64_t{links_.items[home_]->X} + kNeighbourPitch));
        for (uint32_t k = 0; k < links_.size(); ++k) {
            const uint32_t q = listPosition(k);
            // Only the first item of each family starts where it stands; read it from the item then.
            if (const uint32_t r = recordOf_[links_.place[q]]; !placed(r)) branch(r, links_.items[q]->X, links_.items[q]->Y);
        }
    }
    // The place of the item at list position q.
    int32_t x(uint32_t q) const { return static_cast<int32_t>(words_[recordOf_[links_.place[q]]]); }
    int32_t y(uint32_t q) const { return static_cast<int32_t>(words_[recordOf_[links_.place[q]] + 1]); }

private:
    static constexpr uint32_t kHead = 3;  // X, Y, the count of calls

    // The list position of the k-th item once the home item is at the front.
    uint32_t listPosition(uint32_t k) const { return k == 0 ? home_ : k <= home_ ? k - 1 : k; }

    void buildRecords() {
        const size_t places = links_.parents.size();
        // Where every item's record starts; the count of calls goes into the record, and the
        // counts' array becomes the cursor that fills each record with the calls from others.
        recordOf_ = ScratchArray<uint32_t>(places + 1);
        ScratchArray<uint32_t>& cursor = links_.calls;
        size_t total = 0;
        for (uint32_t v = 0; v < places; ++v) {
            recordOf_[v] = static_cast<uint32_t>(total);
            total += kHead + links_.calls[v];
        }
        recordOf_[places] = static_cast<uint32_t>(total);
        // Call words keep 30 bits for a record's start: room for far more items than memory holds.
        if (total >> 30 != 0) throw std::bad_alloc();
        words_ = ScratchArray<uint32_t>(total);
        for (uint32_t v = 0; v < places; ++v) {
            words_[recordOf_[v] + 2] = links_.calls[v];
            cursor[v] = recordOf_[v] + kHead;
        }
        // Records are at least three words long, so half a record's start is a bit of its own.
        placed_ = ScratchArray<uint64_t>(total / 128 + 1, 0);
        // Calls from the items that point at each one, in list order with the home item first.
        for (uint32_t k = 0; k < links_.size(); ++k) {
            const uint32_t q = listPosition(k);
            const uint32_t v = links_.place[q];
            const uint32_t from = recordOf_[v] << 2;
            const Parents parents = links_.parents[v];
            if (parents.father != kNone) words_[cursor[parents.father]++] = from | kChild;
            if (parents.mother != kNone && parents.mother != parents.father) words_[cursor[parents.mother]++] = from | kChild;
            const uint32_t* s = links_.spouses.data();
            for (uint32_t i = links_.spouseStart[q]; i < links_.spouseStart[q + 1]; ++i) {
                // Two slots with the same partner would make the same call twice in a row; the
                // second one would find the item placed (or its row out of range) and do nothing.
                if (std::find(s + links_.spouseStart[q], s + i, s[i]) == s + i) words_[cursor[s[i]]++] = from | kSameRow;
            }
        }
        // Then each item's own calls, at the end of its record.
        for (uint32_t q = 0; q < links_.size(); ++q) {
            const uint32_t v = links_.place[q];
            uint32_t at = cursor[v];
            for (uint32_t i = links_.spouseStart[q]; i < links_.spouseStart[q + 1]; ++i)
                words_[at++] = recordOf_[links_.spouses[i]] << 2 | kSameRow;
            const Parents parents = links_.parents[v];
            if (parents.father != kNone) words_[at++] = recordOf_[parents.father] << 2 | kFather;
            if (parents.mother != kNone) words_[at++] = recordOf_[parents.mother] << 2 | kMother;
        }
    }

    bool placed(uint32_t r) const { return placed_[r >> 7] >> (r >> 1 & 63) & 1; }

    bool place(uint32_t r, int32_t x, int32_t y, int row) {
        if (placed(r) || row > kRowLimit || row < -kRowLimit) return false;
        int32_t& edge = rightEdge_[row + kRowRange];
        if (edge > x) x = edge;
        edge = wrap(int64_t{x} + kNeighbourPitch);
        uint32_t* record = &words_[r];
        record[0] = static_cast<uint32_t>(x);
        record[1] = static_cast<uint32_t>(y);
        placed_[r >> 7] |= uint64_t{1} << (r >> 1 & 63);
        // Its calls are made next: fetch the records they will place meanwhile, all at once.
        for (uint32_t i = 0; i < record[2]; ++i)
            if (const uint32_t target = record[kHead + i] >> 2; !placed(target)) __builtin_prefetch(&words_[target], 1);
        return true;
    }

    // The depth-first placement with an explicit stack, so that no family is too deep for it.
    void branch(uint32_t r, int32_t x, int32_t y) {
        if (!place(r, x, y, 0)) return;
        stack_.push_back({r, 0, 0});
        while (!stack_.empty()) {
            Frame& f = stack_.back();
            const uint32_t* from = &words_[f.record];
            if (f.next == from[2]) {
                stack_.pop_back();
                continue;
            }
            const uint32_t call = from[kHead + f.next++];
            const uint32_t target = call >> 2;
            auto nx = static_cast<int32_t>(from[0]);
            auto ny = static_cast<int32_t>(from[1]);
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
        uint32_t record;
        int row;
        uint32_t next;  // the next of its calls to make
    };

    Links& links_;
    const uint32_t home_;
    ScratchArray<uint32_t> recordOf_;  // by place
    ScratchArray<uint32_t> words_;
    // One bit an item, small enough to stay in the cache: most calls find their item placed already.
    ScratchArray<uint64_t> placed_;
    std::vector<Frame> stack_;
    std::array<int32_t, 2 * kRowRange + 1> rightEdge_{};
};

}  // namespace

void arrangeAllItems(ItemStore& store) {
    if (store.empty()) return;
    Links links(store);
    const uint32_t home = deepestPedigree(links);
    store.currentItem = links.items[home];
    store.moveToFront(links.items[home]);
    Placement placement(links, home);
    placement.run();
    auto finish = [&](uint32_t q, int32_t x, int32_t y) {
        PersonItem* p = links.items[q];
        p->X = x;
        p->Y = y;
        p->Selected = false;
        p->ChildCount = 0;
    };
    // The rows are centred from their extents, read straight from the placement; only where a
    // shifted row would wrap around the ends of the coordinates are they centred over whole arrays.
    RowShifts shifts;
    for (uint32_t q = 0; q < links.size(); ++q) shifts.add(placement.x(q), placement.y(q), links.hasParents(q));
    if (shifts.finish()) {
        for (uint32_t q = 0; q < links.size(); ++q) {
            const int32_t y = placement.y(q);
            finish(q, shifts.centred(placement.x(q), y), y);
        }
    } else {
        ScratchArray<int32_t> xs(links.size()), ys(links.size());
        ScratchArray<uint8_t> withParents(links.size());
        for (uint32_t q = 0; q < links.size(); ++q) {
            xs[q] = placement.x(q);
            ys[q] = placement.y(q);
            withParents[q] = links.hasParents(q);
        }
        centreRows(xs, ys, withParents);
        for (uint32_t q = 0; q < links.size(); ++q) finish(q, xs[q], ys[q]);
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
