#include "canvas/interaction.h"
#include "canvas/popup_state.h"
#include "canvas/zoom.h"
#include "document/item_store.h"
#include "recording_surface.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kinloom;
using kinloom::test::addPerson;
using kinloom::test::RecordingSurface;

namespace {

// At 100 % and offset 0 a screen pixel is a canvas unit, so the tests speak in canvas units.
class InteractionTest : public ::testing::Test {
protected:
    InteractionTest() : in(store, view, surface) {
        in.window = {800, 600};
        in.scrollStep = 63;
    }
    PersonItem* add(const std::string& name, int x, int y) {
        PersonItem* item = addPerson(store, name, "", x, y);
        store.currentItem = nullptr;
        store.modified = false;
        return item;
    }
    void press(int x, int y, Qt::MouseButton b = Qt::LeftButton) { in.mousePress({x, y}, b); }
    void move(int x, int y) { in.mouseMove({x, y}); }
    void release(int x, int y) { in.mouseRelease({x, y}); }

    ItemStore store;
    ViewState view;
    RecordingSurface surface;
    CanvasInteraction in;
};

TEST_F(InteractionTest, HitTestLastMatchWinsWithInclusiveBounds) {
    PersonItem* a = add("A", 0, 0);
    PersonItem* b = add("B", 100, 50);
    EXPECT_EQ(in.hitTest(0, 0), a);
    EXPECT_EQ(in.hitTest(140, 65), b);  // both boxes: the later one is on top
    EXPECT_EQ(in.hitTest(120, 60), b);
    EXPECT_EQ(in.hitTest(240, 115), b);
    EXPECT_EQ(in.hitTest(241, 115), nullptr);
    in.zoomToAreaClicked();
    EXPECT_EQ(in.hitTest(120, 60), nullptr);  // nothing is hit while zooming to an area
    EXPECT_EQ(surface.cursor, CanvasCursor::Cross);
}

TEST_F(InteractionTest, PressSelectsAndMovesTheInvertedHighlight) {
    PersonItem* a = add("A", 0, 0);
    PersonItem* b = add("B", 200, 0);
    press(10, 10);
    EXPECT_EQ(store.currentItem, a);
    ASSERT_EQ(surface.inverted.size(), 1u);
    EXPECT_EQ(surface.inverted[0], QRect(0, 0, 140, 65));
    release(10, 10);
    press(210, 10);
    EXPECT_EQ(store.currentItem, b);
    ASSERT_EQ(surface.inverted.size(), 3u);  // a restored, b inverted
    EXPECT_EQ(surface.inverted[1], QRect(0, 0, 140, 65));
    EXPECT_EQ(surface.inverted[2], QRect(200, 0, 140, 65));
    release(210, 10);
    EXPECT_FALSE(store.modified);
    EXPECT_EQ(surface.repaints, 0);
}

TEST_F(InteractionTest, TenUnitsIsAClickElevenIsADragThatSnaps) {
    PersonItem* a = add("A", 0, 0);
    a->Sex = "M";
    press(50, 30);
    EXPECT_TRUE(in.dragPending);
    EXPECT_EQ(in.grabX, 50);
    EXPECT_EQ(in.grabY, 30);
    move(60, 40);
    EXPECT_FALSE(in.dragging);
    EXPECT_FALSE(store.modified);
    move(40, 20);
    EXPECT_FALSE(in.dragging);
    move(61, 30);
    EXPECT_TRUE(in.dragging);
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(a->X, 12);  // ((61 - 50) div 5) * 5 + 2
    EXPECT_EQ(a->Y, 2);
    move(-13, -9);
    EXPECT_EQ(a->X, -58);  // (-63 div 5) * 5 + 2, truncating toward zero
    EXPECT_EQ(a->Y, -33);
    EXPECT_EQ(((a->X % 5) + 5) % 5, 2);
    int editorOpened = 0;
    in.editProperties = [&] { ++editorOpened; };
    release(-13, -9);
    EXPECT_FALSE(in.dragging);
    EXPECT_EQ(editorOpened, 0);  // it has a sex already
    EXPECT_EQ(surface.repaints, 1);

    // Dropped where it was: still modified; a dropped item without a sex opens the dialog.
    a->Sex.clear();
    store.modified = false;
    press(-13, -9);
    move(-13, 3);
    move(-13, -9);
    EXPECT_TRUE(store.modified);
    release(-13, -9);
    EXPECT_EQ(editorOpened, 1);
}

TEST_F(InteractionTest, GroupDragMovesTheWholeSelection) {
    PersonItem* a = add("A", 2, 2);
    PersonItem* b = add("B", 301, 104);
    store.addToSelection(a);
    store.addToSelection(b);
    press(10, 10);
    EXPECT_EQ(store.selectionList().size(), 2u);  // pressing a selected item keeps the selection
    move(40, 10);
    EXPECT_EQ(a->X, 32);
    EXPECT_EQ(a->Y, 2);
    EXPECT_EQ(b->X, 331);
    EXPECT_EQ(b->Y, 104);
    // Pressing an unselected item drops the selection.
    release(40, 10);
    PersonItem* c = add("C", 600, 0);
    press(610, 10);
    EXPECT_TRUE(store.selectionList().empty());
    EXPECT_FALSE(a->Selected);
    EXPECT_EQ(store.currentItem, c);
}

TEST_F(InteractionTest, SelectionBandNeedsStrictOverlap) {
    PersonItem* a = add("A", 0, 0);
    PersonItem* b = add("B", 0, 200);
    press(300, 30);
    EXPECT_TRUE(in.rubberBand);
    move(140, 30);  // touches a's right edge only
    release(140, 30);
    EXPECT_FALSE(in.rubberBand);
    EXPECT_TRUE(store.selectionList().empty());
    ASSERT_FALSE(surface.frames.empty());
    EXPECT_TRUE(surface.frameDotted.back());

    press(300, 30);
    move(139, 200);
    release(139, 200);
    ASSERT_EQ(store.selectionList().size(), 1u);
    EXPECT_EQ(store.selectionList()[0], a);
    EXPECT_TRUE(a->Selected);
    EXPECT_FALSE(b->Selected);

    press(300, 30);  // a press on empty canvas drops the selection
    EXPECT_TRUE(store.selectionList().empty());
    move(139, 201);
    release(139, 201);
    EXPECT_EQ(store.selectionList().size(), 2u);
}

TEST_F(InteractionTest, HitTestAndBandAtTheEndsOfTheCanvas) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    PersonItem* right = add("Right", kMax - 100, 0);  // X + 140 lies beyond the int range
    EXPECT_EQ(in.hitTest(kMax, 10), right);
    EXPECT_EQ(in.hitTest(kMax - 101, 10), nullptr);

    // Scrolled to the far left end: screen x 0 is canvas kMin + 1.
    PersonItem* left = add("Left", kMin + 11, 0);
    view.offsetX = kMax;
    press(5, 5);  // empty canvas, left of the box
    EXPECT_TRUE(in.rubberBand);
    move(20, 20);
    release(20, 20);
    ASSERT_EQ(store.selectionList().size(), 1u);
    EXPECT_EQ(store.selectionList()[0], left);
}

TEST_F(InteractionTest, PendingLinksCompleteOnTheNextPress) {
    PersonItem* child = add("Child", 0, 0);
    PersonItem* mother = add("Mother", 300, 0);
    store.currentItem = child;

    // Father on empty canvas: a new item there becomes the father; the child stays current.
    in.linkFatherPending = true;
    press(500, 400);
    ASSERT_NE(child->Father, nullptr);
    PersonItem* father = child->Father;
    EXPECT_EQ(father->Sex, std::string_view("M"));
    EXPECT_EQ(store.currentItem, child);
    EXPECT_FALSE(in.dragging);
    EXPECT_FALSE(in.rubberBand);
    EXPECT_FALSE(in.linkFatherPending);
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(father->X, 428);  // under the click, on the grid: ((500 - 70) div 5) * 5 - 2
    EXPECT_EQ(father->Y, 363);
    EXPECT_EQ(store.itemCount(), 3);
    release(500, 400);

    // Mother on an item.
    in.linkMotherPending = true;
    press(310, 10);
    EXPECT_EQ(child->Mother, mother);
    EXPECT_EQ(mother->Sex, std::string_view("F"));
    EXPECT_EQ(store.currentItem, child);
    EXPECT_FALSE(in.dragPending);
    release(310, 10);

    // Spouse on the item itself: cancelled silently.
    store.modified = false;
    in.linkSpousePending = true;
    press(10, 10);
    EXPECT_FALSE(in.linkSpousePending);
    EXPECT_EQ(spouseSlotOf(*child, mother), 0);
    EXPECT_FALSE(store.modified);
    release(10, 10);
    in.linkSpousePending = true;
    press(310, 10);
    EXPECT_EQ(child->Spouse[1], mother);
    EXPECT_EQ(mother->Spouse[1], child);
}

TEST_F(InteractionTest, RubberLineFollowsThePointerWhileALinkWaits) {
    PersonItem* child = add("Child", 0, 0);
    store.currentItem = child;
    in.dragX = 70;
    in.dragY = 32;
    in.linkFatherPending = true;
    move(200, 100);
    move(250, 120);
    ASSERT_EQ(surface.lines.size(), 4u);
    EXPECT_EQ(surface.lines[1], std::make_pair(QPoint(70, 32), QPoint(200, 100)));
    EXPECT_EQ(surface.lines[2], surface.lines[1]);  // erased by drawing it again
    EXPECT_EQ(surface.lines[3], std::make_pair(QPoint(70, 32), QPoint(250, 120)));
}

TEST_F(InteractionTest, ArrowKeysScrollOrJumpByScore) {
    PersonItem* current = add("Cur", 0, 0);
    PersonItem* tieFirst = add("Tie", -40, -40);  // 40 + Round(60) = 100
    PersonItem* straight = add("Up", 0, -100);    // 100, later in order: loses the tie
    add("Far", 50, -60);                            // 60 + 75 = 135
    add("Below", 0, 100);
    in.keyPress(Qt::Key_Up, Qt::NoModifier);
    EXPECT_EQ(view.offsetY, 63);
    EXPECT_EQ(surface.repaints, 1);
    view.zoom = 50;
    in.keyPress(Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(view.offsetX, 126);  // Round(63 / 0.5)

    view = ViewState{};
    store.currentItem = current;
    EXPECT_EQ(in.nearestItem(Qt::Key_Up), tieFirst);
    straight->X = 1;  // 100 + Round(1.5) = 102
    tieFirst->X = -41;  // 40 + Round(61.5) = 102: the earlier still wins the tie
    EXPECT_EQ(in.nearestItem(Qt::Key_Up), tieFirst);
    tieFirst->X = -42;
    EXPECT_EQ(in.nearestItem(Qt::Key_Up), straight);

    in.keyPress(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(store.currentItem, straight);
    EXPECT_EQ(view.zoom, 100);
    EXPECT_EQ(view.offsetX, 400 - 1 - 70);
    EXPECT_EQ(view.offsetY, 300 + 100 - 32);
    EXPECT_EQ(surface.status, "Up  ( - )");

    // Nothing further up: the current item stays and is centred.
    store.currentItem = straight;
    straight->Y = -1000;
    view.offsetX = 5;
    in.keyPress(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(store.currentItem, straight);
    EXPECT_EQ(view.offsetY, 300 + 1000 - 32);
}

TEST_F(InteractionTest, CtrlArmsZoomToAreaAndAltArmsPanning) {
    add("A", 0, 0);
    in.keyPress(Qt::Key_Control, Qt::ControlModifier);
    EXPECT_TRUE(in.zoomToAreaMode);
    EXPECT_TRUE(in.areaSticky);
    EXPECT_TRUE(surface.zoomToAreaChecked);
    EXPECT_EQ(surface.cursor, CanvasCursor::Cross);
    in.keyRelease(Qt::Key_Control, Qt::ControlModifier);  // modifiers as reported before the release
    EXPECT_FALSE(in.zoomToAreaMode);
    EXPECT_FALSE(surface.zoomToAreaChecked);
    EXPECT_EQ(surface.cursor, CanvasCursor::Arrow);

    // Ctrl held: a band with the window's proportions zooms and re-arms.
    in.keyPress(Qt::Key_Control, Qt::ControlModifier);
    press(100, 50);  // on the item, but nothing is hit in this mode
    EXPECT_TRUE(in.rubberBand);
    move(500, 999);
    EXPECT_EQ(store.pointerY, 350);  // Round(600 / 800 * 400 + 50)
    EXPECT_FALSE(surface.frameDotted.back());
    release(500, 999);
    EXPECT_DOUBLE_EQ(view.zoom, 200);  // 800 * 100 / 400
    EXPECT_EQ(view.offsetX, -100);
    EXPECT_EQ(view.offsetY, -50);
    EXPECT_TRUE(in.zoomToAreaMode);
    EXPECT_TRUE(in.areaSticky);
    EXPECT_EQ(surface.cursor, CanvasCursor::Cross);
    in.keyRelease(Qt::Key_Control, Qt::ControlModifier);
    EXPECT_FALSE(in.zoomToAreaMode);

    // Alt: a press pans; the boxes follow the mouse as silver rectangles.
    view = ViewState{};
    in.keyPress(Qt::Key_Alt, Qt::AltModifier);
    EXPECT_TRUE(in.panArmed);
    EXPECT_EQ(surface.cursor, CanvasCursor::PointingHand);
    press(300, 300);
    EXPECT_TRUE(in.panning);
    EXPECT_EQ(surface.backgroundFills, 1);
    EXPECT_EQ(surface.silverBoxes, 1);
    move(250, 320);
    EXPECT_EQ(view.offsetX, -50);
    EXPECT_EQ(view.offsetY, 20);
    EXPECT_EQ(surface.erasedBoxes, 1);
    const int before = surface.repaints;
    release(250, 320);
    EXPECT_FALSE(in.panning);
    EXPECT_EQ(surface.repaints, before + 1);
    EXPECT_FALSE(in.panArmed);  // every paint disarms
}

TEST_F(InteractionTest, DoubleClickGoesToAliasAndSwallowsItsPress) {
    PersonItem* a = add("A", 0, 0);
    int calls = 0;
    in.goToAliasEntry = [&] { ++calls; };
    press(10, 10);
    release(10, 10);
    in.doubleClick({10, 10});
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(in.ignoreNextMouseDown);
    store.currentItem = nullptr;
    press(10, 10);
    EXPECT_EQ(store.currentItem, nullptr);  // ignored
    EXPECT_FALSE(in.ignoreNextMouseDown);
    press(10, 10);
    EXPECT_EQ(store.currentItem, a);

    // Without a hook the view centres the current item keeping the zoom.
    in.goToAliasEntry = nullptr;
    view.zoom = 50;
    in.doubleClick({10, 10});
    EXPECT_EQ(view.zoom, 50);
}

// Qt reports a double-click as press, release, press, double-click, release.
TEST_F(InteractionTest, TheDoubleClicksOwnPressStartsNoGesture) {
    PersonItem* original = add("Original", 0, 0);
    PersonItem* alias = add("Alias", 600, 400);
    PersonItem* other = add("Other", 300, 300);
    in.goToAliasEntry = [&] {
        store.currentItem = alias;
        centreItemKeepingZoom(alias, view, in.window);
        in.repaint();
    };
    press(10, 10);
    release(10, 10);
    press(10, 10);
    in.doubleClick({10, 10});
    press(10, 10);  // the press that comes with the double-click is ignored
    move(12, 11);   // the hand trembles before the release
    release(12, 11);
    EXPECT_EQ(store.currentItem, alias);
    EXPECT_EQ(alias->X, 600);
    EXPECT_EQ(alias->Y, 400);
    EXPECT_FALSE(store.modified);
    EXPECT_EQ(original->X, 0);

    // On empty canvas the view centres on the pointer; the band of the second press selects nothing.
    in.goToAliasEntry = nullptr;
    view = ViewState{};
    press(250, 150);
    release(250, 150);
    press(250, 150);
    in.doubleClick({250, 150});
    press(250, 150);
    move(400, 500);
    release(400, 500);
    EXPECT_FALSE(in.rubberBand);
    EXPECT_TRUE(store.selectionList().empty());
    EXPECT_FALSE(other->Selected);
}

TEST_F(InteractionTest, HoverHintStatusTextAndToolbar) {
    PersonItem* a = add("Ann", 0, 0);
    a->LastName = "Lee";
    a->BornDate = "1900";
    a->PictureFile = "a.jpg";
    PersonItem* b = add("Bob", 200, 0);
    b->Sex = "m";
    b->NotesFile = "b.txt";
    move(10, 10);
    EXPECT_EQ(surface.hint, "Ann Lee\r\n(1900 - )\r\n[Female]\r\n[Picture]");
    EXPECT_TRUE(surface.hintsOn);
    EXPECT_EQ(surface.status, "Ann Lee (1900 - )");
    move(210, 10);  // another item: the hint closes for one move, then opens with the new text
    EXPECT_FALSE(surface.hintsOn);
    EXPECT_EQ(surface.hint, "Bob \r\n( - )\r\n[Male]\r\n[Additional notes]");
    move(211, 10);
    EXPECT_TRUE(surface.hintsOn);
    move(500, 500);
    EXPECT_FALSE(surface.hintsOn);
    EXPECT_EQ(surface.status, "");

    a->FirstName = std::string(100, 'x');
    a->LastName = std::string(100, 'y');
    a->BornDate = std::string(35, '1');
    a->DiedDate = std::string(35, '2');
    EXPECT_EQ(in.statusTextFor(*a).size(), 255);
    EXPECT_TRUE(in.hintTextFor(*a).endsWith("[Female]\r\n[Picture]"));
    EXPECT_EQ(in.hintTextFor(*a).size(), 255 + 19);

    // The toolbar follows the current item.
    surface.toolbar.clear();
    press(210, 10);
    move(210, 10);
    ASSERT_EQ(surface.toolbar.size(), 1u);
    EXPECT_EQ(surface.toolbar[0], std::make_pair(true, true));
    b->Father = a;
    move(211, 10);
    EXPECT_EQ(surface.toolbar.size(), 1u);  // same item: not updated again
    release(211, 10);
    press(500, 500);
    move(500, 500);
    EXPECT_EQ(surface.toolbar.back(), std::make_pair(false, false));
}

TEST_F(InteractionTest, PlacingANewItemHangsItUnderThePointer) {
    store.pointerX = 300;
    store.pointerY = 200;
    PersonItem* item = in.beginPlacingNewItem();
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(in.dragging);
    EXPECT_EQ(surface.paintsWithoutErase, 1);
    move(400, 250);
    EXPECT_EQ(item->X, 332);  // ((400 - 70) div 5) * 5 + 2
    EXPECT_EQ(item->Y, 217);
    int opened = 0;
    in.editProperties = [&] { ++opened; };
    press(400, 250);
    release(400, 250);
    EXPECT_FALSE(in.dragging);
    EXPECT_EQ(opened, 1);
}

TEST_F(InteractionTest, DeletingTheCurrentItemEndsItsGesture) {
    PersonItem* a = add("A", 0, 0);
    PersonItem* b = add("B", 300, 0);
    int opened = 0;
    in.editProperties = [&] { ++opened; };

    // The new item hanging under the pointer is deleted with the Del key before it is dropped.
    store.pointerX = 300;
    store.pointerY = 300;
    ASSERT_NE(in.beginPlacingNewItem(), nullptr);
    store.deleteItem();
    store.modified = false;
    EXPECT_FALSE(in.dragging);
    // A click on another item is then a click: it neither snaps the item nor opens the dialog.
    press(10, 10);
    move(11, 10);
    release(11, 10);
    EXPECT_EQ(a->X, 0);
    EXPECT_EQ(a->Y, 0);
    EXPECT_FALSE(store.modified);
    EXPECT_EQ(opened, 0);

    // The child that waits for its father is deleted: the next press links nothing.
    store.currentItem = b;
    in.linkFatherPending = true;
    store.deleteItem();
    EXPECT_FALSE(in.anyLinkPending());
    press(10, 10);
    EXPECT_EQ(store.currentItem, a);
    EXPECT_EQ(a->Sex.str(), "");
    EXPECT_TRUE(in.dragPending);  // an ordinary press on an item
    release(10, 10);
}

TEST_F(InteractionTest, NewItemAtTheVeryEndOfTheCanvas) {
    constexpr int kMin = std::numeric_limits<int>::min();
    store.pointerX = kMin + 10;  // less than the box's half width from the end
    store.pointerY = 200;
    PersonItem* item = in.beginPlacingNewItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->X, kMin);  // not wrapped round to the far right
    EXPECT_EQ(item->Y, 163);   // ((200 - 32) div 5) * 5 - 2
    move(30, 30);
    EXPECT_LT(item->X, 0);
}

TEST(PopupMenuState, FollowsTheCurrentItemAndSelection) {
    ItemStore store;
    PopupMenuState none = computePopupMenuState(store);
    EXPECT_TRUE(none.newItem.visible);
    EXPECT_FALSE(none.editProperties.enabled);
    EXPECT_FALSE(none.deleteLinkFather.visible);
    EXPECT_FALSE(none.deleteLinkSubEnabledApplies);
    EXPECT_EQ(none.goToFatherEntry.caption, "&Father");

    PersonItem* father = addPerson(store, "Tom", "Lee");
    PersonItem* alias = addPerson(store, "Ann", "Lee");
    alias->Kind = "REF";
    alias->Father = father;
    father->Kind = "ALIAS";
    store.currentItem = alias;
    PopupMenuState m = computePopupMenuState(store);
    EXPECT_FALSE(m.newItem.visible);
    EXPECT_TRUE(m.editProperties.enabled);
    EXPECT_FALSE(m.linkToFather.enabled);  // an alias has no parents of its own
    EXPECT_TRUE(m.linkToSpouse.enabled);
    EXPECT_TRUE(m.deleteLinkFather.visible);
    EXPECT_FALSE(m.deleteLinkFather.enabled);
    EXPECT_FALSE(m.goToFatherEntry.enabled);
    EXPECT_EQ(m.goToAliasEntry.caption, "&Original");
    EXPECT_FALSE(m.makeAliasAction.enabled);

    PersonItem* child = addPerson(store, "Kim", "Lee");
    child->Father = father;
    PopupMenuState c = computePopupMenuState(store);
    EXPECT_TRUE(c.goToFatherEntry.enabled);
    EXPECT_EQ(c.goToFatherEntry.caption, "&Father: Tom Lee");
    EXPECT_FALSE(c.goToAliasEntry.enabled);
    EXPECT_TRUE(c.makeAliasAction.enabled);
    EXPECT_FALSE(c.makeThisAliasAction.enabled);  // it has a father
    EXPECT_FALSE(c.listOfSpouses.enabled);
    store.currentItem = father;
    EXPECT_EQ(computePopupMenuState(store).goToAliasEntry.caption, "&Alias");

    store.addToSelection(child);
    PopupMenuState sel = computePopupMenuState(store);
    EXPECT_FALSE(sel.editProperties.enabled);
    EXPECT_TRUE(sel.deleteItem.enabled);
    EXPECT_TRUE(sel.alignItems.enabled);
    EXPECT_FALSE(sel.deleteLinkFather.visible);
    EXPECT_TRUE(sel.goToAliasEntry.enabled);  // needs only a current item
}

}  // namespace
