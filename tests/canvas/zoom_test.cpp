#include "canvas/view_math.h"
#include "canvas/zoom.h"
#include "document/person_item.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kinloom;

TEST(ViewMath, ScreenAndCanvasRoundHalfToEven) {
    const ViewState v{50, 3, 0};
    EXPECT_EQ(toScreenX(v, 2), 2);   // 5 * 0.5 = 2.5 -> 2
    EXPECT_EQ(toScreenX(v, 4), 4);   // 3.5 -> 4
    EXPECT_EQ(toCanvasX(v, 10), 17);  // (10 - 1.5) / 0.5 = 17
    EXPECT_EQ(toCanvasY(ViewState{80, 0, 0}, 2), 2);  // 2.5 -> 2
    PersonItem item;
    item.X = 1;
    item.Y = 1;
    const BoxEdges e = boxEdgesOf(item, ViewState{50, 0, 0});
    EXPECT_EQ(e.left, 0);     // 0.5 -> 0
    EXPECT_EQ(e.right, 70);   // 70.5 -> 70
    EXPECT_EQ(e.bottom, 33);  // 33
}

TEST(zoom, ZoomToKeepsTheWindowCentre) {
    ViewState v{100, 0, 0};
    const WindowSize w{800, 600};
    zoomKeepingCentre(v, w, 200);
    EXPECT_EQ(v.zoom, 200);
    EXPECT_EQ(v.offsetX, -200);  // Round((400 - 800) * 0.5)
    EXPECT_EQ(v.offsetY, -150);
    zoomKeepingCentre(v, w, 50);
    EXPECT_EQ(v.offsetX, 400);  // -200 + Round((1600 - 400) * 0.5)
    EXPECT_EQ(v.offsetY, 300);
}

TEST(zoom, StepsInAndOutWithTheirLimits) {
    const WindowSize w{800, 600};
    ViewState v{199, 0, 0};
    EXPECT_TRUE(zoomIn(v, w));
    EXPECT_DOUBLE_EQ(v.zoom, 248.75);
    EXPECT_EQ(v.offsetX, -40);  // Round(100 / 2.4875) = Round(40.2)
    EXPECT_EQ(v.offsetY, -30);
    EXPECT_FALSE(zoomIn(v, w));
    EXPECT_DOUBLE_EQ(v.zoom, 248.75);

    ViewState out{1.2, 0, 0};
    EXPECT_TRUE(zoomOut(out, w));
    EXPECT_DOUBLE_EQ(out.zoom, 0.96);
    EXPECT_EQ(out.offsetX, 8333);  // Round(100 / 0.012), with the old scale
    EXPECT_EQ(out.offsetY, 6250);
    EXPECT_FALSE(zoomOut(out, w));
    EXPECT_DOUBLE_EQ(out.zoom, 0.96);

    ViewState mid{100, 0, 0};
    zoomIn(mid, w);
    EXPECT_EQ(mid.offsetX, -80);
    zoomOut(mid, w);
    EXPECT_DOUBLE_EQ(mid.zoom, 100);
    EXPECT_EQ(mid.offsetX, 0);
}

TEST(zoom, CentringAnItemAndZoomToArea) {
    const WindowSize w{801, 601};
    PersonItem item;
    item.X = 100;
    item.Y = -50;
    ViewState v{35, 7, 7};
    EXPECT_TRUE(centreItem(&item, v, w));
    EXPECT_EQ(v.zoom, 100);
    EXPECT_EQ(v.offsetX, 400 - 100 - 70);
    EXPECT_EQ(v.offsetY, 300 + 50 - 32);
    EXPECT_FALSE(centreItem(nullptr, v, w));

    ViewState kept{50, 0, 0};
    centreItemKeepingZoom(&item, kept, w);
    EXPECT_EQ(kept.zoom, 50);
    // The item's centre is in the middle of the window.
    EXPECT_NEAR(toScreenX(kept, item.X + 70), 400, 1);
    EXPECT_NEAR(toScreenY(kept, item.Y + 32), 300, 1);

    ViewState area{50, 0, 0};
    zoomToArea(area, {800, 600}, 300, 90, 300, 10);  // no width: only the corner moves
    EXPECT_EQ(area.zoom, 50);
    EXPECT_EQ(area.offsetX, -300);
    EXPECT_EQ(area.offsetY, -10);
    zoomToArea(area, {800, 600}, 301, 10, 300, 90);  // very narrow
    EXPECT_EQ(area.zoom, 200);
    zoomToArea(area, {800, 600}, -100, 0, 1500, 90);
    EXPECT_EQ(area.zoom, 50);
    EXPECT_EQ(area.offsetX, 100);
}

// Items and views at the ends of the int range: results stop at the ends instead of wrapping round.
TEST(ViewMath, ExtremeCoordinatesSaturateInsteadOfWrapping) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    // 1717986958 * 2.5 is 2^32 + 99: wrapped it would land at pixel 99 of the window.
    EXPECT_EQ(toScreenX(ViewState{250, 0, 0}, 1717986958), kMax);
    EXPECT_EQ(toScreenX(ViewState{250, 0, 0}, -1717986958), kMin);
    PersonItem far;
    far.X = kMax - 10;  // its right edge lies beyond the int range
    far.Y = kMin;
    const BoxEdges e = boxEdgesOf(far, ViewState{100, 0, 0});
    EXPECT_EQ(e.left, kMax - 10);
    EXPECT_EQ(e.right, kMax);
    EXPECT_EQ(e.top, kMin);
    EXPECT_EQ(e.bottom, kMin + 65);
    // A pointer over a view scrolled to the far end.
    EXPECT_EQ(toCanvasX(ViewState{0.8, kMin, 0}, 10), kMax);
    EXPECT_EQ(toCanvasX(ViewState{250, kMax, 0}, -10), kMin);

    const WindowSize w{800, 600};
    PersonItem low;
    low.X = kMin;
    low.Y = kMax - 20;
    ViewState v;
    EXPECT_TRUE(centreItem(&low, v, w));
    EXPECT_EQ(v.offsetX, kMax);           // 400 + 2^31 - 70 does not fit: as far as it goes
    EXPECT_EQ(v.offsetY, 300 - (kMax - 20) - 32);

    ViewState area{100, 0, 0};
    zoomToArea(area, w, kMin, kMin, kMax, 0);
    EXPECT_EQ(area.offsetX, kMax);
    EXPECT_EQ(area.offsetY, kMax);
    EXPECT_DOUBLE_EQ(area.zoom, 800.0 * 100 / 4294967295.0);

    ViewState edge{250, kMax - 5, kMin + 5};
    EXPECT_TRUE(zoomOut(edge, w));  // + Round(100 / 2.5) would pass the end
    EXPECT_EQ(edge.offsetX, kMax);
    EXPECT_EQ(edge.zoom, 200);
    ViewState small{0.9, kMin + 5, 0};
    EXPECT_TRUE(zoomIn(small, w));
    EXPECT_EQ(small.offsetX, kMin);
}
