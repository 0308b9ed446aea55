#include "document/item_store.h"
#include "document/store_commands.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace kinloom;
using kinloom::test::addPerson;

TEST(ItemStore, FirstNewItemIsHomeAndSnapsToGrid) {
    ItemStore store;
    store.pointerX = 100;
    store.pointerY = 50;
    PersonItem* p = store.createItem();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Id, 1);
    EXPECT_EQ(store.firstItem(), p);
    EXPECT_EQ(store.lastItem(), p);
    EXPECT_EQ(store.currentItem, p);
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(p->X, 28);   // ((100 - 70) div 5) * 5 - 2
    EXPECT_EQ(p->Y, 13);   // ((50 - 32) div 5) * 5 - 2
    store.pointerX = 50;
    PersonItem* q = store.createItem();
    EXPECT_EQ(q->X, -22);  // (-20 div 5) * 5 - 2, truncating toward zero
    EXPECT_EQ(q->Id, 2);
    EXPECT_EQ(q->Prev, p);
    EXPECT_EQ(p->Next, q);
    EXPECT_EQ(store.lastId, 2);
}

TEST(ItemStore, MarriageUsesLowestFreeSlotsAndFailsCleanlyWhenFull) {
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    PersonItem* a = addPerson(store, "A");
    PersonItem* b = addPerson(store, "B");
    std::vector<PersonItem*> others;
    for (int i = 0; i < 7; ++i) {
        PersonItem* x = addPerson(store, "X");
        PersonItem* y = addPerson(store, "Y");
        ASSERT_EQ(store.addMarriage(a, x), 1);
        ASSERT_EQ(store.addMarriage(b, y), 1);
        others.push_back(x);
    }
    EXPECT_EQ(store.addMarriage(a, b), 1);
    EXPECT_EQ(store.marriageSlot[1], 8);
    EXPECT_EQ(store.marriageSlot[2], 8);
    EXPECT_EQ(a->Spouse[8], b);
    EXPECT_EQ(b->Spouse[8], a);
    EXPECT_EQ(a->SpouseType[8], 'M');

    PersonItem* c = addPerson(store, "C");
    EXPECT_EQ(store.addMarriage(c, a), -1);  // a is full: c must not keep its half
    EXPECT_EQ(spouseSlotOf(*c, a), 0);
    EXPECT_EQ(store.addMarriage(a, c), -1);
    EXPECT_EQ(spouseSlotOf(*c, a), 0);
    ASSERT_EQ(prompts.messageTexts().size(), 2u);
    EXPECT_EQ(prompts.messageTexts()[0],
              "Error: Could not create marriage. This version only supports 8 marriages.");

    // Slot 1 and 3 free: slot 1 is used and reported.
    PersonItem* d = addPerson(store, "D");
    PersonItem* e = addPerson(store, "E");
    d->Spouse[2] = e;
    EXPECT_EQ(store.addMarriage(d, e), 1);
    EXPECT_EQ(store.marriageSlot[1], 1);
    EXPECT_EQ(store.marriageSlot[2], 1);
}

TEST(ItemStore, DeletingClearsEveryReferenceAndAliasMarks) {
    ItemStore store;
    PersonItem* home = addPerson(store, "Home");
    PersonItem* original = addPerson(store, "Orig");
    PersonItem* alias1 = addPerson(store, "Orig");
    PersonItem* alias2 = addPerson(store, "Orig");
    original->Kind = "ALIAS";
    alias1->Kind = "REF";
    alias1->Father = original;
    alias2->Kind = "REF";
    alias2->Father = original;
    home->Mother = original;
    store.addMarriage(home, original);
    home->MarriageDate[1] = "1 Jan 1900";
    store.addToSelection(alias1);

    // Deleting one alias clears the original's mark although another alias remains.
    store.currentItem = alias1;
    store.deleteItem();
    EXPECT_EQ(store.currentItem, nullptr);
    EXPECT_TRUE(original->Kind.empty());
    EXPECT_EQ(alias2->Kind, "REF");
    EXPECT_TRUE(store.selectionList().empty());

    // Deleting the original turns its remaining alias into an ordinary item.
    store.currentItem = original;
    store.deleteItem();
    EXPECT_TRUE(alias2->Kind.empty());
    EXPECT_EQ(alias2->Father, nullptr);
    EXPECT_EQ(home->Mother, nullptr);
    EXPECT_EQ(home->Spouse[1], nullptr);
    EXPECT_EQ(home->MarriageDate[1], "1 Jan 1900");  // stays until the slot is reused
    EXPECT_EQ(home->SpouseType[1], 'M');

    // Deleting the home item makes the next one home; deleting the last empties the store.
    store.currentItem = home;
    store.deleteItem();
    EXPECT_EQ(store.firstItem(), alias2);
    EXPECT_EQ(alias2->Prev, nullptr);
    store.currentItem = alias2;
    store.deleteItem();
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.lastItem(), nullptr);
    EXPECT_EQ(store.itemCount(), 0);
}

TEST(ItemStore, FindItemByIdFirstInListOrderWins) {
    ItemStore store;
    PersonItem* a = addPerson(store, "A");
    PersonItem* b = addPerson(store, "B");
    PersonItem* c = addPerson(store, "C");
    EXPECT_EQ(store.findItemById(0), nullptr);
    EXPECT_EQ(store.findItemById(-5), nullptr);
    EXPECT_EQ(store.findItemById(2), b);
    c->Id = 1;
    store.idsChanged();
    EXPECT_EQ(store.findItemById(1), a);
    store.moveToFront(c);
    EXPECT_EQ(store.firstItem(), c);
    EXPECT_EQ(c->Next, a);
    EXPECT_EQ(a->Prev, c);
    EXPECT_EQ(store.lastItem(), b);
    EXPECT_EQ(store.findItemById(1), c);
    store.renumberIds();
    EXPECT_EQ(store.findItemById(3), b);
    EXPECT_EQ(store.lastId, 3);
}

TEST(ItemStore, CountsAndClearMemory) {
    ItemStore store;
    addPerson(store, "A");
    addPerson(store, "", "");
    PersonItem* alias = addPerson(store, "A");
    alias->Kind = "REF";
    addPerson(store, "", "Lastonly");
    EXPECT_EQ(store.itemCount(), 4);
    EXPECT_EQ(store.personCount(), 2);
    int removals = 0;
    store.addRemovalListener([&](const PersonItem* p) { removals += p == nullptr ? 100 : 1; });
    store.addToSelection(alias);
    store.modified = true;
    store.clearMemory();
    EXPECT_EQ(removals, 100);
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.currentItem, nullptr);
    EXPECT_EQ(store.lastId, 0);
    EXPECT_TRUE(store.selectionList().empty());
    EXPECT_TRUE(store.modified);  // callers decide
}

TEST(StoreCommands, DeleteAsksWithTheRightQuestion) {
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    PersonItem* orig = addPerson(store, "O");
    PersonItem* alias = addPerson(store, "O");
    PersonItem* plain = addPerson(store, "P");
    orig->Kind = "ALIAS";
    alias->Kind = "REF";
    alias->Father = orig;

    store.modified = false;
    store.currentItem = orig;
    prompts.answerButton(PromptAnswer::No);
    EXPECT_FALSE(deletePerson(store, prompts));
    EXPECT_FALSE(store.modified);
    store.currentItem = alias;
    prompts.answerButton(PromptAnswer::No);
    deletePerson(store, prompts);
    store.currentItem = plain;
    prompts.answerButton(PromptAnswer::Yes);
    EXPECT_TRUE(deletePerson(store, prompts));
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(store.itemCount(), 2);
    const auto& r = prompts.records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].caption, "Confirm delete");
    EXPECT_EQ(r[0].text, "Do you really want to delete this and make the alias the original?");
    EXPECT_EQ(r[1].text, "Do you really want to delete this alias?");
    EXPECT_EQ(r[2].text, "Do you really want to delete this item?");
    EXPECT_EQ(r[2].buttons, PromptButtons::YesNo);

    store.addToSelection(orig);
    store.addToSelection(alias);
    prompts.answerButton(PromptAnswer::Yes);
    EXPECT_TRUE(deletePerson(store, prompts));
    EXPECT_EQ(prompts.records().back().text, "Do you really want to delete these items?");
    EXPECT_TRUE(store.empty());
    EXPECT_TRUE(store.selectionList().empty());

    store.currentItem = nullptr;
    EXPECT_FALSE(deletePerson(store, prompts));
    EXPECT_EQ(prompts.records().size(), 4u);
}

TEST(StoreCommands, CheckModifiedThreeAnswers) {
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    int saves = 0;
    auto save = [&] { ++saves; };
    EXPECT_TRUE(askAboutUnsavedChanges(store, prompts, save));
    EXPECT_TRUE(prompts.records().empty());
    store.modified = true;
    prompts.answerButton(PromptAnswer::Yes);
    EXPECT_TRUE(askAboutUnsavedChanges(store, prompts, save));
    EXPECT_EQ(saves, 1);
    prompts.answerButton(PromptAnswer::No);
    EXPECT_TRUE(askAboutUnsavedChanges(store, prompts, save));
    prompts.answerButton(PromptAnswer::Cancel);
    EXPECT_FALSE(askAboutUnsavedChanges(store, prompts, save));
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(prompts.records()[0].text, "Save changes to your Kinloom file?");
    EXPECT_EQ(prompts.records()[0].buttons, PromptButtons::YesNoCancel);
}
