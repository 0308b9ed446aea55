// The wheel, the middle button, fitting the tree, Escape, and painting on a 2x screen.
#include "canvas/fit_view.h"
#include "canvas/interaction.h"
#include "canvas/paint_tree.h"
#include "canvas/view_math.h"
#include "canvas/zoom.h"
#include "canvas_test_support.h"
#include "document/item_store.h"
#include "recording_surface.h"
#include "support/test_support.h"

#include <QImage>
#include <QSet>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

using namespace kinloom;
using kinloom::test::addPerson;

namespace {

class ViewNavigationTest : public ::testing::Test {
protected:
    ItemStore store;
    ViewState view;
    test::RecordingSurface surface;
    CanvasInteraction in{store, view, surface};
    void SetUp() override { in.window = {800, 600}; }

    // Where a canvas point lies on the screen, unrounded.
    QPointF screenOf(double cx, double cy) const {
        const double s = view.zoom * 0.01;
        return {(cx + view.offsetX) * s, (cy + view.offsetY) * s};
    }
};

TEST_F(ViewNavigationTest, CtrlWheelZoomsAboutThePointerAndKeepsZoomToAreaArmed) {
    in.keyPress(Qt::Key_Control, Qt::ControlModifier);  // Ctrl alone arms zoom to area
    ASSERT_TRUE(in.zoomToAreaMode);
    struct Case { QPoint pointer; int notches; double zoom; };
    // Zoom in steps x1.25 while below 200 %, out x0.8 while above 1 %, as Zoom In and Zoom Out.
    const Case cases[] = {{{400, 300}, 1, 125}, {{13, 577}, 2, 195.3125}, {{799, 0}, -3, 100},
                          {{250, 100}, -5, 32.768}, {{640, 480}, 3, 64}};
    view = {100, -37, 52};
    for (const Case& c : cases) {
        const double s = view.zoom * 0.01;
        const double cx = c.pointer.x() / s - view.offsetX, cy = c.pointer.y() / s - view.offsetY;
        const int repaints = surface.repaints;
        in.wheel(c.pointer, {0, 120 * c.notches}, {}, Qt::ControlModifier);
        EXPECT_NEAR(view.zoom, c.zoom, 1e-9);
        const QPointF after = screenOf(cx, cy);
        EXPECT_LE(std::abs(after.x() - c.pointer.x()), 1.0) << c.notches;
        EXPECT_LE(std::abs(after.y() - c.pointer.y()), 1.0) << c.notches;
        EXPECT_EQ(surface.repaints, repaints + 1);
    }
    EXPECT_TRUE(in.zoomToAreaMode);
    EXPECT_TRUE(surface.zoomToAreaChecked);
    EXPECT_TRUE(in.areaSticky);

    // A fine wheel sends a notch in parts; nothing happens before the notch is complete.
    in.wheel({400, 300}, {0, 60}, {}, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.zoom, 64);
    in.wheel({400, 300}, {0, 60}, {}, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.zoom, 80);
    // At the limits a notch changes nothing and paints nothing.
    view.zoom = 248.75;
    const int repaints = surface.repaints;
    in.wheel({400, 300}, {0, 120}, {}, Qt::ControlModifier);
    EXPECT_EQ(view.zoom, 248.75);
    EXPECT_EQ(surface.repaints, repaints);
}

TEST_F(ViewNavigationTest, WheelAndTouchpadScroll) {
    in.scrollStep = 62;
    struct Case { QPoint angle, pixels; Qt::KeyboardModifiers mods; double zoom; int dx, dy; };
    const Case cases[] = {
        {{0, 120}, {}, Qt::NoModifier, 100, 0, 62},          // away from you: the tree moves down, as Up
        {{0, -240}, {}, Qt::NoModifier, 100, 0, -124},
        {{0, 120}, {}, Qt::ShiftModifier, 100, 62, 0},       // Shift: sideways
        {{-120, 0}, {}, Qt::ShiftModifier, 100, -62, 0},     // already turned by the window system
        {{0, -120}, {}, Qt::NoModifier, 50, 0, -124},        // canvas units at 50 %
        {{-30, 45}, {-7, 9}, Qt::NoModifier, 100, -7, 9},    // a touchpad's pixels win over its angle
        {{0, 0}, {0, 3}, Qt::NoModifier, 200, 0, 1},         // 1.5 units: one now ...
        {{0, 0}, {0, 3}, Qt::NoModifier, 200, 0, 2},         // ... and the half carried over
    };
    for (const Case& c : cases) {
        view.zoom = c.zoom;
        const int x0 = view.offsetX, y0 = view.offsetY;
        in.wheel({10, 10}, c.angle, c.pixels, c.mods);
        EXPECT_EQ(view.offsetX - x0, c.dx) << c.angle.x() << "," << c.angle.y();
        EXPECT_EQ(view.offsetY - y0, c.dy) << c.angle.x() << "," << c.angle.y();
    }
    EXPECT_EQ(view.zoom, 200);
}

TEST_F(ViewNavigationTest, WheelDuringAGestureDrawsItAgainAtTheNewView) {
    PersonItem* a = addPerson(store, "A", "", 0, 0);
    store.currentItem = a;
    in.dragX = 70;
    in.dragY = 32;
    in.linkFatherPending = true;
    in.mouseMove({300, 200});
    const size_t lines = surface.lines.size();
    in.wheel({300, 200}, {0, 120}, {}, Qt::NoModifier);
    // The repaint wiped the rubber line; it is drawn once more so that the next move erases it.
    ASSERT_EQ(surface.lines.size(), lines + 1);
    EXPECT_EQ(surface.lines.back().first, QPoint(toScreenX(view, 70), toScreenY(view, 32)));
    EXPECT_TRUE(in.linkFatherPending);
}

TEST_F(ViewNavigationTest, MiddleButtonDragsTheViewAndPicksNothing) {
    PersonItem* a = addPerson(store, "A", "", 0, 0);
    PersonItem* b = addPerson(store, "B", "", 300, 0);
    store.currentItem = a;
    store.modified = false;
    view.zoom = 50;
    in.mousePress({160, 10}, Qt::MiddleButton);  // over B
    EXPECT_EQ(surface.cursor, CanvasCursor::ClosedHand);
    in.mouseMove({165, 7});
    in.mouseMove({171, 4});  // 11 and -6 pixels: 22 and -12 canvas units
    EXPECT_EQ(view.offsetX, 22);
    EXPECT_EQ(view.offsetY, -12);
    in.mousePress({171, 4}, Qt::LeftButton);  // ignored while the view is dragged
    in.mouseRelease({171, 4}, Qt::MiddleButton);
    EXPECT_EQ(store.currentItem, a);
    EXPECT_FALSE(in.dragPending || in.dragging || in.rubberBand);
    EXPECT_EQ(surface.cursor, CanvasCursor::Arrow);
    EXPECT_EQ(b->X, 300);
    EXPECT_FALSE(store.modified);
}

TEST_F(ViewNavigationTest, EscapeCancelsLinksDragsAndBandsOnly) {
    PersonItem* child = addPerson(store, "Child", "", 0, 0);
    PersonItem* other = addPerson(store, "Other", "", 300, 300);
    store.currentItem = child;
    store.modified = false;

    // A pending link: the rubber line is erased, the next click on empty canvas makes nothing.
    in.dragX = 70;
    in.dragY = 32;
    in.linkFatherPending = true;
    in.mouseMove({500, 100});
    const auto line = surface.lines.back();
    in.keyPress(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(in.anyLinkPending());
    EXPECT_EQ(surface.lines.back(), line);  // drawn again: erased
    in.mousePress({500, 100}, Qt::LeftButton);
    in.mouseRelease({500, 100});
    EXPECT_EQ(store.itemCount(), 2);
    EXPECT_EQ(child->Father, nullptr);
    EXPECT_FALSE(store.modified);

    // A drag goes back where it began and the tree is as unmodified as before.
    in.mousePress({310, 310}, Qt::LeftButton);
    in.mouseMove({400, 390});
    ASSERT_TRUE(in.dragging);
    ASSERT_NE(other->X, 300);
    in.keyPress(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_EQ(other->X, 300);
    EXPECT_EQ(other->Y, 300);
    EXPECT_FALSE(store.modified);
    in.mouseMove({450, 450});
    in.mouseRelease({450, 450});
    EXPECT_EQ(other->X, 300);

    // A band is erased and selects nothing at the release.
    in.mousePress({700, 10}, Qt::LeftButton);
    in.mouseMove({20, 500});
    const size_t frames = surface.frames.size();
    in.keyPress(Qt::Key_Escape, Qt::NoModifier);
    ASSERT_EQ(surface.frames.size(), frames + 1);
    EXPECT_EQ(surface.frames.back(), surface.frames[frames - 1]);
    in.mouseRelease({20, 500});
    EXPECT_TRUE(store.selectionList().empty());

    // With nothing in progress Escape changes nothing.
    const ViewState before = view;
    EXPECT_FALSE(in.cancelGesture());
    EXPECT_EQ(view.offsetX, before.offsetX);
}

TEST_F(ViewNavigationTest, FitPlacesEveryItemInsideTheClientArea) {
    const QSize client(640, 400);
    // Empty: nothing changes.
    in.fitWholeTree(client);
    EXPECT_EQ(view.zoom, 100);
    EXPECT_EQ(surface.repaints, 0);

    // Worked example: boxes over 1001 x 501 units (the shadow included) and 20 units of margin on
    // each side: zoom = min(640 / 1041, 400 / 541) -> 61.48 %, centred.
    addPerson(store, "A", "", -200, 100);
    PersonItem* b = addPerson(store, "B", "", 660, 535);
    in.fitWholeTree(client);
    EXPECT_NEAR(view.zoom, 64000.0 / 1041, 1e-9);
    for (const PersonItem* item = store.firstItem(); item; item = item->Next) {
        const QRect box = boxEdgesOf(*item, view).rect();
        EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(box)) << item->FirstName.str();
    }
    // Small trees are not blown up beyond 100 %; showing the tree whole after opening leaves them be.
    EXPECT_FALSE(in.showWholeTreeIfLarge({4000, 4000}));
    EXPECT_TRUE(in.showWholeTreeIfLarge(client));
    EXPECT_LT(view.zoom, 100);

    // Fit Selection: the selected items, else the current item, at most 100 %, centred.
    store.clearSelection();
    store.currentItem = b;
    in.fitSelection(client);
    EXPECT_EQ(view.zoom, 100);
    const BoxEdges e = boxEdgesOf(*b, view);
    EXPECT_NEAR(e.left + e.right, 640, 1);
    EXPECT_NEAR(e.top + e.bottom, 400, 1);

    // The shared fit keeps its old answers for the command line's pictures.
    EXPECT_EQ(fitWholeTree(store, {0, 0}).zoom, 100);
    EXPECT_EQ(fitWholeTree(store, client, 25.0).zoom, 25);
}

TEST(HiDpiPaint, TwiceThePixelsAndTheSameBoxGeometry) {
    test::ensureGuiApplication();
    ItemStore store;
    PersonItem* a = addPerson(store, "Ann", "Lee", 10, 10);
    a->BornDate = "1875";
    PersonItem* b = addPerson(store, "Bob", "", 300, 150);
    a->Father = b;
    store.currentItem = a;  // inverted
    const ViewState view{80, 5, 5};
    const QSize size(400, 300);
    QImage plain(size, QImage::Format_RGB32), sharp(size * 2, QImage::Format_RGB32);
    sharp.setDevicePixelRatio(2);
    for (QImage* image : {&plain, &sharp}) {
        image->fill(kCanvasBackground);
        QPainter painter(image);
        paintTree(painter, store, view, size, PaintSettings{});
    }
    EXPECT_EQ(sharp.size(), QSize(800, 600));
    // Every box edge, fill and inverted highlight lands on the same logical pixels: away from the texts
    // each logical pixel is a 2 x 2 square of the same colour in the sharp picture.
    for (const PersonItem* item : {a, b}) {
        const QRect box = boxEdgesOf(*item, view).rect();
        for (const QPoint p : {box.topLeft(), box.bottomRight(), QPoint(box.left(), box.bottom()),
                               QPoint(box.right() + 1, box.top() + 5), QPoint(box.left() + 3, box.bottom() + 1)})
            for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                EXPECT_EQ(sharp.pixel(p * 2 + d), plain.pixel(p)) << item->FirstName.str() << " " << p.x() << "," << p.y();
    }
    // The texts are smoothed: the edges of the letters take shades between black and white.
    const QRect text = boxEdgesOf(*a, view).rect();
    QSet<QRgb> shades;
    for (int y = text.top() * 2; y < text.bottom() * 2; ++y)
        for (int x = text.left() * 2; x < text.right() * 2; ++x) shades.insert(sharp.pixel(x, y));
    EXPECT_GT(shades.size(), 3);
}

}  // namespace
