#include "layout/auto_arrange.h"

#include "document/item_store.h"
#include "layout/ancestor_tree.h"
#include "layout/arranged_places.h"
#include "layout/literal_layout.h"
#include "layout/random_family.h"
#include "layout/row_centring.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kinloom {
namespace {

using test::addPerson;

TEST(AutoArrange, MatchesTheLiteralPlacementOnRandomFamilies) {
    int compared = 0;
    for (unsigned seed = 1; seed <= 600; ++seed) {
        ItemStore fast, slow;
        test::fillRandomFamily(fast, seed);
        test::fillRandomFamily(slow, seed);
        arrangeAllItems(fast);
        literal::Layout(slow).arrangeAllItems();
        ASSERT_EQ(test::arrangedPlaces(fast), test::arrangedPlaces(slow)) << "seed " << seed;
        ASSERT_EQ(fast.currentItem->Id, slow.currentItem->Id) << "seed " << seed;
        EXPECT_TRUE(fast.selectionList().empty());
        ++compared;
    }
    EXPECT_EQ(compared, 600);
}

// The same families moved to the ends of the int range: both versions wrap the coordinates the
// same way, in the placement and in the row centring.
TEST(AutoArrange, MatchesTheLiteralPlacementAtTheEndsOfTheRange) {
    const int64_t shifts[][2] = {{2147483647LL - 3000, 2147483647LL - 1200}, {-2147483647LL, -2147482000LL}};
    for (unsigned seed = 700; seed < 760; ++seed)
        for (const auto& shift : shifts) {
            ItemStore fast, slow;
            for (ItemStore* store : {&fast, &slow}) {
                test::fillRandomFamily(*store, seed);
                for (PersonItem* p = store->firstItem(); p; p = p->Next) {
                    p->X = literal::wrap(p->X + shift[0]);
                    p->Y = literal::wrap(p->Y + shift[1]);
                }
            }
            arrangeAllItems(fast);
            literal::Layout(slow).arrangeAllItems();
            ASSERT_EQ(test::arrangedPlaces(fast), test::arrangedPlaces(slow)) << "seed " << seed;
        }
}

TEST(AutoArrange, PedigreeDepthsMatchTheWalk) {
    for (unsigned seed = 1000; seed < 1300; ++seed) {
        ItemStore store;
        test::fillRandomFamily(store, seed);
        const std::vector<int> depths = pedigreeDepths(store);
        literal::Layout walk(store);
        size_t i = 0;
        for (PersonItem* p = store.firstItem(); p; p = p->Next, ++i) {
            walk.maxDepth = 1;
            ASSERT_EQ(depths[i], walk.checkOut(p, 1, 1)) << "seed " << seed << " item " << p->Id;
        }
    }
}

// Families deeper than the 999 rows that a run reaches, in both directions, with spouses at the ends.
TEST(AutoArrange, MatchesTheLiteralPlacementBeyondTheRowRange) {
    for (int variant = 0; variant < 3; ++variant) {
        ItemStore fast, slow;
        for (ItemStore* store : {&fast, &slow}) {
            std::vector<PersonItem*> chain;
            for (int i = 0; i < 1100; ++i) {
                PersonItem* p = addPerson(*store, "P" + std::to_string(i), {}, i * 7, -i * 3);
                if (i > 0) p->Father = chain.back();
                chain.push_back(p);
            }
            PersonItem* wife = addPerson(*store, "Wife", {}, 5, 5);
            store->addMarriage(chain[variant == 0 ? 1099 : 40], wife);
            if (variant == 2) chain[0]->Mother = chain[1099];  // one long circle
        }
        arrangeAllItems(fast);
        literal::Layout(slow).arrangeAllItems();
        ASSERT_EQ(test::arrangedPlaces(fast), test::arrangedPlaces(slow)) << "variant " << variant;
    }
}

// A chain of thirty generations measures 30; a walk that runs into a circle stops at its limit and
// counts as 31, so the circle's first item becomes home although it comes later in the list.
TEST(AutoArrange, AStoppedWalkCountsAsThirtyOneWhenChoosingHome) {
    ItemStore store;
    PersonItem* previous = nullptr;
    for (int i = 0; i < 30; ++i) {
        PersonItem* p = addPerson(store, "Chain" + std::to_string(i), {}, i, 0);
        p->Father = previous;
        previous = p;
    }
    PersonItem* a = addPerson(store, "A", {}, 0, 0);
    PersonItem* b = addPerson(store, "B", {}, 0, 0);
    a->Mother = b;
    b->Father = a;
    EXPECT_EQ(pedigreeDepths(store)[29], 30);
    EXPECT_EQ(pedigreeDepths(store)[30], 31);
    arrangeAllItems(store);
    EXPECT_EQ(store.firstItem(), a);
    EXPECT_EQ(store.currentItem, a);

    // Without the circle the deepest chain wins, and the first of equal depths is taken.
    b->Father = nullptr;
    PersonItem* twin = addPerson(store, "Twin", {}, 0, 0);
    twin->Father = previous->Father;  // 30 deep as well, but later in the list
    arrangeAllItems(store);
    EXPECT_EQ(store.firstItem(), previous);
}

TEST(AutoArrange, SingleItemMovesOneNeighbourRight) {
    ItemStore store;
    addPerson(store, "Only", {}, 1000, 300);
    store.modified = false;
    ViewState view{40.0, 1, 2};
    arrangeAllItems(store, view, {800, 600});
    const PersonItem* only = store.firstItem();
    EXPECT_EQ(only->X, 1160);
    EXPECT_EQ(only->Y, 300);
    EXPECT_EQ(store.currentItem, only);
    EXPECT_EQ(view.zoom, 100.0);
    EXPECT_EQ(view.offsetX, 400 - 1160 - 70);
    EXPECT_EQ(view.offsetY, 300 - 300 - 32);
    EXPECT_FALSE(store.modified);
}

TEST(AutoArrange, CoupleWithOneChildIsCentredOverTheChild) {
    ItemStore store;
    PersonItem* father = addPerson(store, "Father", {}, -3000, 10);
    PersonItem* mother = addPerson(store, "Mother", {}, 4000, 20);
    PersonItem* child = addPerson(store, "Child", {}, 1000, 700);
    child->Father = father;
    child->Mother = mother;
    store.addMarriage(father, mother);
    store.modified = true;
    ViewState view;
    arrangeAllItems(store, view, {1000, 800});
    EXPECT_EQ(store.firstItem(), child);  // the deepest pedigree becomes home
    EXPECT_EQ(child->Next, father);
    EXPECT_EQ(child->X, 1160);
    EXPECT_EQ(child->Y, 700);
    EXPECT_EQ(father->X, 1080);
    EXPECT_EQ(father->Y, 200);
    EXPECT_EQ(mother->X, 1240);
    EXPECT_EQ(mother->Y, 200);
    EXPECT_TRUE(store.modified);  // left as it was
}

TEST(AutoArrange, UnconnectedFamilyStartsRightOfTheFirstInRowZero) {
    ItemStore store;
    PersonItem* a = addPerson(store, "A", {}, 0, 0);
    PersonItem* b = addPerson(store, "B", {}, 0, 0);
    store.addMarriage(a, b);
    PersonItem* c = addPerson(store, "C", {}, -5000, 2000);
    PersonItem* d = addPerson(store, "D", {}, 0, 0);
    store.addMarriage(c, d);
    ViewState view;
    arrangeAllItems(store, view, {800, 600});
    // Row 0 of the first family holds A at 160 and B at 320; the second family continues the row
    // at its own old y.
    EXPECT_EQ(a->X, 160);
    EXPECT_EQ(b->X, 320);
    EXPECT_EQ(c->X, 480);
    EXPECT_EQ(c->Y, 2000);
    EXPECT_EQ(d->X, 640);
    EXPECT_EQ(d->Y, 2000);
}

// Items with far more relatives than most: a couple each married eight times, with forty children
// between them and their other partners, some children with children of their own.
TEST(AutoArrange, MatchesTheLiteralPlacementForItemsWithManyRelatives) {
    ItemStore fast, slow;
    for (ItemStore* store : {&fast, &slow}) {
        PersonItem* father = addPerson(*store, "Father", {}, 0, 0);
        PersonItem* mother = addPerson(*store, "Mother", {}, 300, 0);
        store->addMarriage(father, mother);
        std::vector<PersonItem*> partners{mother};
        for (int i = 0; i < 7; ++i) {
            PersonItem* other = addPerson(*store, "Partner" + std::to_string(i), {}, 100 * i, 700);
            store->addMarriage(i % 2 ? father : mother, other);
            partners.push_back(other);
        }
        for (int i = 0; i < 40; ++i) {
            PersonItem* child = addPerson(*store, "Child" + std::to_string(i), {}, 37 * i, 1000 + (i % 3) * 500);
            child->Father = i % 4 == 3 ? partners[static_cast<size_t>(i % 7) + 1] : father;
            child->Mother = i % 5 == 4 ? partners[static_cast<size_t>(i % 7) + 1] : mother;
            if (i % 6 == 5) addPerson(*store, "Grandchild" + std::to_string(i), {}, -50 * i, 200)->Father = child;
        }
    }
    arrangeAllItems(fast);
    literal::Layout(slow).arrangeAllItems();
    EXPECT_EQ(test::arrangedPlaces(fast), test::arrangedPlaces(slow));
}

TEST(AutoArrange, AMarriageChainAHundredThousandDeepNeedsNoRecursion) {
    ItemStore store;
    PersonItem* previous = nullptr;
    for (int i = 0; i < 100000; ++i) {
        PersonItem* p = store.createItem();
        p->X = -i;
        p->Y = 0;
        if (previous) store.addMarriage(previous, p);
        previous = p;
    }
    arrangeAllItems(store);
    int i = 0;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next, ++i) ASSERT_EQ(p->X, 160 * (i + 1));
}

TEST(AutoArrange, MenuCommandAsksFirst) {
    ScriptedPrompts prompts;
    ItemStore empty;
    ViewState view;
    EXPECT_FALSE(autoArrange(empty, view, {800, 600}, prompts));
    ASSERT_EQ(prompts.records().size(), 1u);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("No items to rearrange."));

    ItemStore store;
    PersonItem* a = addPerson(store, "A", {}, 10, 20);
    addPerson(store, "B", {}, 30, 40)->Father = a;
    prompts.clear();
    prompts.answerButton(PromptAnswer::No);
    EXPECT_FALSE(autoArrange(store, view, {800, 600}, prompts));
    ASSERT_EQ(prompts.records().size(), 1u);
    const auto& question = prompts.records()[0];
    EXPECT_EQ(question.text,
              QStringLiteral("This operation will completely rearrange all your items.\n"
                             "Would you really like to do that?"));
    EXPECT_EQ(question.buttons, PromptButtons::YesNo);
    EXPECT_EQ(question.icon, PromptIcon::Warning);
    EXPECT_EQ(store.firstItem(), a);
    EXPECT_EQ(a->X, 10);

    prompts.answerButton(PromptAnswer::Yes);
    EXPECT_TRUE(autoArrange(store, view, {800, 600}, prompts));
    EXPECT_EQ(store.firstItem()->FirstName, "B");
    EXPECT_EQ(store.currentItem, store.firstItem());
}

}  // namespace
}  // namespace kinloom

namespace kinloom {
namespace {

// Rows 999, 1000 and 1001 apart: the pass goes on, shifts the row exactly 1000 above and stops,
// or stops at once.
TEST(centreRows, StopsAtTheFirstGapOfAThousand) {
    for (const int gap : {999, 1000, 1001}) {
        ItemStore fast, slow;
        for (ItemStore* store : {&fast, &slow}) {
            PersonItem* parent = addPerson(*store, "Parent", {}, 500, 0);
            addPerson(*store, "Child", {}, 100, 600)->Father = parent;
            addPerson(*store, "Child2", {}, 300, 600)->Mother = parent;
            addPerson(*store, "Uncle", {}, 900, 0);
            addPerson(*store, "Far", {}, 2000, -gap);
            addPerson(*store, "Farther", {}, 2500, -gap - 400);
        }
        centreRows(fast);
        literal::Layout(slow).centreRows();
        ASSERT_EQ(test::arrangedPlaces(fast), test::arrangedPlaces(slow)) << gap;
        // Row 0 (500 and 900, middle 700) comes over the children (100 and 300, middle 200).
        EXPECT_EQ(fast.firstItem()->X, 0);
        const int farX = fast.lastItem()->Prev->X;
        EXPECT_EQ(farX == 2000, gap > 1000) << gap;
    }
}

}  // namespace
}  // namespace kinloom
