#include "layout/auto_arrange.h"

#include "document/item_store.h"
#include "layout/ancestor_tree.h"
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

using test::AddPerson;

struct Snapshot {
    int32_t id, x, y;
    bool selected;
    int32_t childCount;
    bool operator==(const Snapshot&) const = default;
};

std::vector<Snapshot> Take(const TItemStore& store) {
    std::vector<Snapshot> out;
    for (const TPersonItem* p = store.FirstItem(); p; p = p->Next)
        out.push_back({p->Id, p->X, p->Y, p->Selected, p->ChildCount});
    return out;
}

TEST(AutoArrange, MatchesTheLiteralPlacementOnRandomFamilies) {
    int compared = 0;
    for (unsigned seed = 1; seed <= 600; ++seed) {
        TItemStore fast, slow;
        test::FillRandomFamily(fast, seed);
        test::FillRandomFamily(slow, seed);
        Autoarrange1Click(fast);
        literal::Layout(slow).Autoarrange1Click();
        ASSERT_EQ(Take(fast), Take(slow)) << "seed " << seed;
        ASSERT_EQ(fast.CurrentItem->Id, slow.CurrentItem->Id) << "seed " << seed;
        EXPECT_TRUE(fast.SelectionList().empty());
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
            TItemStore fast, slow;
            for (TItemStore* store : {&fast, &slow}) {
                test::FillRandomFamily(*store, seed);
                for (TPersonItem* p = store->FirstItem(); p; p = p->Next) {
                    p->X = literal::Wrap(p->X + shift[0]);
                    p->Y = literal::Wrap(p->Y + shift[1]);
                }
            }
            Autoarrange1Click(fast);
            literal::Layout(slow).Autoarrange1Click();
            ASSERT_EQ(Take(fast), Take(slow)) << "seed " << seed;
        }
}

TEST(AutoArrange, PedigreeDepthsMatchTheWalk) {
    for (unsigned seed = 1000; seed < 1300; ++seed) {
        TItemStore store;
        test::FillRandomFamily(store, seed);
        const std::vector<int> depths = PedigreeDepths(store);
        literal::Layout walk(store);
        size_t i = 0;
        for (TPersonItem* p = store.FirstItem(); p; p = p->Next, ++i) {
            walk.MaxDepth = 1;
            ASSERT_EQ(depths[i], walk.CheckOut(p, 1, 1)) << "seed " << seed << " item " << p->Id;
        }
    }
}

// Families deeper than the 999 rows that a run reaches, in both directions, with spouses at the ends.
TEST(AutoArrange, MatchesTheLiteralPlacementBeyondTheRowRange) {
    for (int variant = 0; variant < 3; ++variant) {
        TItemStore fast, slow;
        for (TItemStore* store : {&fast, &slow}) {
            std::vector<TPersonItem*> chain;
            for (int i = 0; i < 1100; ++i) {
                TPersonItem* p = AddPerson(*store, "P" + std::to_string(i), {}, i * 7, -i * 3);
                if (i > 0) p->Father = chain.back();
                chain.push_back(p);
            }
            TPersonItem* wife = AddPerson(*store, "Wife", {}, 5, 5);
            store->AddMarriage(chain[variant == 0 ? 1099 : 40], wife);
            if (variant == 2) chain[0]->Mother = chain[1099];  // one long circle
        }
        Autoarrange1Click(fast);
        literal::Layout(slow).Autoarrange1Click();
        ASSERT_EQ(Take(fast), Take(slow)) << "variant " << variant;
    }
}

// A chain of thirty generations measures 30; a walk that runs into a circle stops at its limit and
// counts as 31, so the circle's first item becomes home although it comes later in the list.
TEST(AutoArrange, AStoppedWalkCountsAsThirtyOneWhenChoosingHome) {
    TItemStore store;
    TPersonItem* previous = nullptr;
    for (int i = 0; i < 30; ++i) {
        TPersonItem* p = AddPerson(store, "Chain" + std::to_string(i), {}, i, 0);
        p->Father = previous;
        previous = p;
    }
    TPersonItem* a = AddPerson(store, "A", {}, 0, 0);
    TPersonItem* b = AddPerson(store, "B", {}, 0, 0);
    a->Mother = b;
    b->Father = a;
    EXPECT_EQ(PedigreeDepths(store)[29], 30);
    EXPECT_EQ(PedigreeDepths(store)[30], 31);
    Autoarrange1Click(store);
    EXPECT_EQ(store.FirstItem(), a);
    EXPECT_EQ(store.CurrentItem, a);

    // Without the circle the deepest chain wins, and the first of equal depths is taken.
    b->Father = nullptr;
    TPersonItem* twin = AddPerson(store, "Twin", {}, 0, 0);
    twin->Father = previous->Father;  // 30 deep as well, but later in the list
    Autoarrange1Click(store);
    EXPECT_EQ(store.FirstItem(), previous);
}

TEST(AutoArrange, SingleItemMovesOneNeighbourRight) {
    TItemStore store;
    AddPerson(store, "Only", {}, 1000, 300);
    store.Modified = false;
    ViewState view{40.0, 1, 2};
    ArrangeAllItems(store, view, {800, 600});
    const TPersonItem* only = store.FirstItem();
    EXPECT_EQ(only->X, 1160);
    EXPECT_EQ(only->Y, 300);
    EXPECT_EQ(store.CurrentItem, only);
    EXPECT_EQ(view.Zoom, 100.0);
    EXPECT_EQ(view.OffsetX, 400 - 1160 - 70);
    EXPECT_EQ(view.OffsetY, 300 - 300 - 32);
    EXPECT_FALSE(store.Modified);
}

TEST(AutoArrange, CoupleWithOneChildIsCentredOverTheChild) {
    TItemStore store;
    TPersonItem* father = AddPerson(store, "Father", {}, -3000, 10);
    TPersonItem* mother = AddPerson(store, "Mother", {}, 4000, 20);
    TPersonItem* child = AddPerson(store, "Child", {}, 1000, 700);
    child->Father = father;
    child->Mother = mother;
    store.AddMarriage(father, mother);
    store.Modified = true;
    ViewState view;
    ArrangeAllItems(store, view, {1000, 800});
    EXPECT_EQ(store.FirstItem(), child);  // the deepest pedigree becomes home
    EXPECT_EQ(child->Next, father);
    EXPECT_EQ(child->X, 1160);
    EXPECT_EQ(child->Y, 700);
    EXPECT_EQ(father->X, 1080);
    EXPECT_EQ(father->Y, 200);
    EXPECT_EQ(mother->X, 1240);
    EXPECT_EQ(mother->Y, 200);
    EXPECT_TRUE(store.Modified);  // left as it was
}

TEST(AutoArrange, UnconnectedFamilyStartsRightOfTheFirstInRowZero) {
    TItemStore store;
    TPersonItem* a = AddPerson(store, "A", {}, 0, 0);
    TPersonItem* b = AddPerson(store, "B", {}, 0, 0);
    store.AddMarriage(a, b);
    TPersonItem* c = AddPerson(store, "C", {}, -5000, 2000);
    TPersonItem* d = AddPerson(store, "D", {}, 0, 0);
    store.AddMarriage(c, d);
    ViewState view;
    ArrangeAllItems(store, view, {800, 600});
    // Row 0 of the first family holds A at 160 and B at 320; the second family continues the row
    // at its own old y.
    EXPECT_EQ(a->X, 160);
    EXPECT_EQ(b->X, 320);
    EXPECT_EQ(c->X, 480);
    EXPECT_EQ(c->Y, 2000);
    EXPECT_EQ(d->X, 640);
    EXPECT_EQ(d->Y, 2000);
}

TEST(AutoArrange, AMarriageChainAHundredThousandDeepNeedsNoRecursion) {
    TItemStore store;
    TPersonItem* previous = nullptr;
    for (int i = 0; i < 100000; ++i) {
        TPersonItem* p = store.LagNyPerson();
        p->X = -i;
        p->Y = 0;
        if (previous) store.AddMarriage(previous, p);
        previous = p;
    }
    Autoarrange1Click(store);
    int i = 0;
    for (const TPersonItem* p = store.FirstItem(); p; p = p->Next, ++i) ASSERT_EQ(p->X, 160 * (i + 1));
}

TEST(AutoArrange, MenuCommandAsksFirst) {
    ScriptedPrompts prompts;
    TItemStore empty;
    ViewState view;
    EXPECT_FALSE(AutoArrangeClick(empty, view, {800, 600}, prompts));
    ASSERT_EQ(prompts.records().size(), 1u);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("No items to rearrange."));

    TItemStore store;
    TPersonItem* a = AddPerson(store, "A", {}, 10, 20);
    AddPerson(store, "B", {}, 30, 40)->Father = a;
    prompts.clear();
    prompts.AnswerButton(PromptAnswer::No);
    EXPECT_FALSE(AutoArrangeClick(store, view, {800, 600}, prompts));
    ASSERT_EQ(prompts.records().size(), 1u);
    const auto& question = prompts.records()[0];
    EXPECT_EQ(question.text,
              QStringLiteral("This operation will completely rearrange all your items, and cannot be "
                             "undone.\nWould you really like to do that?"));
    EXPECT_EQ(question.buttons, PromptButtons::YesNo);
    EXPECT_EQ(question.icon, PromptIcon::Warning);
    EXPECT_EQ(store.FirstItem(), a);
    EXPECT_EQ(a->X, 10);

    prompts.AnswerButton(PromptAnswer::Yes);
    EXPECT_TRUE(AutoArrangeClick(store, view, {800, 600}, prompts));
    EXPECT_EQ(store.FirstItem()->FirstName, "B");
    EXPECT_EQ(store.CurrentItem, store.FirstItem());
}

}  // namespace
}  // namespace kinloom

namespace kinloom {
namespace {

// Rows 999, 1000 and 1001 apart: the pass goes on, shifts the row exactly 1000 above and stops,
// or stops at once.
TEST(CentreRows, StopsAtTheFirstGapOfAThousand) {
    for (const int gap : {999, 1000, 1001}) {
        TItemStore fast, slow;
        for (TItemStore* store : {&fast, &slow}) {
            TPersonItem* parent = AddPerson(*store, "Parent", {}, 500, 0);
            AddPerson(*store, "Child", {}, 100, 600)->Father = parent;
            AddPerson(*store, "Child2", {}, 300, 600)->Mother = parent;
            AddPerson(*store, "Uncle", {}, 900, 0);
            AddPerson(*store, "Far", {}, 2000, -gap);
            AddPerson(*store, "Farther", {}, 2500, -gap - 400);
        }
        CentreRows(fast);
        literal::Layout(slow).CentreRows();
        ASSERT_EQ(Take(fast), Take(slow)) << gap;
        // Row 0 (500 and 900, middle 700) comes over the children (100 and 300, middle 200).
        EXPECT_EQ(fast.FirstItem()->X, 0);
        const int farX = fast.LastItem()->Prev->X;
        EXPECT_EQ(farX == 2000, gap > 1000) << gap;
    }
}

}  // namespace
}  // namespace kinloom
