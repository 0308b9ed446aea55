#include "document/gedcom_tag_store.h"
#include "document/item_store.h"

#include <gtest/gtest.h>

using namespace kinloom;

TEST(GctUnit, VocabularyAndLookupsWithLastMatchRules) {
    const auto& rows = GedcomTagStore::rows();
    ASSERT_EQ(rows.size(), 132u);
    EXPECT_STREQ(rows[0].label, "Abbrevation");
    EXPECT_STREQ(rows[88].tag, "PEDI");
    EXPECT_STREQ(rows[94].tag, "PEDI");
    EXPECT_STREQ(rows[131].tag, "WILL");
    EXPECT_STREQ(rows[131].category, "Event");

    EXPECT_EQ(GedcomTagStore::tagToLabel("PLAC"), "Place");
    EXPECT_EQ(GedcomTagStore::tagToLabel("CONT"), "");
    EXPECT_EQ(GedcomTagStore::tagToLabel("CONC"), "");
    EXPECT_EQ(GedcomTagStore::tagToLabel("DATE"), "Date");
    EXPECT_EQ(GedcomTagStore::tagToLabel("SEX"), "Gender");
    EXPECT_EQ(GedcomTagStore::tagToLabel("SOUR"), "Source");
    EXPECT_EQ(GedcomTagStore::tagToLabel("CHRA"), "Christened (Adult)");
    EXPECT_EQ(GedcomTagStore::tagToLabel("CHR"), "Christened");
    EXPECT_EQ(GedcomTagStore::tagToLabel("FAMC"), "Family child");
    EXPECT_EQ(GedcomTagStore::tagToLabel("BIRTH"), "Born");
    EXPECT_EQ(GedcomTagStore::tagToLabel("_MILT"), "_MILT");
    EXPECT_EQ(GedcomTagStore::tagToLabel("date"), "date");  // case-sensitive

    EXPECT_EQ(GedcomTagStore::tagToCategory("MARR"), "Family");
    EXPECT_EQ(GedcomTagStore::tagToCategory("BIRT"), "Event");
    EXPECT_EQ(GedcomTagStore::tagToCategory("OCCU"), "Attribute");
    EXPECT_EQ(GedcomTagStore::tagToCategory("NAME"), "");
    EXPECT_EQ(GedcomTagStore::tagToCategory("BIRTH"), "");

    EXPECT_EQ(GedcomTagStore::labelToTag("Pedigree"), "PEDI");
    EXPECT_EQ(GedcomTagStore::labelToTag("Place"), "_UNKNOWN");
    EXPECT_EQ(GedcomTagStore::labelToTag("Married"), "MARR");
    EXPECT_EQ(GedcomTagStore::labelToIndex("Pedigree"), 95);
    EXPECT_EQ(GedcomTagStore::labelToIndex("Abbrevation"), 1);
    EXPECT_EQ(GedcomTagStore::labelToIndex("Nothing"), 0);
}

TEST(GctUnit, TheTagStoreHoldsNothing) {
    ItemStore store;
    PersonItem* p = store.createItem();
    GedcomTagStore& tags = store.tagStore();
    EXPECT_EQ(tags.createTag(p, 1, "BIRT", ""), nullptr);
    EXPECT_EQ(tags.insertTag(nullptr, 2, "DATE", "1900"), nullptr);
    EXPECT_EQ(tags.deleteTag(nullptr), nullptr);
    EXPECT_TRUE(tags.deleteItemTags(p));
    EXPECT_TRUE(tags.clearTags());
    EXPECT_EQ(tags.firstNode(), nullptr);
    EXPECT_EQ(tags.lastNode(), nullptr);
    EXPECT_EQ(tags.nodeCount(), 0);
    EXPECT_EQ(p->FirstTag, nullptr);
    store.currentItem = p;
    store.deleteItem();
    store.clearMemory();
    EXPECT_EQ(store.tagStore().nodeCount(), 0);
}
