#include "document/gct_unit.h"
#include "document/item_store.h"

#include <gtest/gtest.h>

using namespace kinloom;

TEST(GctUnit, VocabularyAndLookupsWithLastMatchRules) {
    const auto& rows = TGCT::Rows();
    ASSERT_EQ(rows.size(), 132u);
    EXPECT_STREQ(rows[0].Label, "Abbrevation");
    EXPECT_STREQ(rows[88].Tag, "PEDI");
    EXPECT_STREQ(rows[94].Tag, "PEDI");
    EXPECT_STREQ(rows[131].Tag, "WILL");
    EXPECT_STREQ(rows[131].Category, "Event");

    EXPECT_EQ(TGCT::TagToLabel("PLAC"), "Place");
    EXPECT_EQ(TGCT::TagToLabel("CONT"), "");
    EXPECT_EQ(TGCT::TagToLabel("CONC"), "");
    EXPECT_EQ(TGCT::TagToLabel("DATE"), "Date");
    EXPECT_EQ(TGCT::TagToLabel("SEX"), "Gender");
    EXPECT_EQ(TGCT::TagToLabel("SOUR"), "Source");
    EXPECT_EQ(TGCT::TagToLabel("CHRA"), "Christened (Adult)");
    EXPECT_EQ(TGCT::TagToLabel("CHR"), "Christened");
    EXPECT_EQ(TGCT::TagToLabel("FAMC"), "Family child");
    EXPECT_EQ(TGCT::TagToLabel("BIRTH"), "Born");
    EXPECT_EQ(TGCT::TagToLabel("_MILT"), "_MILT");
    EXPECT_EQ(TGCT::TagToLabel("date"), "date");  // case-sensitive

    EXPECT_EQ(TGCT::TagToCategory("MARR"), "Family");
    EXPECT_EQ(TGCT::TagToCategory("BIRT"), "Event");
    EXPECT_EQ(TGCT::TagToCategory("OCCU"), "Attribute");
    EXPECT_EQ(TGCT::TagToCategory("NAME"), "");
    EXPECT_EQ(TGCT::TagToCategory("BIRTH"), "");

    EXPECT_EQ(TGCT::LabelToTag("Pedigree"), "PEDI");
    EXPECT_EQ(TGCT::LabelToTag("Place"), "_UNKNOWN");
    EXPECT_EQ(TGCT::LabelToTag("Married"), "MARR");
    EXPECT_EQ(TGCT::LabelToIndex("Pedigree"), 95);
    EXPECT_EQ(TGCT::LabelToIndex("Abbrevation"), 1);
    EXPECT_EQ(TGCT::LabelToIndex("Nothing"), 0);
}

TEST(GctUnit, TheTagStoreHoldsNothing) {
    TItemStore store;
    TPersonItem* p = store.LagNyPerson();
    TGCT& gct = store.TagStore();
    EXPECT_EQ(gct.CreateTag(p, 1, "BIRT", ""), nullptr);
    EXPECT_EQ(gct.InsertTag(nullptr, 2, "DATE", "1900"), nullptr);
    EXPECT_EQ(gct.DeleteTag(nullptr), nullptr);
    EXPECT_TRUE(gct.DeleteItemTags(p));
    EXPECT_TRUE(gct.ClearTags());
    EXPECT_EQ(gct.FirstNode(), nullptr);
    EXPECT_EQ(gct.LastNode(), nullptr);
    EXPECT_EQ(gct.NodeCount(), 0);
    EXPECT_EQ(p->FirstTag, nullptr);
    store.CurrentItem = p;
    store.DeleteItem();
    store.ClearMemory();
    EXPECT_EQ(store.TagStore().NodeCount(), 0);
}
