#include "document/item_arena.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace kinloom {
namespace {

// Links items through Next as the store does, so that clear() can end them all.
PersonItem* chain(const std::vector<PersonItem*>& items) {
    for (size_t i = 0; i < items.size(); ++i) items[i]->Next = i + 1 < items.size() ? items[i + 1] : nullptr;
    return items.empty() ? nullptr : items.front();
}

TEST(ItemArena, AbsorbedItemsStayWhereTheyAreAndEveryPlaceIsUsedOnce) {
    ItemArena arena;
    std::vector<PersonItem*> mine;
    for (int i = 0; i < 5000; ++i) {  // more than one block, the last one partly used
        PersonItem* p = arena.create();
        p->FirstName = "mine " + std::to_string(i);
        mine.push_back(p);
    }
    PersonItem* gone = mine[700];
    const uint32_t gonePlace = arena.placeOf(gone);
    arena.destroy(gone);
    mine.erase(mine.begin() + 700);
    std::vector<uint32_t> minePlaces;
    for (const PersonItem* p : mine) minePlaces.push_back(arena.placeOf(p));

    ItemArena other;
    std::vector<PersonItem*> theirs;
    for (int i = 0; i < 7000; ++i) {
        PersonItem* p = other.create();
        p->FirstName = "theirs " + std::to_string(i);
        theirs.push_back(p);
    }
    arena.absorb(std::move(other));
    EXPECT_EQ(other.size(), 0u);
    EXPECT_EQ(arena.size(), 4999u + 7000u);
    for (size_t i = 0; i < theirs.size(); ++i) EXPECT_EQ(theirs[i]->FirstName.str(), "theirs " + std::to_string(i));

    // New items fill the freed place, the rest of the first arena's last block, then new blocks;
    // none lands on a living item.
    std::set<const PersonItem*> living(mine.begin(), mine.end());
    living.insert(theirs.begin(), theirs.end());
    ASSERT_EQ(living.size(), 4999u + 7000u);
    bool reused = false;
    std::vector<PersonItem*> fresh;
    for (int i = 0; i < 3000; ++i) {
        PersonItem* p = arena.create();
        reused = reused || p == gone;
        EXPECT_TRUE(living.insert(p).second) << "item " << i << " was given a place in use";
        p->FirstName = "fresh";
        fresh.push_back(p);
    }
    EXPECT_TRUE(reused);
    for (size_t i = 0; i < mine.size(); ++i) EXPECT_EQ(arena.placeOf(mine[i]), minePlaces[i]) << i;
    for (size_t i = 0; i < mine.size(); ++i) EXPECT_TRUE(mine[i]->FirstName.str().starts_with("mine ")) << i;
    for (size_t i = 0; i < theirs.size(); ++i) EXPECT_EQ(theirs[i]->FirstName.str(), "theirs " + std::to_string(i));

    std::vector<PersonItem*> all = mine;
    all.insert(all.end(), theirs.begin(), theirs.end());
    all.insert(all.end(), fresh.begin(), fresh.end());
    // Every living item has a place number of its own below placeCount(); the freed place's number
    // went to the item that took its memory.
    std::set<uint32_t> places;
    for (const PersonItem* p : all) {
        const uint32_t place = arena.placeOf(p);
        EXPECT_LT(place, arena.placeCount());
        EXPECT_TRUE(places.insert(place).second) << "place " << place << " given twice";
        if (p == gone) {
            EXPECT_EQ(place, gonePlace);
        }
    }
    arena.clear(chain(all));
    EXPECT_EQ(arena.size(), 0u);
}

}  // namespace
}  // namespace kinloom
