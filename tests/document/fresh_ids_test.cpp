#include "document/item_store.h"
#include "document/legacy_file.h"
#include "document/tree_file.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;
using namespace kinloom::test;

namespace {

struct Fixture {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store{&prompts};
    ViewState view;
    QString path(const QString& name) const { return dir.filePath(name); }
    PersonItem* named(const std::string& name) const {
        for (PersonItem* p = store.firstItem(); p; p = p->Next)
            if (p->FirstName == name) return p;
        return nullptr;
    }
    std::string fatherOf(const std::string& name) const {
        const PersonItem* p = named(name);
        return p && p->Father ? p->Father->FirstName.str() : std::string();
    }
    // Make home of the second "six" and a new link to the item numbered 0, then save and read back:
    // the links must still name the items they named before.
    void makeHomeLinkSaveAndReread() {
        store.moveToFront(named("B"));
        named("E")->Mother = named("C");
        ASSERT_TRUE(saveToFile(store, path("again.kl3"), prompts));
        ASSERT_EQ(readFromFile(store, path("again.kl3"), view, {800, 600}, prompts), ReadStatus::Ok);
        EXPECT_EQ(fatherOf("D"), "A");
        ASSERT_NE(named("E")->Mother, nullptr);
        EXPECT_EQ(named("E")->Mother->FirstName, "C");
    }
};

TEST(FreshIds, RepeatedAndNonPositiveIdsAreRenumberedSoThatLinksSurviveASave) {
    Fixture f;
    // A tree file with Ids 6, 6, 0, 7, -3: D's father is the first 6.
    const std::pair<const char*, int32_t> items[] = {{"A", 6}, {"B", 6}, {"C", 0}, {"D", 7}, {"E", -3}};
    for (const auto& [name, id] : items) addPerson(f.store, name)->Id = id;
    f.named("D")->Father = f.named("A");
    ASSERT_TRUE(saveToFile(f.store, f.path("t.kl3"), f.prompts));

    ASSERT_EQ(readFromFile(f.store, f.path("t.kl3"), f.view, {800, 600}, f.prompts), ReadStatus::Ok);
    std::vector<int32_t> ids;
    for (const PersonItem* p = f.store.firstItem(); p; p = p->Next) ids.push_back(p->Id);
    EXPECT_EQ(ids, (std::vector<int32_t>{6, 8, 9, 7, 10}));  // unique positive Ids are kept
    EXPECT_EQ(f.store.lastId, 10);
    EXPECT_EQ(f.fatherOf("D"), "A");
    EXPECT_EQ(f.store.findItemById(8), f.named("B"));
    f.makeHomeLinkSaveAndReread();

    // The 1.5.x reader: the same records, by hand.
    auto record = [](const std::string& name, int32_t id, int32_t father) {
        std::vector<unsigned char> rec(kVersion15RecordSize, 0);
        putShortString(rec, 0, name);
        putInt32(rec, 464, id);
        putInt32(rec, 472, father);
        return rec;
    };
    std::vector<unsigned char> old;
    for (const auto& [name, id] : items) {
        const auto rec = record(name, id, std::string(name) == "D" ? 6 : 0);
        old.insert(old.end(), rec.begin(), rec.end());
    }
    ASSERT_TRUE(writeBytes(f.path("t.kl2"), old));
    ASSERT_TRUE(readVersion15File(f.store, f.path("t.kl2"), f.view, {800, 600}, f.prompts, false));
    // Each item made for a record first takes the next number, so LastId has reached 10 here.
    EXPECT_EQ(f.store.lastId, 13);
    EXPECT_EQ(f.named("B")->Id, 11);
    f.makeHomeLinkSaveAndReread();
    EXPECT_TRUE(f.prompts.records().empty());
}

}  // namespace
