#include "document/item_store.h"
#include "document/store_commands.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace kinloom;
using kinloom::test::AddPerson;

TEST(ItemStore, FirstNewItemIsHomeAndSnapsToGrid) {
    TItemStore store;
    store.PointerX = 100;
    store.PointerY = 50;
    TPersonItem* p = store.LagNyPerson();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Id, 1);
    EXPECT_EQ(store.FirstItem(), p);
    EXPECT_EQ(store.LastItem(), p);
    EXPECT_EQ(store.CurrentItem, p);
    EXPECT_TRUE(store.Modified);
    EXPECT_EQ(p->X, 28);   // ((100 - 70) div 5) * 5 - 2
    EXPECT_EQ(p->Y, 13);   // ((50 - 32) div 5) * 5 - 2
    store.PointerX = 50;
    TPersonItem* q = store.LagNyPerson();
    EXPECT_EQ(q->X, -22);  // (-20 div 5) * 5 - 2, truncating toward zero
    EXPECT_EQ(q->Id, 2);
    EXPECT_EQ(q->Prev, p);
    EXPECT_EQ(p->Next, q);
    EXPECT_EQ(store.LastId, 2);
}

TEST(ItemStore, MarriageUsesLowestFreeSlotsAndFailsCleanlyWhenFull) {
    ScriptedPrompts prompts;
    TItemStore store(&prompts);
    TPersonItem* a = AddPerson(store, "A");
    TPersonItem* b = AddPerson(store, "B");
    std::vector<TPersonItem*> others;
    for (int i = 0; i < 7; ++i) {
        TPersonItem* x = AddPerson(store, "X");
        TPersonItem* y = AddPerson(store, "Y");
        ASSERT_EQ(store.AddMarriage(a, x), 1);
        ASSERT_EQ(store.AddMarriage(b, y), 1);
        others.push_back(x);
    }
    EXPECT_EQ(store.AddMarriage(a, b), 1);
    EXPECT_EQ(store.MarriageSlot[1], 8);
    EXPECT_EQ(store.MarriageSlot[2], 8);
    EXPECT_EQ(a->Spouse[8], b);
    EXPECT_EQ(b->Spouse[8], a);
    EXPECT_EQ(a->SpouseType[8], 'M');

    TPersonItem* c = AddPerson(store, "C");
    EXPECT_EQ(store.AddMarriage(c, a), -1);  // a is full: c must not keep its half
    EXPECT_EQ(SpouseSlotOf(*c, a), 0);
    EXPECT_EQ(store.AddMarriage(a, c), -1);
    EXPECT_EQ(SpouseSlotOf(*c, a), 0);
    ASSERT_EQ(prompts.messageTexts().size(), 2u);
    EXPECT_EQ(prompts.messageTexts()[0],
              "Error: Could not create marriage. This version only supports 8 marriages.");

    // Slot 1 and 3 free: slot 1 is used and reported.
    TPersonItem* d = AddPerson(store, "D");
    TPersonItem* e = AddPerson(store, "E");
    d->Spouse[2] = e;
    EXPECT_EQ(store.AddMarriage(d, e), 1);
    EXPECT_EQ(store.MarriageSlot[1], 1);
    EXPECT_EQ(store.MarriageSlot[2], 1);
}

TEST(ItemStore, DeletingClearsEveryReferenceAndAliasMarks) {
    TItemStore store;
    TPersonItem* home = AddPerson(store, "Home");
    TPersonItem* original = AddPerson(store, "Orig");
    TPersonItem* alias1 = AddPerson(store, "Orig");
    TPersonItem* alias2 = AddPerson(store, "Orig");
    original->Kind = "ALIAS";
    alias1->Kind = "REF";
    alias1->Father = original;
    alias2->Kind = "REF";
    alias2->Father = original;
    home->Mother = original;
    store.AddMarriage(home, original);
    home->MarriageDate[1] = "1 Jan 1900";
    store.AddToSelection(alias1);

    // Deleting one alias clears the original's mark although another alias remains.
    store.CurrentItem = alias1;
    store.DeleteItem();
    EXPECT_EQ(store.CurrentItem, nullptr);
    EXPECT_TRUE(original->Kind.empty());
    EXPECT_EQ(alias2->Kind, "REF");
    EXPECT_TRUE(store.SelectionList().empty());

    // Deleting the original turns its remaining alias into an ordinary item.
    store.CurrentItem = original;
    store.DeleteItem();
    EXPECT_TRUE(alias2->Kind.empty());
    EXPECT_EQ(alias2->Father, nullptr);
    EXPECT_EQ(home->Mother, nullptr);
    EXPECT_EQ(home->Spouse[1], nullptr);
    EXPECT_EQ(home->MarriageDate[1], "1 Jan 1900");  // stays until the slot is reused
    EXPECT_EQ(home->SpouseType[1], 'M');

    // Deleting the home item makes the next one home; deleting the last empties the store.
    store.CurrentItem = home;
    store.DeleteItem();
    EXPECT_EQ(store.FirstItem(), alias2);
    EXPECT_EQ(alias2->Prev, nullptr);
    store.CurrentItem = alias2;
    store.DeleteItem();
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.LastItem(), nullptr);
    EXPECT_EQ(store.ItemCount(), 0);
}

TEST(ItemStore, FindItemByIdFirstInListOrderWins) {
    TItemStore store;
    TPersonItem* a = AddPerson(store, "A");
    TPersonItem* b = AddPerson(store, "B");
    TPersonItem* c = AddPerson(store, "C");
    EXPECT_EQ(store.FindItemById(0), nullptr);
    EXPECT_EQ(store.FindItemById(-5), nullptr);
    EXPECT_EQ(store.FindItemById(2), b);
    c->Id = 1;
    store.IdsChanged();
    EXPECT_EQ(store.FindItemById(1), a);
    store.MoveToFront(c);
    EXPECT_EQ(store.FirstItem(), c);
    EXPECT_EQ(c->Next, a);
    EXPECT_EQ(a->Prev, c);
    EXPECT_EQ(store.LastItem(), b);
    EXPECT_EQ(store.FindItemById(1), c);
    store.RenumberIds();
    EXPECT_EQ(store.FindItemById(3), b);
    EXPECT_EQ(store.LastId, 3);
}

TEST(ItemStore, CountsAndClearMemory) {
    TItemStore store;
    AddPerson(store, "A");
    AddPerson(store, "", "");
    TPersonItem* alias = AddPerson(store, "A");
    alias->Kind = "REF";
    AddPerson(store, "", "Lastonly");
    EXPECT_EQ(store.ItemCount(), 4);
    EXPECT_EQ(store.PersonCount(), 2);
    int removals = 0;
    store.addRemovalListener([&](const TPersonItem* p) { removals += p == nullptr ? 100 : 1; });
    store.AddToSelection(alias);
    store.Modified = true;
    store.ClearMemory();
    EXPECT_EQ(removals, 100);
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.CurrentItem, nullptr);
    EXPECT_EQ(store.LastId, 0);
    EXPECT_TRUE(store.SelectionList().empty());
    EXPECT_TRUE(store.Modified);  // callers decide
}

TEST(StoreCommands, DeleteAsksWithTheRightQuestion) {
    ScriptedPrompts prompts;
    TItemStore store(&prompts);
    TPersonItem* orig = AddPerson(store, "O");
    TPersonItem* alias = AddPerson(store, "O");
    TPersonItem* plain = AddPerson(store, "P");
    orig->Kind = "ALIAS";
    alias->Kind = "REF";
    alias->Father = orig;

    store.Modified = false;
    store.CurrentItem = orig;
    prompts.AnswerButton(PromptAnswer::No);
    EXPECT_FALSE(Slettperson1Click(store, prompts));
    EXPECT_FALSE(store.Modified);
    store.CurrentItem = alias;
    prompts.AnswerButton(PromptAnswer::No);
    Slettperson1Click(store, prompts);
    store.CurrentItem = plain;
    prompts.AnswerButton(PromptAnswer::Yes);
    EXPECT_TRUE(Slettperson1Click(store, prompts));
    EXPECT_TRUE(store.Modified);
    EXPECT_EQ(store.ItemCount(), 2);
    const auto& r = prompts.records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].caption, "Confirm delete");
    EXPECT_EQ(r[0].text, "Do you really want to delete this and make the alias the original?");
    EXPECT_EQ(r[1].text, "Do you really want to delete this alias?");
    EXPECT_EQ(r[2].text, "Do you really want to delete this item?");
    EXPECT_EQ(r[2].buttons, PromptButtons::YesNo);

    store.AddToSelection(orig);
    store.AddToSelection(alias);
    prompts.AnswerButton(PromptAnswer::Yes);
    EXPECT_TRUE(Slettperson1Click(store, prompts));
    EXPECT_EQ(prompts.records().back().text, "Do you really want to delete these items?");
    EXPECT_TRUE(store.empty());
    EXPECT_TRUE(store.SelectionList().empty());

    store.CurrentItem = nullptr;
    EXPECT_FALSE(Slettperson1Click(store, prompts));
    EXPECT_EQ(prompts.records().size(), 4u);
}

TEST(StoreCommands, CheckModifiedThreeAnswers) {
    ScriptedPrompts prompts;
    TItemStore store(&prompts);
    int saves = 0;
    auto save = [&] { ++saves; };
    EXPECT_TRUE(CheckModified(store, prompts, save));
    EXPECT_TRUE(prompts.records().empty());
    store.Modified = true;
    prompts.AnswerButton(PromptAnswer::Yes);
    EXPECT_TRUE(CheckModified(store, prompts, save));
    EXPECT_EQ(saves, 1);
    prompts.AnswerButton(PromptAnswer::No);
    EXPECT_TRUE(CheckModified(store, prompts, save));
    prompts.AnswerButton(PromptAnswer::Cancel);
    EXPECT_FALSE(CheckModified(store, prompts, save));
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(prompts.records()[0].text, "Save changes to your Kinloom file?");
    EXPECT_EQ(prompts.records()[0].buttons, PromptButtons::YesNoCancel);
}
