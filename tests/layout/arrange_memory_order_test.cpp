#include "document/item_store.h"
#include "layout/arranged_places.h"
#include "layout/auto_arrange.h"
#include "layout/literal_layout.h"
#include "layout/random_family.h"
#include "layout/row_centring.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace kinloom {
namespace {

PersonItem* itemAt(ItemStore& store, size_t index) {
    PersonItem* p = store.firstItem();
    while (index-- > 0 && p->Next) p = p->Next;
    return p;
}

// Edits that leave the list order far from the order of the items in memory: items moved to the
// front, deleted ones whose memory the next new items take, new items linked to older ones, and
// scratch values left in ChildCount. Done the same way in every store given the same seed.
void scramble(ItemStore& store, unsigned seed) {
    std::mt19937 rng(seed);
    const int steps = 1 + static_cast<int>(rng() % 40);
    for (int s = 0; s < steps; ++s) {
        const size_t count = static_cast<size_t>(store.itemCount());
        switch (rng() % 4) {
        case 0: store.moveToFront(itemAt(store, rng() % count)); break;
        case 1:
            if (count > 1) {
                store.currentItem = itemAt(store, rng() % count);
                store.deleteItem();
            }
            break;
        case 2: {
            PersonItem* older = itemAt(store, rng() % count);
            PersonItem* other = itemAt(store, rng() % count);
            PersonItem* p = store.createItem();
            p->X = static_cast<int>(rng() % 4001) - 2000;
            p->Y = static_cast<int>(rng() % 5) * 500;
            if (rng() % 2) p->Father = older;
            if (rng() % 2) p->Mother = other;
            if (rng() % 3 == 0) store.addMarriage(p, other);
            if (rng() % 3 == 0) older->Mother = p;  // a parent later in memory than its child
            break;
        }
        default: itemAt(store, rng() % count)->ChildCount = static_cast<int32_t>(rng() % 1000); break;
        }
    }
}

// The arrangement numbers items by their place in memory; the result must follow the list order
// alone, wherever the items lie.
TEST(AutoArrange, MatchesTheLiteralPlacementWhateverTheOrderInMemory) {
    int reordered = 0;
    for (unsigned seed = 2000; seed < 2400; ++seed) {
        ItemStore fast, slow;
        for (ItemStore* store : {&fast, &slow}) {
            test::fillRandomFamily(*store, seed);
            scramble(*store, seed);
        }
        bool inMemoryOrder = true;
        uint32_t previous = 0;
        for (const PersonItem* p = fast.firstItem(); p; p = p->Next) {
            if (p != fast.firstItem() && fast.placeOf(p) < previous) inMemoryOrder = false;
            previous = fast.placeOf(p);
        }
        reordered += !inMemoryOrder;
        arrangeAllItems(fast);
        literal::Layout(slow).arrangeAllItems();
        ASSERT_EQ(test::arrangedPlaces(fast), test::arrangedPlaces(slow)) << "seed " << seed;
        ASSERT_EQ(fast.currentItem->Id, slow.currentItem->Id) << "seed " << seed;
    }
    EXPECT_GT(reordered, 300);
}

// Rows centred from their extents equal rows centred item by item, also where shifted rows wrap
// around the ends of the coordinates (the arrays' version then centres the sorted rows).
TEST(RowShifts, MatchTheLiteralCentringAndRefuseOnlyWrappingRows) {
    int refused = 0, exact = 0;
    for (unsigned seed = 1; seed <= 500; ++seed) {
        std::mt19937 rng(seed);
        const int n = 1 + static_cast<int>(rng() % 60);
        const bool nearTheEnds = seed % 3 == 0;
        ItemStore store;
        std::vector<int32_t> xs, ys;
        std::vector<uint8_t> withParents;
        for (int i = 0; i < n; ++i) {
            PersonItem* p = store.createItem();
            const int64_t x = nearTheEnds ? (rng() % 2 ? INT32_MAX - int64_t(rng() % 3000) : INT32_MIN + int64_t(rng() % 3000))
                                          : int64_t(rng() % 20001) - 10000;
            p->X = static_cast<int32_t>(x);
            // Rows 0 to 2,000 apart, so that gaps of 999, 1000 and 1001 all occur.
            static constexpr int kGaps[] = {0, 500, 999, 1000, 1001, 1500, 2000};
            p->Y = static_cast<int32_t>(rng() % 4) * kGaps[rng() % 7] - 3000;
            if (i > 0 && rng() % 2) p->Father = store.firstItem();
            xs.push_back(p->X);
            ys.push_back(p->Y);
            withParents.push_back(p->Father != nullptr);
        }
        RowShifts shifts;
        for (int i = 0; i < n; ++i) shifts.add(xs[static_cast<size_t>(i)], ys[static_cast<size_t>(i)], withParents[static_cast<size_t>(i)]);
        const bool done = shifts.finish();
        (done ? exact : refused) += 1;
        std::vector<int32_t> centred = xs;
        centreRows(centred, ys, withParents);
        literal::Layout(store).centreRows();
        size_t i = 0;
        for (const PersonItem* p = store.firstItem(); p; p = p->Next, ++i) {
            ASSERT_EQ(centred[i], p->X) << "seed " << seed << " item " << i;
            if (done) {
                ASSERT_EQ(shifts.centred(xs[i], ys[i]), p->X) << "seed " << seed << " item " << i;
            }
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_GT(exact, 300);
}

}  // namespace
}  // namespace kinloom
