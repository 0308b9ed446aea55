#include "canvas/name_search.h"

#include "document/item_store.h"
#include "platform/charsets.h"
#include "support/test_support.h"

#include <Qt>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

TEST(NameSearch, SortedListWithoutAliasesAndRenumberedIds) {
    ItemStore store;
    PersonItem* a = test::addPerson(store, "Ola", "Nordmann");
    a->BornDate = "1900";
    PersonItem* alias = test::addPerson(store, "Ola", "Nordmann");
    alias->Kind = "REF";
    alias->Father = a;
    PersonItem* b = test::addPerson(store, "kari", "aas");
    PersonItem* c = test::addPerson(store, "", "");
    PersonItem* d = test::addPerson(store, "Ola", "Nordmann");
    // Ids with gaps, as after deletions.
    a->Id = 10;
    b->Id = 30;
    store.idsChanged();
    NameSearchList list;
    list.fill(store, DisplayCharset());
    EXPECT_EQ(a->Id, 1);
    EXPECT_EQ(alias->Id, 2);
    EXPECT_EQ(b->Id, 3);
    EXPECT_EQ(c->Id, 4);
    EXPECT_EQ(d->Id, 5);
    EXPECT_EQ(store.findItemById(3), b);
    EXPECT_EQ(list.lines(), (QStringList{"( - ) [4]", "aas kari ( - ) [3]", "Nordmann Ola ( - ) [5]",
                                         "Nordmann Ola (1900 - ) [1]"}));
    EXPECT_EQ(list.findFirst("nord"), 2);
    EXPECT_EQ(list.findFirst("AAS"), 1);
    EXPECT_EQ(list.findFirst("Nordmann Ola (1"), 3);
    EXPECT_EQ(list.findFirst("x"), -1);
    EXPECT_EQ(list.findFirst(""), -1);
}

TEST(NameSearch, KeysThatRestartTheTimer) {
    for (int key : {int(Qt::Key_A), int(Qt::Key_Z), int(Qt::Key_5), int(Qt::Key_Delete), int(Qt::Key_Period),
                    int(Qt::Key_Apostrophe)})
        EXPECT_TRUE(restartsSearchTimer(key)) << key;
    for (int key : {int(Qt::Key_Backspace), int(Qt::Key_Return), int(Qt::Key_Space), int(Qt::Key_Left),
                    int(Qt::Key_PageDown), int(Qt::Key_Home), int(Qt::Key_Shift)})
        EXPECT_FALSE(restartsSearchTimer(key)) << key;
}

}  // namespace
}  // namespace kinloom
