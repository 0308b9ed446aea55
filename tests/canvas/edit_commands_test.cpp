#include "canvas/edit_commands.h"
#include "canvas/edit_properties.h"
#include "canvas/goto_lists.h"
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

using test::AddPerson;

struct RecordingHost : EditHost {
    int repaints = 0, paints = 0, placings = 0;
    bool lastDragPending = false, ignoreNext = false, cross = false;
    std::vector<double> zooms;
    std::vector<std::tuple<PendingLink, int, int>> armed;
    ViewState* view = nullptr;
    void Repaint() override { ++repaints; }
    void PaintWithoutErase() override { ++paints; }
    void ZoomTo(double z) override {
        zooms.push_back(z);
        if (view) view->Zoom = z;
    }
    WindowSize OuterSize() const override { return {800, 600}; }
    void StartPlacing(bool dragPending) override {
        ++placings;
        lastDragPending = dragPending;
    }
    void SetCrossCursor() override { cross = true; }
    void ArmLink(PendingLink k, int x, int y) override { armed.emplace_back(k, x, y); }
    void SetIgnoreNextMouseDown() override { ignoreNext = true; }
};

struct Fixture : ::testing::Test {
    TItemStore store;
    ViewState view;
    RecordingHost host;
    EditContext ctx{store, view, host};
    DisplayCharset cs;
    Fixture() { host.view = &view; }
};

std::vector<TPersonItem*> Order(const TItemStore& s) {
    std::vector<TPersonItem*> v;
    for (TPersonItem* p = s.FirstItem(); p; p = p->Next) v.push_back(p);
    return v;
}

using EditCommands = Fixture;

TEST_F(EditCommands, AliasRoundTrip) {
    TPersonItem* o = AddPerson(store, "Ola", "Nordmann", 10, 20);
    o->BornDate = "1900";
    o->Occupation = "Farmer";
    o->Mother = AddPerson(store, "Kari", "Nordmann");
    store.CurrentItem = o;
    store.Modified = false;
    store.PointerX = 500;
    store.PointerY = 300;
    MakeAliasClick(ctx);
    TPersonItem* a1 = store.CurrentItem;
    ASSERT_NE(a1, o);
    EXPECT_TRUE(store.Modified);
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

    store.CurrentItem = o;
    MakeAliasClick(ctx);
    TPersonItem* a2 = store.CurrentItem;

    // From the original the jump lands on the newest alias, from an alias on the original.
    view.Zoom = 35;
    store.CurrentItem = o;
    GotoAlias1Click(ctx);
    EXPECT_EQ(store.CurrentItem, a2);
    EXPECT_EQ(host.zooms.back(), 35);
    EXPECT_EQ(view.OffsetX, 400 - a2->X - 70);
    EXPECT_EQ(view.OffsetY, 300 - a2->Y - 32);
    store.CurrentItem = a1;
    GotoAlias1Click(ctx, true);
    EXPECT_EQ(store.CurrentItem, o);
    EXPECT_TRUE(host.ignoreNext);

    // Nothing current: the view centres on the pointer.
    store.CurrentItem = nullptr;
    store.PointerX = 100;
    store.PointerY = 50;
    GotoAlias1Click(ctx);
    EXPECT_EQ(view.OffsetX, 300);
    EXPECT_EQ(view.OffsetY, 250);
}

TEST_F(EditCommands, MakeThisAnAliasKeepsTheSpouseLines) {
    TPersonItem* r = AddPerson(store, "Per", "Hansen");
    TPersonItem* w = AddPerson(store, "Eva", "Hansen");
    ASSERT_EQ(store.AddMarriage(r, w), 1);
    r->MarriageDate[1] = "1920";
    store.CurrentItem = r;
    MakeThisAliasClick(ctx);
    TPersonItem* o = store.CurrentItem;
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
    TPersonItem* a = AddPerson(store, "A", "X");
    TPersonItem* b = AddPerson(store, "B", "Y");
    b->BornDate = "1901";
    store.AddMarriage(a, b);
    // One back-link with a different date: the other side is cleared all the same.
    b->MarriageDate[1] = "other";
    EXPECT_EQ(SpouseUnlinkLines(*a, cs), QStringList{"B Y (1901 - )"});
    store.Modified = false;
    EXPECT_FALSE(DeleteSpouseLink(store, *a, 1, prompts));
    EXPECT_TRUE(DeleteSpouseLink(store, *a, 0, prompts));
    EXPECT_EQ(a->Spouse[1], nullptr);
    EXPECT_EQ(b->Spouse[1], nullptr);
    EXPECT_TRUE(store.Modified);
    EXPECT_TRUE(prompts.records().empty());

    // Two back-links (married twice), neither matching: message, and only this side is cleared.
    store.AddMarriage(a, b);
    store.AddMarriage(a, b);
    b->MarriagePlace[1] = "Oslo";
    b->MarriagePlace[2] = "Bergen";
    EXPECT_TRUE(DeleteSpouseLink(store, *a, 1, prompts));
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
    EXPECT_TRUE(DeleteSpouseLink(store, *a, 0, prompts));
    EXPECT_EQ(b->Spouse[2], nullptr);
    EXPECT_EQ(b->Spouse[1], a);
    EXPECT_TRUE(prompts.records().empty());
}

TEST_F(EditCommands, ParentUnlinkAndLinkArming) {
    TPersonItem* c = AddPerson(store, "C", "", 100, 200);
    c->Father = AddPerson(store, "F");
    c->Mother = AddPerson(store, "M");
    store.CurrentItem = c;
    store.Modified = false;
    DeleteLinktoFather1Click(ctx);
    EXPECT_EQ(c->Father, nullptr);
    EXPECT_NE(c->Mother, nullptr);
    EXPECT_TRUE(store.Modified);
    DeleteLinktoMother1Click(ctx);
    EXPECT_EQ(c->Mother, nullptr);
    LinkCommand(ctx, PendingLink::Spouse);
    ASSERT_EQ(host.armed.size(), 1u);
    EXPECT_EQ(host.armed[0], std::make_tuple(PendingLink::Spouse, 170, 232));
    store.CurrentItem = nullptr;
    LinkCommand(ctx, PendingLink::Father);
    EXPECT_EQ(host.armed.size(), 1u);
    EXPECT_TRUE(host.cross);
    DeleteLinktoFather1Click(ctx);  // nothing current: nothing happens

    // At the far edge of the canvas the rubber line starts at the edge instead of wrapping round.
    TPersonItem* edge = AddPerson(store, "E", "", INT_MAX - 10, INT_MAX - 10);
    store.CurrentItem = edge;
    LinkCommand(ctx, PendingLink::Mother);
    ASSERT_EQ(host.armed.size(), 2u);
    EXPECT_EQ(host.armed[1], std::make_tuple(PendingLink::Mother, INT_MAX, INT_MAX));
}

TEST_F(EditCommands, MakeHomeAndGoHome) {
    TPersonItem* a = AddPerson(store, "A", "", 0, 0);
    TPersonItem* b = AddPerson(store, "B", "", 1000, 2000);
    TPersonItem* c = AddPerson(store, "C");
    store.CurrentItem = a;
    Makehome1Click(ctx);
    EXPECT_EQ(host.repaints, 0);
    store.CurrentItem = b;
    store.Modified = false;
    Makehome1Click(ctx);
    EXPECT_EQ(Order(store), (std::vector<TPersonItem*>{b, a, c}));
    EXPECT_EQ(store.LastItem(), c);
    EXPECT_FALSE(store.Modified);
    store.CurrentItem = c;
    Makehome1Click(ctx);
    EXPECT_EQ(Order(store), (std::vector<TPersonItem*>{c, b, a}));
    EXPECT_EQ(store.LastItem(), a);
    store.CurrentItem = a;
    view.Zoom = 20;
    Home1Click(ctx);
    EXPECT_EQ(store.CurrentItem, c);
    EXPECT_EQ(view.Zoom, 100);

    store.CurrentItem = b;
    b->Father = a;
    Father1Click(ctx);
    EXPECT_EQ(store.CurrentItem, a);
    EXPECT_EQ(view.OffsetX, 400 - 0 - 70);
    const int before = view.OffsetX;
    Mother1Click(ctx);  // empty link: nothing current, the view stays
    EXPECT_EQ(store.CurrentItem, nullptr);
    EXPECT_EQ(view.OffsetX, before);
}

TEST_F(EditCommands, GotoListsAndJump) {
    TPersonItem* dad = AddPerson(store, "Dad", "D");
    TPersonItem* mum = AddPerson(store, "Mum", "M");
    TPersonItem* kid1 = AddPerson(store, "Kid", "One");
    kid1->BornDate = "1950";
    kid1->DiedDate = "2000";
    kid1->Father = dad;
    kid1->Mother = mum;
    TPersonItem* kid2 = AddPerson(store, "Kid", "Two");
    kid2->Mother = mum;
    store.AddMarriage(dad, mum);
    // An alias of dad with a child of its own.
    store.CurrentItem = dad;
    MakeAliasClick(ctx);
    TPersonItem* dadAlias = store.CurrentItem;
    TPersonItem* kid3 = AddPerson(store, "Kid", "Three");
    kid3->Father = dadAlias;

    store.CurrentItem = dad;
    GotoList children = ChildrenList(store, cs);
    EXPECT_EQ(children.caption, "Children of Dad D");
    EXPECT_EQ(children.lines,
              (QStringList{"Kid One (1950-2000) [3]", "Kid Three (-) [" + QString::number(kid3->Id) + "]"}));
    store.CurrentItem = dadAlias;
    EXPECT_EQ(ChildrenList(store, cs).lines.size(), 2);  // its own child and the original's

    store.CurrentItem = kid2;
    GotoList siblings = SiblingsList(store, cs);
    EXPECT_EQ(siblings.caption, "Siblings of Kid Two");
    EXPECT_EQ(siblings.lines, QStringList{"Kid One (1950 - 2000) [3]"});

    store.CurrentItem = mum;
    GotoList spouses = SpousesList(store, cs);
    EXPECT_EQ(spouses.caption, "Spouses of Mum M");
    EXPECT_EQ(spouses.lines, QStringList{"Dad D (-) [1]"});

    EXPECT_EQ(IdOfListLine("Kid One (1950-2000) [3]"), 3);
    EXPECT_EQ(IdOfListLine("[x] no id"), -1);
    EXPECT_TRUE(SelectItemOfListLine(store, "Kid One (1950-2000) [3]"));
    EXPECT_EQ(store.CurrentItem, kid1);
    EXPECT_FALSE(SelectItemOfListLine(store, "Gone [99]"));
    EXPECT_EQ(store.CurrentItem, kid1);
}

TEST_F(EditCommands, AlignSelection) {
    TPersonItem* a = AddPerson(store, "A", "", 10, 50);
    TPersonItem* b = AddPerson(store, "B", "", 30, 20);
    store.Modified = false;
    AlignSelection(ctx, AlignEdge::Left);
    EXPECT_FALSE(store.Modified);  // empty selection: nothing happens
    store.AddToSelection(a);
    AlignSelection(ctx, AlignEdge::Left);
    EXPECT_TRUE(store.Modified);
    EXPECT_EQ(a->X, 10);
    store.AddToSelection(b);
    AlignSelection(ctx, AlignEdge::Right);
    EXPECT_EQ(a->X, 30);
    AlignSelection(ctx, AlignEdge::Top);
    EXPECT_EQ(a->Y, 20);
    EXPECT_EQ(b->Y, 20);
    b->Y = 90;
    AlignSelection(ctx, AlignEdge::Bottom);
    EXPECT_EQ(a->Y, 90);
    EXPECT_EQ(store.SelectionList().size(), 2u);
}

TEST_F(EditCommands, MenuEnabling) {
    MainMenuState m = ComputeMainMenuState(store);
    EXPECT_FALSE(m.properties || m.deleteItem || m.align || m.makeAlias || m.gotoAlias || m.linkParentsAndSpouse);
    TPersonItem* a = AddPerson(store, "A");
    TPersonItem* b = AddPerson(store, "B");
    store.CurrentItem = a;
    m = ComputeMainMenuState(store);
    EXPECT_TRUE(m.properties && m.makeHome && m.deleteItem && m.createAncestors && m.makeAlias && m.makeThisAlias);
    EXPECT_FALSE(m.organizeAncestors || m.deleteFatherLink || m.deleteSpouseLink || m.gotoAlias);
    a->Mother = b;
    store.AddMarriage(a, b);
    a->Spouse[1] = nullptr;  // a filled slot 2 alone still counts
    a->Spouse[2] = b;
    m = ComputeMainMenuState(store);
    EXPECT_TRUE(m.organizeAncestors && m.deleteMotherLink && m.deleteSpouseLink && m.linkParentsAndSpouse);
    EXPECT_FALSE(m.createAncestors || m.deleteFatherLink || m.makeThisAlias);
    EXPECT_TRUE(m.makeAlias);
    MakeAliasClick(ctx);
    TPersonItem* alias = store.CurrentItem;
    m = ComputeMainMenuState(store);
    EXPECT_FALSE(m.linkParentsAndSpouse || m.makeAlias || m.createAncestors);
    EXPECT_TRUE(m.gotoAlias && m.organizeAncestors);  // an alias's Father is its original
    EXPECT_EQ(m.gotoAliasCaption, "&Go to Original");
    store.CurrentItem = a;
    EXPECT_EQ(ComputeMainMenuState(store).gotoAliasCaption, "&Go to Alias");
    store.CurrentItem = nullptr;
    store.AddToSelection(alias);
    m = ComputeMainMenuState(store);
    EXPECT_TRUE(m.align && m.deleteItem);
    EXPECT_FALSE(m.properties);
}

TEST_F(EditCommands, EditPropertiesCommitsTheWholeCopyOnlyOnOk) {
    TPersonItem* a = AddPerson(store, "A", "Old");
    AddPerson(store, "B");
    store.CurrentItem = a;
    EXPECT_FALSE(FormDblClick(store, host, [](TPersonItem& copy, TPersonItem&) {
        copy.LastName = "Cancelled";
        return false;
    }));
    EXPECT_EQ(a->LastName, "Old");
    EXPECT_TRUE(FormDblClick(store, host, [a](TPersonItem& copy, TPersonItem& edited) {
        EXPECT_EQ(&edited, a);
        EXPECT_NE(&copy, a);
        copy.LastName = "New";
        copy.X = 77;
        return true;
    }));
    EXPECT_EQ(a->LastName, "New");
    EXPECT_EQ(a->X, 77);
    EXPECT_EQ(a->Next, store.LastItem());
    EXPECT_EQ(host.paints, 1);
    store.CurrentItem = nullptr;
    EXPECT_FALSE(FormDblClick(store, host, [](TPersonItem&, TPersonItem&) { return true; }));
}

}  // namespace
}  // namespace kinloom
