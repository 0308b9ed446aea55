#include "reports/chart_pages.h"
#include "reports/poster.h"

#include "canvas/canvas_test_support.h"
#include "document/item_store.h"
#include "recording_device.h"
#include "support/test_font.h"
#include "support/test_support.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace kinloom;
using kinloom::test::addPerson;
using kinloom::test::RecordingPage;

namespace {

TEST(ChartPagesTest, PagesCoverTheDrawingAndCentreIt) {
    // A4 landscape at 300 dpi is 3508 x 2480; 10 mm are 118 pixels.
    const QSize a4(3508, 2480);
    const struct Case {
        const char* what;
        QSize drawing, page;
        int margin, overlap;
        int columns, rows;
        QPoint offset;
    } cases[] = {
        {"small: one page, centred", {1000, 500}, a4, 0, 0, 1, 1, {1254, 990}},
        {"exactly one page", {3508, 2480}, a4, 0, 0, 1, 1, {0, 0}},
        {"one pixel too wide", {3509, 2480}, a4, 0, 0, 2, 1, {1753, 0}},
        {"a wide tree: 6 x 2, not 6 x 6", {20000, 4000}, a4, 0, 0, 6, 2, {524, 480}},
        // Content 3272 x 2244, steps 3154 x 2126: 1 + ceil(6728 / 3154) = 4, 1 + ceil(756 / 2126) = 2.
        {"margins and overlap", {10000, 3000}, a4, 118, 118, 4, 2, {1367, 685}},
        {"overlap only", {7000, 2000}, a4, 0, 118, 3, 1, {(3 * 3508 - 2 * 118 - 7000) / 2, 240}},
        {"portrait custom roll", {5000, 30000}, {10795, 59055}, 0, 0, 1, 1, {2897, 14527}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PageGrid grid = gridCovering(c.drawing, c.page, c.margin, c.overlap);
        ASSERT_TRUE(grid.isValid());
        EXPECT_EQ(grid.columns, c.columns);
        EXPECT_EQ(grid.rows, c.rows);
        EXPECT_EQ(grid.offset, c.offset);
        // Every pixel of the drawing lies on some page's content, and one column or row fewer would not do.
        EXPECT_GE(grid.total().width(), c.drawing.width());
        EXPECT_GE(grid.total().height(), c.drawing.height());
        if (grid.columns > 1) {
            EXPECT_LT(grid.total().width() - grid.stepX(), c.drawing.width());
        }
        if (grid.rows > 1) {
            EXPECT_LT(grid.total().height() - grid.stepY(), c.drawing.height());
        }
    }

    // Where each page's content comes from: page 5 is row 2, column 2.
    const PageGrid grid = gridCovering({10000, 3000}, a4, 118, 118);
    EXPECT_EQ(grid.shownArea(5), QRect(3154, 2126, 3272, 2244));
    EXPECT_EQ(grid.pageOrigin(5), QPoint(118 - 3154, 118 - 2126));
    EXPECT_EQ(grid.contentRect(), QRect(118, 118, 3272, 2244));
    // An overlap that leaves nothing of a page makes no grid.
    EXPECT_FALSE(gridCovering({1000, 1000}, {200, 200}, 50, 100).isValid());
    // n x n pages: the poster's own arithmetic with no margin and no overlap.
    const PageGrid poster = gridOf(3, a4, 0, 0);
    EXPECT_EQ(poster.total(), QSize(3 * 3508, 3 * 2480));
    EXPECT_EQ(poster.pageOrigin(4), QPoint(-3508, -2480));
}

TEST(ChartPagesTest, PapersByNameOrSize) {
    const struct {
        const char* text;
        std::optional<QSizeF> size;
    } cases[] = {
        {"A0", QSizeF(841, 1189)},        {"a3", QSizeF(297, 420)},          {"A5", QSizeF(148, 210)},
        {"Letter", QSizeF(215.9, 279.4)}, {"LEGAL", QSizeF(215.9, 355.6)},   {"tabloid", QSizeF(279.4, 431.8)},
        {"914x1500mm", QSizeF(914, 1500)}, {"610.5 X 2000 MM", QSizeF(610.5, 2000)},
        {"A6", std::nullopt},             {"914x1500", std::nullopt},        {"5x100mm", std::nullopt},
        {"100x200000mm", std::nullopt},   {"x100mm", std::nullopt},          {"", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(parsePaper(c.text), c.size);
    }
    EXPECT_EQ(paperChoices(), "A0|A1|A2|A3|A4|A5|Letter|Legal|Tabloid|WxHmm");
    EXPECT_EQ(millimetresToPixels(10, 300), 118);
    EXPECT_EQ(pointsToPixels(8, 300), 33);
}

class ReadableChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        kinloom::test::ensureGuiApplication();
        font = kinloom::test::loadTestFont();
        ASSERT_FALSE(font.isEmpty());
    }
    // Boxes 30 mm wide, drawn in the test font.
    PosterSettings boxesOf30mm() const {
        PosterSettings settings;
        settings.fontName = font;
        settings.scale = ChartScale::BoxWidth;
        settings.boxWidthMm = 30;
        return settings;
    }
    ItemStore store;
    QString font;
    const QSize a4{3508, 2480};
};

// Two boxes 1400 units apart with boxes 30 mm wide at 300 dpi: 2.5309 pixels a unit, a drawing of
// Round(2.5309 x 1540) + 1 = 3899 by Round(2.5309 x 65) + 1 = 166 pixels, two A4 pages across.
TEST_F(ReadableChartTest, BoxWidthOnPaperGivesThePages) {
    addPerson(store, "Ann", "Lee", 0, 0);
    addPerson(store, "Bob", "Lee", 1400, 0);
    PosterSettings settings = boxesOf30mm();
    const PosterLayout layout(store, settings, a4, 300);
    ASSERT_EQ(layout.pageCount(), 2);
    EXPECT_EQ(layout.grid().offset, QPoint((7016 - 3899) / 2, (2480 - 166) / 2));
    EXPECT_EQ(layout.boxOf(0), QRect(1558, 1157, 354, 165));
    // Its right edge is Round(2.5309 x 1540) = 3898 from the drawing's left: the boxes' widths
    // differ by the rounding of their corners.
    EXPECT_EQ(layout.boxOf(1), QRect(1558 + 3543, 1157, 355, 165));

    RecordingPage page(a4);
    const auto draw = [&](int index) {
        page.clear();
        QPainter painter(&page);
        layout.drawPage(painter, index);
    };
    draw(0);
    ASSERT_EQ(page.rects.size(), 1u);
    EXPECT_EQ(page.rects[0], QRect(1558, 1157, 353, 164));
    draw(1);
    ASSERT_EQ(page.rects.size(), 1u);
    EXPECT_EQ(page.rects[0], QRect(5101 - 3508, 1157, 354, 164));
    const auto texts = page.textStrings();
    EXPECT_NE(std::find(texts.begin(), texts.end(), QString("Bob")), texts.end());
    EXPECT_EQ(std::find(texts.begin(), texts.end(), QString("Ann")), texts.end());

    // The text size on paper: 8 points at 300 dpi are 33 pixels of the font's size, whatever the
    // tree font's size on screen.
    for (const int screenSize : {10, 16, 31}) {
        SCOPED_TRACE(screenSize);
        settings.scale = ChartScale::TextSize;
        settings.textSizePt = 8;
        settings.fontSize = screenSize;
        const PosterLayout bySize(store, settings, a4, 300);
        page.clear();
        QPainter painter(&page);
        bySize.drawPage(painter, 0);
        painter.end();
        const auto ann = std::find_if(page.texts.begin(), page.texts.end(), [](const auto& t) { return t.text == "Ann"; });
        ASSERT_NE(ann, page.texts.end());
        EXPECT_NEAR(ann->pixelSize, 33, 1);
    }
}

// Three boxes in the corners of 3 x 2 pages, a line from the bottom right one to the top left one:
// the line crosses the pages of row 1, column 2 and of row 2, columns 2 and 3; row 2, column 1 stays
// empty (though inside the line's bounding box) and is left out when asked.
TEST_F(ReadableChartTest, EmptyPagesAreLeftOutWhenAsked) {
    PersonItem* a = addPerson(store, "Ann", "Lee", 0, 0);
    addPerson(store, "Bob", "Lee", 2800, 0);
    PersonItem* c = addPerson(store, "Cy", "Lee", 2800, 1800);
    c->Father = a;
    PosterSettings settings = boxesOf30mm();
    const PosterLayout all(store, settings, a4, 300);
    ASSERT_EQ(all.grid().columns, 3);
    ASSERT_EQ(all.grid().rows, 2);
    EXPECT_EQ(all.pageCount(), 6);
    EXPECT_EQ(describePages(all), "6 pages (3 columns x 2 rows)");

    settings.leaveOutEmptyPages = true;
    const PosterLayout some(store, settings, a4, 300);
    ASSERT_EQ(some.pageCount(), 5);
    std::vector<int> printed;
    for (int i = 0; i < some.pageCount(); ++i) printed.push_back(some.gridIndexOf(i));
    EXPECT_EQ(printed, (std::vector<int>{0, 1, 2, 4, 5}));
    EXPECT_EQ(some.pageLabel(3), "row 2, column 2");
    EXPECT_EQ(describePages(some), "5 pages (3 columns x 2 rows, 1 empty left out)");
    // The fourth printed page carries the line, no box.
    RecordingPage page(a4);
    QPainter painter(&page);
    some.drawPage(painter, 3);
    painter.end();
    EXPECT_TRUE(page.rects.empty());
    EXPECT_EQ(page.lines.size(), 1u);
}

}  // namespace
