#include "layout/ancestor_tree.h"

#include "document/item_store.h"
#include "layout/literal_layout.h"
#include "layout/random_family.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace kinloom {
namespace {

using test::addPerson;

TEST(AncestorGeometry, FiveGenerationsInBothStyles) {
    const int rises[2][4] = {{315, 593, 902, 1258}, {585, 1040, 1365, 1560}};
    for (const TreeStyle style : {TreeStyle::Compact, TreeStyle::Fractal}) {
        const int s = style == TreeStyle::Compact ? 0 : 1;
        for (int g = 1; g <= 4; ++g)
            EXPECT_EQ(ancestorPosition(style, 5, g, 1, 1000, 2000).y, 2000 - rises[s][g - 1])
                << "style " << s << " generation " << g;
    }
    EXPECT_EQ(ancestorPosition(TreeStyle::Compact, 5, 1, 1, 1000, 0).x, 850);
    EXPECT_EQ(ancestorPosition(TreeStyle::Compact, 5, 1, 2, 1000, 0).x, 1150);
    EXPECT_EQ(ancestorPosition(TreeStyle::Fractal, 5, 1, 1, 1000, 0).x, 400);
    EXPECT_EQ(ancestorPosition(TreeStyle::Fractal, 5, 1, 2, 1000, 0).x, 1600);
    // Halves go to the even neighbour: (150 - 1200) x 3/4 = -787.5.
    EXPECT_EQ(ancestorPosition(TreeStyle::Compact, 5, 3, 1, 0, 0).x, -788);
    EXPECT_EQ(ancestorPosition(TreeStyle::Compact, 5, 3, 2, 0, 0).x, -562);  // -562.5
}

// A root at the very end of the canvas: its ancestors stop at the end instead of wrapping round to
// the far side, and a rise worked out on the way does not overflow.
TEST(AncestorGeometry, StaysOnTheCanvasAtItsEnds) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    const CanvasPoint mother = ancestorPosition(TreeStyle::Compact, 2, 1, 2, kMax - 10, kMin + 5);
    EXPECT_EQ(mother.x, kMax);
    EXPECT_EQ(mother.y, kMin);
    const CanvasPoint father = ancestorPosition(TreeStyle::Fractal, 2, 1, 1, kMin + 10, kMax - 5);
    EXPECT_EQ(father.x, kMin);
    EXPECT_EQ(father.y, kMax - 5 - 195);
    // 65 x 7 x 7 = 3185 above the root and 65 x 6 x 6 = 2340 back down: 845 in all.
    EXPECT_EQ(ancestorPosition(TreeStyle::Fractal, 7, 1, 1, 0, kMin + 3000).y, kMin + 3000 - 845);
}

// The create dialog, answered from a queue of texts; nothing left means Cancel.
struct DialogScript {
    std::vector<QString> answers;
    int shown = 0;
    GenerationsDialog dialog() {
        return [this]() -> std::optional<QString> {
            const size_t i = static_cast<size_t>(shown++);
            if (i >= answers.size()) return std::nullopt;
            return answers[i];
        };
    }
};

TEST(CreateTree, TwoGenerationsAddFatherAndMother) {
    for (const TreeStyle style : {TreeStyle::Compact, TreeStyle::Fractal}) {
        ItemStore store;
        PersonItem* root = addPerson(store, "Root", {}, 500, 1000);
        store.modified = false;
        ScriptedPrompts prompts;
        DialogScript script{{QStringLiteral("2")}};
        EXPECT_TRUE(createTree(store, style, script.dialog(), prompts));
        ASSERT_EQ(store.itemCount(), 3);
        PersonItem* father = root->Next;
        PersonItem* mother = father->Next;
        EXPECT_EQ(root->Father, father);
        EXPECT_EQ(root->Mother, mother);
        EXPECT_EQ(father->Sex, "M");
        EXPECT_EQ(mother->Sex, "F");
        EXPECT_EQ(father->X, 425);
        EXPECT_EQ(mother->X, 575);
        const int rise = style == TreeStyle::Compact ? 81 : 195;
        EXPECT_EQ(father->Y, 1000 - rise);
        EXPECT_EQ(mother->Y, 1000 - rise);
        EXPECT_TRUE(store.modified);
        EXPECT_EQ(store.currentItem, nullptr);
        EXPECT_TRUE(prompts.records().empty());
    }
}

TEST(CreateTree, SevenGenerationsLinkEveryPositionInOrder) {
    for (const TreeStyle style : {TreeStyle::Compact, TreeStyle::Fractal}) {
        ItemStore store;
        PersonItem* root = addPerson(store, "Root", {}, 0, 0);
        ScriptedPrompts prompts;
        DialogScript script{{QStringLiteral("7")}};
        ASSERT_TRUE(createTree(store, style, script.dialog(), prompts));
        ASSERT_EQ(store.itemCount(), 127);
        // Walking the links back finds every created item at the position the geometry gives it.
        AncestorWalk walk;
        walk.reset();
        ASSERT_EQ(walk.checkOut(root, 1, 1), 7);
        const PersonItem* expected = root->Next;  // items were appended generation by generation
        for (int g = 1; g <= 6; ++g)
            for (int k = 1; k <= (1 << g); ++k, expected = expected->Next) {
                const PersonItem* item = walk.at(g + 1, k);
                ASSERT_EQ(item, expected) << g << "," << k;
                const CanvasPoint p = ancestorPosition(style, 7, g, k, 0, 0);
                EXPECT_EQ(item->X, p.x);
                EXPECT_EQ(item->Y, p.y);
                EXPECT_EQ(item->Sex, k % 2 ? "M" : "F");
            }
        if (style == TreeStyle::Compact) {
            EXPECT_EQ(walk.at(7, 1)->X, -4725);
            EXPECT_EQ(walk.at(7, 64)->X, 4725);
        }
    }
}

TEST(CreateTree, RefusedCountsAskAgainAndCancelKeepsModified) {
    ItemStore store;
    addPerson(store, "Root");
    store.modified = false;
    ScriptedPrompts prompts;
    DialogScript script{{QStringLiteral("1"), QStringLiteral("9"), QStringLiteral("0"), QStringLiteral("3")}};
    EXPECT_TRUE(createTree(store, TreeStyle::Compact, script.dialog(), prompts));
    EXPECT_EQ(script.shown, 4);
    EXPECT_EQ(store.itemCount(), 7);
    ASSERT_EQ(prompts.records().size(), 3u);
    EXPECT_EQ(prompts.records()[0].caption, QStringLiteral("PSST"));
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("Minimum 2 generations!"));
    EXPECT_EQ(prompts.records()[1].caption, QStringLiteral("PSST"));
    EXPECT_EQ(prompts.records()[1].text, QStringLiteral("Maximum 7 generations per tree, please."));
    EXPECT_EQ(prompts.records()[2].text, QStringLiteral("Minimum 2 generations!"));

    ItemStore cancelled;
    addPerson(cancelled, "Root");
    cancelled.modified = false;
    DialogScript none;
    EXPECT_FALSE(createTree(cancelled, TreeStyle::Fractal, none.dialog(), prompts));
    EXPECT_EQ(cancelled.itemCount(), 1);
    EXPECT_TRUE(cancelled.modified);

    prompts.clear();
    DialogScript letter{{QStringLiteral("x")}};
    EXPECT_FALSE(createTree(cancelled, TreeStyle::Fractal, letter.dialog(), prompts));
    ASSERT_EQ(prompts.records().size(), 1u);
    EXPECT_EQ(prompts.records()[0].text, QStringLiteral("'x' is not a valid integer value"));
    EXPECT_EQ(cancelled.itemCount(), 1);
}

// The hourglass is shown once the number is accepted and taken away at the end, never over the
// dialog or a refusal.
TEST(CreateTree, ShowsTheHourglassOnlyWhileCreating) {
    std::vector<bool> cursor;
    const BusyCursorHook busy = [&cursor](bool on) { cursor.push_back(on); };
    ScriptedPrompts prompts;
    ItemStore store;
    addPerson(store, "Root");
    DialogScript script{{QStringLiteral("1"), QStringLiteral("2")}};
    ASSERT_TRUE(createTree(store, TreeStyle::Compact, script.dialog(), prompts, busy));
    EXPECT_EQ(cursor, (std::vector<bool>{true, false}));

    cursor.clear();
    addPerson(store, "Second");
    DialogScript refusedThenCancelled{{QStringLiteral("9")}};
    EXPECT_FALSE(createTree(store, TreeStyle::Compact, refusedThenCancelled.dialog(), prompts, busy));
    EXPECT_TRUE(cursor.empty());
}

// The toolbar button keeps its state until the current item changes, so it can still be enabled
// after a father was linked to the item: the command must not replace that link.
TEST(CreateTree, LeavesAnItemWithParentsAlone) {
    ItemStore store;
    PersonItem* root = addPerson(store, "Root", {}, 0, 0);
    PersonItem* father = addPerson(store, "Father", {}, 30, 40);
    root->Father = father;
    store.currentItem = root;
    store.modified = false;
    ScriptedPrompts prompts;
    DialogScript script{{QStringLiteral("3")}};
    EXPECT_FALSE(createTree(store, TreeStyle::Compact, script.dialog(), prompts));
    EXPECT_EQ(script.shown, 0);
    EXPECT_EQ(store.itemCount(), 2);
    EXPECT_EQ(root->Father, father);
    EXPECT_EQ(root->Mother, nullptr);
    EXPECT_FALSE(store.modified);

    root->Father = nullptr;
    PersonItem* mother = addPerson(store, "Mother");
    root->Mother = mother;
    store.currentItem = root;
    EXPECT_FALSE(createTree(store, TreeStyle::Fractal, script.dialog(), prompts));
    EXPECT_EQ(root->Mother, mother);
    EXPECT_EQ(root->Father, nullptr);
    EXPECT_EQ(store.itemCount(), 3);

    // An alias item whose original is gone (an old file may leave one): its Father is where its
    // original belongs, so no tree is grown from it, as the Edit menu's entry is disabled for it.
    PersonItem* alias = addPerson(store, "Alias");
    alias->Kind = "REF";
    store.currentItem = alias;
    EXPECT_FALSE(createTree(store, TreeStyle::Compact, script.dialog(), prompts));
    EXPECT_EQ(alias->Father, nullptr);
    EXPECT_EQ(store.itemCount(), 4);
    EXPECT_EQ(script.shown, 0);
    EXPECT_TRUE(prompts.records().empty());
}

// A full pedigree of `generations` generations above a new root, built by hand in store order.
std::vector<std::vector<PersonItem*>> buildPedigree(ItemStore& store, int generations) {
    std::vector<std::vector<PersonItem*>> gens{{addPerson(store, "Root", {}, 100, 5000)}};
    for (int g = 1; g < generations; ++g) {
        std::vector<PersonItem*> next;
        for (PersonItem* child : gens.back()) {
            child->Father = addPerson(store, "F", {}, 7 * g, 11 * g);
            child->Mother = addPerson(store, "M", {}, 13 * g, 3 * g);
            next.push_back(child->Father);
            next.push_back(child->Mother);
        }
        gens.push_back(next);
    }
    return gens;
}

TEST(OrganizeTree, MissingMotherLeavesHerPositionsEmpty) {
    ItemStore store;
    PersonItem* root = addPerson(store, "Root", {}, 1000, 3000);
    PersonItem* father = addPerson(store, "Father");
    PersonItem* grandfather = addPerson(store, "Grandfather");
    PersonItem* grandmother = addPerson(store, "Grandmother");
    root->Father = father;
    father->Father = grandfather;
    father->Mother = grandmother;
    store.currentItem = root;
    store.modified = false;
    ScriptedPrompts prompts;
    organizeTree(store, TreeStyle::Fractal, 8, prompts);
    EXPECT_TRUE(prompts.records().empty());
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(store.currentItem, nullptr);
    auto at = [](int g, int k) { return ancestorPosition(TreeStyle::Fractal, 3, g, k, 1000, 3000); };
    EXPECT_EQ(father->X, at(1, 1).x);
    EXPECT_EQ(father->Y, at(1, 1).y);
    EXPECT_EQ(grandfather->X, at(2, 1).x);
    EXPECT_EQ(grandmother->X, at(2, 2).x);
    EXPECT_EQ(grandmother->Y, at(2, 2).y);
    EXPECT_EQ(root->X, 1000);
    EXPECT_EQ(root->Y, 3000);
}

TEST(OrganizeTree, AliasMovesButNotTheAncestorsOfItsOriginal) {
    ItemStore store;
    PersonItem* original = addPerson(store, "Original", {}, -70, -80);
    PersonItem* originalFather = addPerson(store, "OF", {}, -90, -95);
    original->Father = originalFather;
    original->Kind = "ALIAS";
    PersonItem* root = addPerson(store, "Root", {}, 0, 0);
    PersonItem* alias = addPerson(store, "Alias", {}, 9, 9);
    alias->Kind = "REF";
    alias->Father = original;
    root->Father = alias;
    root->Mother = addPerson(store, "Mother", {}, 1, 1);
    store.currentItem = root;
    ScriptedPrompts prompts;
    organizeTree(store, TreeStyle::Compact, 8, prompts);
    EXPECT_EQ(alias->X, -75);
    EXPECT_EQ(alias->Y, -81);
    EXPECT_EQ(original->X, -70);
    EXPECT_EQ(originalFather->Y, -95);
}

// Cousins married: the same grandfather stands at positions 1 and 3 of generation 2. He is moved
// twice, and the later position, on the mother's side, is where he stays.
TEST(OrganizeTree, AncestorOnTwoPathsTakesTheLaterPosition) {
    ItemStore store;
    PersonItem* root = addPerson(store, "Root", {}, 2000, 4000);
    PersonItem* father = addPerson(store, "Father");
    PersonItem* mother = addPerson(store, "Mother");
    PersonItem* grandfather = addPerson(store, "Grandfather");
    root->Father = father;
    root->Mother = mother;
    father->Father = grandfather;
    mother->Father = grandfather;
    store.currentItem = root;
    ScriptedPrompts prompts;
    organizeTree(store, TreeStyle::Compact, 8, prompts);
    const CanvasPoint third = ancestorPosition(TreeStyle::Compact, 3, 2, 3, 2000, 4000);
    EXPECT_EQ(grandfather->X, third.x);
    EXPECT_EQ(grandfather->Y, third.y);
    EXPECT_EQ(grandfather->X, 2000 + 75);  // (2.5 x 600 / 4 - 300) x 2 / 2
    EXPECT_EQ(root->X, 2000);
    EXPECT_EQ(root->Y, 4000);
}

TEST(OrganizeTree, EightGenerationsProceedNineAreRefused) {
    ItemStore store;
    auto gens = buildPedigree(store, 8);
    store.currentItem = gens[0][0];
    ScriptedPrompts prompts;
    organizeTree(store, TreeStyle::Compact, 8, prompts);
    EXPECT_TRUE(prompts.records().empty());
    const CanvasPoint last = ancestorPosition(TreeStyle::Compact, 8, 7, 128, 100, 5000);
    EXPECT_EQ(gens[7][127]->X, last.x);
    EXPECT_EQ(gens[7][127]->Y, last.y);

    ItemStore deep;
    auto nine = buildPedigree(deep, 9);
    deep.currentItem = nine[0][0];
    deep.modified = false;
    organizeTree(deep, TreeStyle::Compact, 8, prompts);
    ASSERT_EQ(prompts.records().size(), 1u);
    EXPECT_EQ(prompts.records()[0].text,
              QStringLiteral("The tree contains more than 8 generations and will not be organized."));
    EXPECT_EQ(nine[1][0]->X, 7);
    EXPECT_FALSE(deep.modified);
}

TEST(OrganizeTree, CircleIsRefused) {
    ItemStore store;
    PersonItem* a = addPerson(store, "A", {}, 1, 2);
    PersonItem* b = addPerson(store, "B", {}, 3, 4);
    a->Father = b;
    b->Mother = a;
    store.currentItem = a;
    store.modified = false;
    ScriptedPrompts prompts;
    organizeTree(store, TreeStyle::Fractal, 8, prompts);
    ASSERT_EQ(prompts.records().size(), 1u);
    EXPECT_EQ(prompts.records()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(prompts.records()[0].text,
              QStringLiteral("The tree is very large. There might be circular references!"));
    EXPECT_EQ(b->X, 3);
    EXPECT_FALSE(store.modified);
}

// The walk measures below the table without walking every path; the table and the depth it returns
// must still be exactly those of the plain walk.
TEST(AncestorWalk, MatchesTheLiteralWalk) {
    for (unsigned seed = 2000; seed < 2400; ++seed) {
        ItemStore store;
        test::fillRandomFamily(store, seed);
        for (PersonItem* p = store.firstItem(); p; p = p->Next) {
            literal::Layout slow(store);
            slow.maxDepth = 1;
            const int expected = slow.checkOut(p, 1, 1);
            AncestorWalk fast;
            fast.reset();
            ASSERT_EQ(fast.checkOut(p, 1, 1), expected) << "seed " << seed;
            if (expected > 30) continue;  // a stopped walk leaves a table nobody reads
            for (int d = 1; d <= 8; ++d)
                for (int k = 1; k <= 256; ++k)
                    ASSERT_EQ(fast.at(d, k), slow.ancestorTable[d - 1][k - 1]) << "seed " << seed;
        }
    }
}

TEST(AncestorWalk, CousinMarriagesDoNotMakeTheWalkExponential) {
    // Thirty generations in which every item's father and mother are the item before it: a plain
    // walk would follow 2^29 paths.
    ItemStore store;
    std::vector<PersonItem*> chain;
    for (int i = 0; i < 29; ++i) {
        PersonItem* p = addPerson(store, "P" + std::to_string(i));
        if (i > 0) p->Father = p->Mother = chain.back();
        chain.push_back(p);
    }
    AncestorWalk walk;
    walk.reset();
    EXPECT_EQ(walk.checkOut(chain.back(), 1, 1), 29);
    EXPECT_EQ(walk.at(8, 128), chain[21]);
    EXPECT_EQ(pedigreeDepths(store).back(), 29);
}

}  // namespace
}  // namespace kinloom
