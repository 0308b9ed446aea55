#include "canvas/name_search.h"

#include "document/item_store.h"
#include "platform/charsets.h"
#include "support/test_support.h"

#include <Qt>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

TEST(NameSearch, SortedListWithoutAliasesAndRenumberedIds) {
    TItemStore store;
    TPersonItem* a = test::AddPerson(store, "Ola", "Nordmann");
    a->BornDate = "1900";
    TPersonItem* alias = test::AddPerson(store, "Ola", "Nordmann");
    alias->Kind = "REF";
    alias->Father = a;
    TPersonItem* b = test::AddPerson(store, "kari", "aas");
    TPersonItem* c = test::AddPerson(store, "", "");
    TPersonItem* d = test::AddPerson(store, "Ola", "Nordmann");
    // Ids with gaps, as after deletions.
    a->Id = 10;
    b->Id = 30;
    store.IdsChanged();
    NameSearchList list;
    list.Fill(store, DisplayCharset());
    EXPECT_EQ(a->Id, 1);
    EXPECT_EQ(alias->Id, 2);
    EXPECT_EQ(b->Id, 3);
    EXPECT_EQ(c->Id, 4);
    EXPECT_EQ(d->Id, 5);
    EXPECT_EQ(store.FindItemById(3), b);
    EXPECT_EQ(list.lines(), (QStringList{"( - ) [4]", "aas kari ( - ) [3]", "Nordmann Ola ( - ) [5]",
                                         "Nordmann Ola (1900 - ) [1]"}));
    EXPECT_EQ(list.FindFirst("nord"), 2);
    EXPECT_EQ(list.FindFirst("AAS"), 1);
    EXPECT_EQ(list.FindFirst("Nordmann Ola (1"), 3);
    EXPECT_EQ(list.FindFirst("x"), -1);
    EXPECT_EQ(list.FindFirst(""), -1);
}

TEST(NameSearch, KeysThatRestartTheTimer) {
    for (int key : {int(Qt::Key_A), int(Qt::Key_Z), int(Qt::Key_5), int(Qt::Key_Delete), int(Qt::Key_Period),
                    int(Qt::Key_Apostrophe)})
        EXPECT_TRUE(RestartsSearchTimer(key)) << key;
    for (int key : {int(Qt::Key_Backspace), int(Qt::Key_Return), int(Qt::Key_Space), int(Qt::Key_Left),
                    int(Qt::Key_PageDown), int(Qt::Key_Home), int(Qt::Key_Shift)})
        EXPECT_FALSE(RestartsSearchTimer(key)) << key;
}

}  // namespace
}  // namespace kinloom
