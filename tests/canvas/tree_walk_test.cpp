#include "canvas/tree_walk.h"
#include "document/item_store.h"

#include <gtest/gtest.h>

#include <random>

using namespace kinloom;

namespace {

std::vector<std::array<int, 5>> linesOf(const std::vector<TreeWalk::Line>& a, const std::vector<TreeWalk::Line>& b) {
    std::vector<std::array<int, 5>> out;
    for (const auto* list : {&a, &b})
        for (const TreeWalk::Line& l : *list) out.push_back({l.x1, l.y1, l.x2, l.y2, l.kind});
    return out;
}

}  // namespace

TEST(TreeWalk, FromBothEndsFindsWhatAWalkFromTheFrontFinds) {
    // Marriages in several slots, aliases, unnamed items, items off the screen, and the dragged
    // item, in stores of odd and even length.
    for (const int count : {1, 2, 3, 101, 1000}) {
        ItemStore store;
        std::mt19937 rng(static_cast<unsigned>(count));
        std::vector<PersonItem*> items;
        for (int i = 0; i < count; ++i) {
            store.pointerX = static_cast<int>(rng() % 9000) - 2000;
            store.pointerY = static_cast<int>(rng() % 7000) - 2000;
            PersonItem* p = store.createItem();
            if (i % 5) p->FirstName = "P" + std::to_string(i);
            p->Sex = i % 2 ? "F" : "M";
            if (i >= 2) {
                p->Father = items[rng() % items.size()];
                p->Mother = items[rng() % items.size()];
                for (int k = 0; k < 3; ++k)
                    if (rng() % 2) store.addMarriage(p, items[rng() % items.size()]);
            }
            if (i % 17 == 3) p->Kind = kKindRef;  // an alias: its Father is its original and has no line
            items.push_back(p);
        }
        store.currentItem = items[items.size() / 2];
        PaintSettings settings;
        settings.dragging = true;
        settings.colourCodeMode = ColourCode::Gender;
        const ViewState view{35, 300, 200};
        TreeWalk oneFront, oneBack, bothFront, bothBack;
        walkTree(store, view, QSize(800, 600), settings, oneFront, oneBack, WalkSplit::FrontOnly);
        walkTree(store, view, QSize(800, 600), settings, bothFront, bothBack, WalkSplit::BothEnds);
        EXPECT_TRUE(oneBack.spouseLines.empty() && oneBack.parentLines.empty() && oneBack.boxes.empty());
        if (count > 100) {
            EXPECT_FALSE(oneFront.boxes.empty() || oneFront.parentLines.empty() || oneFront.spouseLines.empty());
        }
        EXPECT_EQ(linesOf(oneFront.spouseLines, {}), linesOf(bothFront.spouseLines, bothBack.spouseLines)) << count;
        EXPECT_EQ(linesOf(oneFront.parentLines, {}), linesOf(bothFront.parentLines, bothBack.parentLines)) << count;
        std::vector<const PersonItem*> one, both;
        for (const auto& b : oneFront.boxes) one.push_back(b.item);
        for (const auto* walk : {&bothFront, &bothBack})
            for (const auto& b : walk->boxes) both.push_back(b.item);
        EXPECT_EQ(one, both) << count;
        EXPECT_EQ(oneFront.items, bothFront.items + bothBack.items) << count;
        EXPECT_EQ(oneFront.persons, bothFront.persons + bothBack.persons) << count;
        EXPECT_EQ(oneFront.items, count - 1) << "the dragged item is not counted";
    }
}
