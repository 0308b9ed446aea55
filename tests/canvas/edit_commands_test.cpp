#include "canvas/edit_commands.h"
#include "canvas/edit_properties.h"
#include "canvas/go_to_lists.h"
#include "canvas/menu_state.h"
#include "canvas/spouse_unlink.h"
#include "document/item_store.h"
#include "platform/charsets.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <climits>

namespace kinloom {
namespace {

using test::addPerson;

struct RecordingHost : EditHost {
    int repaints = 0, paints = 0, placings = 0;
    bool lastDragPending = false, ignoreNext = false, cross = false;
    std::vector<double> zooms;
    std::vector<std::tuple<PendingLink, int, int>> armed;
    ViewState* view = nullptr;
    void repaint() override { ++repaints; }
    void paintWithoutErase() override { ++paints; }
    void zoomTo(double z) override {
        zooms.push_back(z);
        if (view) view->zoom = z;
    }
    WindowSize outerSize() const override { return {800, 600}; }
    void startPlacing(bool dragPending) override {
        ++placings;
        lastDragPending = dragPending;
    }
    void setCrossCursor() override { cross = true; }
    void armLink(PendingLink k, int x, int y) override { armed.emplace_back(k, x, y); }
    void setIgnoreNextMouseDown() override { ignoreNext = true; }
};

struct Fixture : ::testing::Test {
    ItemStore store;
    ViewState view;
    RecordingHost host;
    EditContext ctx{store, view, host};
    DisplayCharset cs;
    Fixture() { host.view = &view; }
};

std::vector<PersonItem*> order(const ItemStore& s) {
    std::vector<PersonItem*> v;
    for (PersonItem* p = s.firstItem(); p; p = p->Next) v.push_back(p);
    return v;
}

using EditCommands = Fixture;

TEST_F(EditCommands, AliasRoundTrip) {
    PersonItem* o = addPerson(store, "Ola", "Nordmann", 10, 20);
    o->BornDate = "1900";
    o->Occupation = "Farmer";
    o->Mother = addPerson(store, "Kari", "Nordmann");
    store.currentItem = o;
    store.modified = false;
    store.pointerX = 500;
    store.pointerY = 300;
    makeAlias(ctx);
    PersonItem* a1 = store.currentItem;
    ASSERT_NE(a1, o);
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(o->Kind, "ALIAS");
    EXPECT_EQ(a1->Kind, "REF");
    EXPECT_EQ(a1->Father, o);
    EXPECT_EQ(a1->Mother, nullptr);
    EXPECT_EQ(a1->FirstName, "Ola");
    EXPECT_EQ(a1->BornDate, "1900");
    EXPECT_EQ(a1->Occupation, "Farmer");
    EXPECT_EQ(a1->X, 500);
    EXPECT_EQ(a1->Y, 300);
    EXPECT_EQ(host.placings, 1);
    EXPECT_TRUE(host.lastDragPending);

    store.currentItem = o;
    makeAlias(ctx);
    PersonItem* a2 = store.currentItem;

    // From the original the jump lands on the newest alias, from an alias on the original.
    view.zoom = 35;
    store.currentItem = o;
    goToAlias(ctx);
    EXPECT_EQ(store.currentItem, a2);
    EXPECT_EQ(host.zooms.back(), 35);
    EXPECT_EQ(view.offsetX, 400 - a2->X - 70);
    EXPECT_EQ(view.offsetY, 300 - a2->Y - 32);
    store.currentItem = a1;
    goToAlias(ctx, true);
    EXPECT_EQ(store.currentItem, o);
    EXPECT_TRUE(host.ignoreNext);

    // Nothing current: the view centres on the pointer.
    store.currentItem = nullptr;
    store.pointerX = 100;
    store.pointerY = 50;
    goToAlias(ctx);
    EXPECT_EQ(view.offsetX, 300);
    EXPECT_EQ(view.offsetY, 250);
}

TEST_F(EditCommands, MakeThisAnAliasKeepsTheSpouseLines) {
    PersonItem* r = addPerson(store, "Per", "Hansen");
    PersonItem* w = addPerson(store, "Eva", "Hansen");
    ASSERT_EQ(store.addMarriage(r, w), 1);
    r->MarriageDate[1] = "1920";
    store.currentItem = r;
    makeThisAlias(ctx);
    PersonItem* o = store.currentItem;
    EXPECT_EQ(r->Kind, "REF");
    EXPECT_EQ(r->Father, o);
    EXPECT_EQ(r->Spouse[1], w);
    EXPECT_EQ(r->MarriageDate[1], "1920");
    EXPECT_EQ(o->Kind, "ALIAS");
    EXPECT_EQ(o->FirstName, "Per");
    for (int i = 1; i <= kMaxSpouses; ++i) EXPECT_EQ(o->Spouse[i], nullptr);
    EXPECT_EQ(o->Father, nullptr);
}

TEST_F(EditCommands, UnlinkSpouseOnBothSides) {
    ScriptedPrompts prompts;
    PersonItem* a = addPerson(store, "A", "X");
    PersonItem* b = addPerson(store, "B", "Y");
    b->BornDate = "1901";
    store.addMarriage(a, b);
    // One back-link with a different date: the other side is cleared all the same.
    b->MarriageDate[1] = "other";
    EXPECT_EQ(spouseUnlinkLines(*a, cs), QStringList{"B Y (1901 - )"});
    store.modified = false;
    EXPECT_FALSE(deleteSpouseLink(store, *a, 1, prompts));
    EXPECT_TRUE(deleteSpouseLink(store, *a, 0, prompts));
    EXPECT_EQ(a->Spouse[1], nullptr);
    EXPECT_EQ(b->Spouse[1], nullptr);
    EXPECT_TRUE(store.modified);
    EXPECT_TRUE(prompts.records().empty());

    // Two back-links (married twice), neither matching: message, and only this side is cleared.
    store.addMarriage(a, b);
    store.addMarriage(a, b);
    b->MarriagePlace[1] = "Oslo";
    b->MarriagePlace[2] = "Bergen";
    EXPECT_TRUE(deleteSpouseLink(store, *a, 1, prompts));
    ASSERT_EQ(prompts.messageTexts().size(), 1u);
    EXPECT_EQ(prompts.messageTexts()[0],
              "Relationship could not be deleted on both sides because date or place did not match");
    EXPECT_EQ(a->Spouse[2], nullptr);
    EXPECT_EQ(a->Spouse[1], b);
    EXPECT_EQ(b->Spouse[1], a);
    EXPECT_EQ(b->Spouse[2], a);

    // Two back-links and one matching exactly: that one goes, silently.
    b->MarriagePlace[2].clear();
    prompts.clear();
    EXPECT_TRUE(deleteSpouseLink(store, *a, 0, prompts));
    EXPECT_EQ(b->Spouse[2], nullptr);
    EXPECT_EQ(b->Spouse[1], a);
    EXPECT_TRUE(prompts.records().empty());
}

TEST_F(EditCommands, ParentUnlinkAndLinkArming) {
    PersonItem* c = addPerson(store, "C", "", 100, 200);
    c->Father = addPerson(store, "F");
    c->Mother = addPerson(store, "M");
    store.currentItem = c;
    store.modified = false;
    deleteFatherLink(ctx);
    EXPECT_EQ(c->Father, nullptr);
    EXPECT_NE(c->Mother, nullptr);
    EXPECT_TRUE(store.modified);
    deleteMotherLink(ctx);
    EXPECT_EQ(c->Mother, nullptr);
    linkCommand(ctx, PendingLink::Spouse);
    ASSERT_EQ(host.armed.size(), 1u);
    EXPECT_EQ(host.armed[0], std::make_tuple(PendingLink::Spouse, 170, 232));
    store.currentItem = nullptr;
    linkCommand(ctx, PendingLink::Father);
    EXPECT_EQ(host.armed.size(), 1u);
    EXPECT_TRUE(host.cross);
    deleteFatherLink(ctx);  // nothing current: nothing happens

    // At the far edge of the canvas the rubber line starts at the edge instead of wrapping round.
    PersonItem* edge = addPerson(store, "E", "", INT_MAX - 10, INT_MAX - 10);
    store.currentItem = edge;
    linkCommand(ctx, PendingLink::Mother);
    ASSERT_EQ(host.armed.size(), 2u);
    EXPECT_EQ(host.armed[1], std::make_tuple(PendingLink::Mother, INT_MAX, INT_MAX));
}

TEST_F(EditCommands, MakeHomeAndGoHome) {
    PersonItem* a = addPerson(store, "A", "", 0, 0);
    PersonItem* b = addPerson(store, "B", "", 1000, 2000);
    PersonItem* c = addPerson(store, "C");
    store.currentItem = a;
    makeHome(ctx);
    EXPECT_EQ(host.repaints, 0);
    store.currentItem = b;
    store.modified = false;
    makeHome(ctx);
    EXPECT_EQ(order(store), (std::vector<PersonItem*>{b, a, c}));
    EXPECT_EQ(store.lastItem(), c);
    EXPECT_FALSE(store.modified);
    store.currentItem = c;
    makeHome(ctx);
    EXPECT_EQ(order(store), (std::vector<PersonItem*>{c, b, a}));
    EXPECT_EQ(store.lastItem(), a);
    store.currentItem = a;
    view.zoom = 20;
    goHome(ctx);
    EXPECT_EQ(store.currentItem, c);
    EXPECT_EQ(view.zoom, 100);

    store.currentItem = b;
    b->Father = a;
    goToFather(ctx);
    EXPECT_EQ(store.currentItem, a);
    EXPECT_EQ(view.offsetX, 400 - 0 - 70);
    const int before = view.offsetX;
    goToMother(ctx);  // empty link: nothing current, the view stays
    EXPECT_EQ(store.currentItem, nullptr);
    EXPECT_EQ(view.offsetX, before);
}

TEST_F(EditCommands, GotoListsAndJump) {
    PersonItem* dad = addPerson(store, "Dad", "D");
    PersonItem* mum = addPerson(store, "Mum", "M");
    PersonItem* kid1 = addPerson(store, "Kid", "One");
    kid1->BornDate = "1950";
    kid1->DiedDate = "2000";
    kid1->Father = dad;
    kid1->Mother = mum;
    PersonItem* kid2 = addPerson(store, "Kid", "Two");
    kid2->Mother = mum;
    store.addMarriage(dad, mum);
    // An alias of dad with a child of its own.
    store.currentItem = dad;
    makeAlias(ctx);
    PersonItem* dadAlias = store.currentItem;
    PersonItem* kid3 = addPerson(store, "Kid", "Three");
    kid3->Father = dadAlias;

    store.currentItem = dad;
    GoToList children = childrenList(store, cs);
    EXPECT_EQ(children.caption, "Children of Dad D");
    EXPECT_EQ(children.lines,
              (QStringList{"Kid One (1950-2000) [3]", "Kid Three (-) [" + QString::number(kid3->Id) + "]"}));
    store.currentItem = dadAlias;
    EXPECT_EQ(childrenList(store, cs).lines.size(), 2);  // its own child and the original's

    store.currentItem = kid2;
    GoToList siblings = siblingsList(store, cs);
    EXPECT_EQ(siblings.caption, "Siblings of Kid Two");
    EXPECT_EQ(siblings.lines, QStringList{"Kid One (1950 - 2000) [3]"});

    store.currentItem = mum;
    GoToList spouses = spousesList(store, cs);
    EXPECT_EQ(spouses.caption, "Spouses of Mum M");
    EXPECT_EQ(spouses.lines, QStringList{"Dad D (-) [1]"});

    EXPECT_EQ(idOfListLine("Kid One (1950-2000) [3]"), 3);
    EXPECT_EQ(idOfListLine("[x] no id"), -1);
    EXPECT_TRUE(selectItemOfListLine(store, "Kid One (1950-2000) [3]"));
    EXPECT_EQ(store.currentItem, kid1);
    EXPECT_FALSE(selectItemOfListLine(store, "Gone [99]"));
    EXPECT_EQ(store.currentItem, kid1);
}

TEST_F(EditCommands, AlignSelection) {
    PersonItem* a = addPerson(store, "A", "", 10, 50);
    PersonItem* b = addPerson(store, "B", "", 30, 20);
    store.modified = false;
    alignSelection(ctx, AlignEdge::Left);
    EXPECT_FALSE(store.modified);  // empty selection: nothing happens
    store.addToSelection(a);
    alignSelection(ctx, AlignEdge::Left);
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(a->X, 10);
    store.addToSelection(b);
    alignSelection(ctx, AlignEdge::Right);
    EXPECT_EQ(a->X, 30);
    alignSelection(ctx, AlignEdge::Top);
    EXPECT_EQ(a->Y, 20);
    EXPECT_EQ(b->Y, 20);
    b->Y = 90;
    alignSelection(ctx, AlignEdge::Bottom);
    EXPECT_EQ(a->Y, 90);
    EXPECT_EQ(store.selectionList().size(), 2u);
}

TEST_F(EditCommands, MenuEnabling) {
    MainMenuState m = computeMainMenuState(store);
    EXPECT_FALSE(m.properties || m.deleteItem || m.align || m.makeAlias || m.gotoAlias || m.linkParentsAndSpouse);
    PersonItem* a = addPerson(store, "A");
    PersonItem* b = addPerson(store, "B");
    store.currentItem = a;
    m = computeMainMenuState(store);
    EXPECT_TRUE(m.properties && m.makeHome && m.deleteItem && m.createAncestors && m.makeAlias && m.makeThisAlias);
    EXPECT_FALSE(m.organizeAncestors || m.deleteFatherLink || m.deleteSpouseLink || m.gotoAlias);
    a->Mother = b;
    store.addMarriage(a, b);
    a->Spouse[1] = nullptr;  // a filled slot 2 alone still counts
    a->Spouse[2] = b;
    m = computeMainMenuState(store);
    EXPECT_TRUE(m.organizeAncestors && m.deleteMotherLink && m.deleteSpouseLink && m.linkParentsAndSpouse);
    EXPECT_FALSE(m.createAncestors || m.deleteFatherLink || m.makeThisAlias);
    EXPECT_TRUE(m.makeAlias);
    makeAlias(ctx);
    PersonItem* alias = store.currentItem;
    m = computeMainMenuState(store);
    EXPECT_FALSE(m.linkParentsAndSpouse || m.makeAlias || m.createAncestors);
    EXPECT_TRUE(m.gotoAlias && m.organizeAncestors);  // an alias's Father is its original
    EXPECT_EQ(m.gotoAliasCaption, "&Go to Original");
    store.currentItem = a;
    EXPECT_EQ(computeMainMenuState(store).gotoAliasCaption, "&Go to Alias");
    store.currentItem = nullptr;
    store.addToSelection(alias);
    m = computeMainMenuState(store);
    EXPECT_TRUE(m.align && m.deleteItem);
    EXPECT_FALSE(m.properties);
}

TEST_F(EditCommands, EditPropertiesCommitsTheWholeCopyOnlyOnOk) {
    PersonItem* a = addPerson(store, "A", "Old");
    addPerson(store, "B");
    store.currentItem = a;
    EXPECT_FALSE(editProperties(store, host, [](PersonItem& copy, PersonItem&) {
        copy.LastName = "Cancelled";
        return false;
    }));
    EXPECT_EQ(a->LastName, "Old");
    EXPECT_TRUE(editProperties(store, host, [a](PersonItem& copy, PersonItem& edited) {
        EXPECT_EQ(&edited, a);
        EXPECT_NE(&copy, a);
        copy.LastName = "New";
        copy.X = 77;
        return true;
    }));
    EXPECT_EQ(a->LastName, "New");
    EXPECT_EQ(a->X, 77);
    EXPECT_EQ(a->Next, store.lastItem());
    EXPECT_EQ(host.paints, 1);
    store.currentItem = nullptr;
    EXPECT_FALSE(editProperties(store, host, [](PersonItem&, PersonItem&) { return true; }));
}

}  // namespace
}  // namespace kinloom
