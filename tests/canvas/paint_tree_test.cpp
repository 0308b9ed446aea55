#include "canvas/paint_tree.h"
#include "canvas/invert.h"
#include "canvas/render_tree.h"
#include "canvas/view_math.h"
#include "canvas_test_support.h"
#include "document/item_store.h"
#include "support/test_fonts.h"
#include "support/test_support.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <optional>

using namespace kinloom;
using kinloom::test::addPerson;

namespace {

const QRgb kBg = qRgb(64, 128, 128);

class PaintTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        kinloom::test::ensureGuiApplication();
        serif.emplace(kinloom::test::TestFont::Serif);
        ASSERT_FALSE(serif->family().isEmpty()) << "fonts-liberation is needed";
    }
    // The settings of a paint, in the font the test loaded.
    PaintSettings drawn() const {
        PaintSettings settings;
        settings.screenFontName = serif->family();
        return settings;
    }
    // Adds an item without making it current (no inverted box unless a test asks for one).
    PersonItem* add(const std::string& first, const std::string& last, int x, int y) {
        PersonItem* item = addPerson(store, first, last, x, y);
        store.currentItem = nullptr;
        return item;
    }

    QImage paint(const ViewState& view, const std::optional<PaintSettings>& settings = {}, QSize size = {400, 300}) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kBg);
        QPainter painter(&image);
        result = paintTree(painter, store, view, size, settings ? *settings : drawn());
        return image;
    }
    static QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xff000000u; }
    static int count(const QImage& image, QRect area, QRgb colour) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) n += at(image, x, y) == colour;
        return n;
    }
    // Smoothed text has shades at the edges of its strokes: near a colour is within `tolerance` in
    // each channel.
    static bool near(QRgb a, QRgb b, int tolerance) {
        return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
               std::abs(qBlue(a) - qBlue(b)) <= tolerance;
    }
    static int countNear(const QImage& image, QRect area, QRgb colour, int tolerance) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) n += near(at(image, x, y), colour, tolerance);
        return n;
    }
    // The longest horizontal run of one colour in an area (or of colours near it).
    static int longestRun(const QImage& image, QRect area, QRgb colour, int tolerance = 0) {
        int best = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            int run = 0;
            for (int x = area.left(); x <= area.right(); ++x) {
                run = near(at(image, x, y), colour, tolerance) ? run + 1 : 0;
                best = std::max(best, run);
            }
        }
        return best;
    }

    std::optional<kinloom::test::TestFont> serif;
    ItemStore store;
    PaintResult result;
};

TEST_F(PaintTreeTest, BoxEdgeShadowAndFillAtExactPixels) {
    add("", "Smith", 0, 0);
    const QImage image = paint({100, 10, 20});
    // Box from (10, 20) to (150, 85): filled inside, the edge line along the bottom and the right.
    EXPECT_EQ(at(image, 12, 80), qRgb(255, 255, 255));
    EXPECT_EQ(at(image, 10, 20), qRgb(255, 255, 255));
    EXPECT_EQ(at(image, 149, 84), qRgb(255, 255, 255));
    EXPECT_EQ(at(image, 11, 85), qRgb(0, 0, 0));
    EXPECT_EQ(at(image, 150, 85), qRgb(0, 0, 0));
    EXPECT_EQ(at(image, 150, 22), qRgb(0, 0, 0));
    EXPECT_EQ(at(image, 10, 85), kBg);   // the bottom line starts one pixel in
    EXPECT_EQ(at(image, 150, 21), kBg);  // the right line stops below the top
    EXPECT_EQ(at(image, 151, 50), kBg);
    EXPECT_EQ(at(image, 9, 50), kBg);
    EXPECT_EQ(at(image, 50, 19), kBg);
    EXPECT_EQ(result.itemsLabel, "Items: 1");
    EXPECT_EQ(result.personsLabel, "Persons: 1");
    EXPECT_EQ(result.zoomLabel, "Zoom: 100 %");
}

TEST_F(PaintTreeTest, FillColoursOfTheColourCodes) {
    // At 10 % there is no text, so a box is its fill colour. Boxes 20 pixels apart.
    add("", "", 0, 0);
    PersonItem* notes = add("N", "", 200, 0);
    notes->NotesFile = "n.txt";
    notes->Sex = "F";
    PersonItem* woman = add("W", "", 400, 0);
    woman->Sex = "F";
    PersonItem* lower = add("L", "", 600, 0);
    lower->Sex = "f";
    PersonItem* picture = add("P", "", 800, 0);
    picture->PictureFile = "p.jpg";
    const auto colours = [&](ColourCode mode) {
        PaintSettings settings = drawn();
        settings.colourCodeMode = mode;
        const QImage image = paint({10, 0, 0}, settings);
        std::vector<QRgb> c;
        for (int i = 0; i < 5; ++i) c.push_back(at(image, i * 20 + 5, 3));
        return c;
    };
    const QRgb white = qRgb(255, 255, 255), silver = qRgb(192, 192, 192), yellow = qRgb(255, 255, 0),
               cyan = qRgb(0, 255, 255);
    EXPECT_EQ(colours(ColourCode::None), (std::vector<QRgb>{silver, white, white, white, white}));
    // Notes wins over gender even for items without notes.
    EXPECT_EQ(colours(ColourCode::Notes), (std::vector<QRgb>{silver, yellow, white, white, white}));
    EXPECT_EQ(colours(ColourCode::Gender), (std::vector<QRgb>{silver, cyan, cyan, white, white}));
    EXPECT_EQ(colours(ColourCode::Picture), (std::vector<QRgb>{silver, white, white, white, yellow}));
    EXPECT_EQ(result.itemsLabel, "Items: 5");
    EXPECT_EQ(result.personsLabel, "Persons: 4");
    EXPECT_EQ(result.zoomLabel, "Zoom: 10 %");
}

TEST_F(PaintTreeTest, LinkLinesAtExactCoordinates) {
    // Father and mother straight above the child: the two lines leave it 10 units apart.
    PersonItem* father = add("F", "", -5, 0);
    PersonItem* mother = add("M", "", 5, 200);
    PersonItem* child = add("C", "", 0, 400);
    child->Father = father;
    child->Mother = mother;
    PersonItem* alias = add("C", "", 200, 400);
    alias->Kind = "REF";
    alias->Father = child;  // an alias's Father is its original: no line
    const QImage image = paint({100, 100, -30}, drawn(), {400, 500});
    const QRgb navy = qRgb(0, 0, 128), maroon = qRgb(128, 0, 0);
    for (int y = 36; y < 170; ++y) EXPECT_EQ(at(image, 165, y), navy) << y;
    for (int y = 236; y < 370; ++y) EXPECT_EQ(at(image, 175, y), maroon) << y;
    EXPECT_EQ(at(image, 164, 100), kBg);
    EXPECT_EQ(at(image, 176, 300), kBg);
    EXPECT_EQ(count(image, QRect(240, 0, 160, 370), navy), 0);  // nothing from the alias
}

TEST_F(PaintTreeTest, SpouseLinkDrawnFromTheLowerIdAndClamped) {
    PersonItem* a = add("A", "", 0, 0);
    PersonItem* b = add("B", "", 300, 0);
    a->Spouse[1] = b;
    b->Spouse[1] = a;
    const QRgb purple = qRgb(128, 0, 128);
    QImage image = paint({100, 0, 0});
    const int dots = count(image, QRect(145, 32, 150, 1), purple);
    EXPECT_GT(dots, 40);   // dotted: about every other pixel
    EXPECT_LT(dots, 150);
    EXPECT_EQ(count(image, QRect(145, 31, 150, 1), purple), 0);

    // Only the side with the lower Id draws: a link held by the higher Id alone is not drawn.
    a->Spouse[1] = nullptr;
    image = paint({100, 0, 0});
    EXPECT_EQ(count(image, QRect(145, 32, 150, 1), purple), 0);

    // A spouse very far away: the line still reaches across the window.
    b->Spouse[1] = nullptr;
    a->Spouse[1] = b;
    b->X = 2000000000;
    image = paint({100, 0, 0});
    EXPECT_GT(count(image, QRect(145, 32, 250, 1), purple), 80);
}

TEST_F(PaintTreeTest, TextOnlyAboveFifteenPercent) {
    add("H", "", 0, 0);
    PaintSettings big = drawn();
    big.screenFontSize = 60;  // a cell of 9 pixels at 15 %
    const QRect box(0, 0, 21, 10);
    QImage image = paint({15, 0, 0}, big);
    EXPECT_EQ(count(image, box, qRgb(0, 0, 0)), 0);
    EXPECT_EQ(count(image, box.adjusted(0, 0, -1, -1), qRgb(255, 255, 255)), 20 * 9);
    image = paint({15.01, 0, 0}, big);
    const QRect inside = box.adjusted(0, 0, -1, -1);
    EXPECT_LT(count(image, inside, qRgb(255, 255, 255)), inside.width() * inside.height());  // ink, of any shade
}

TEST_F(PaintTreeTest, TextStylesByKind) {
    PersonItem* plain = add("nnnnnn", "", 0, 0);
    PersonItem* original = add("nnnnnn", "", 200, 0);
    original->Kind = "ALIAS";
    PersonItem* alias = add("nnnnnn", "", 400, 0);
    alias->Kind = "REF";
    alias->Father = original;
    (void)plain;
    const QImage image = paint({100, 0, 0}, drawn(), {600, 100});
    const QRgb black = qRgb(0, 0, 0), blue = qRgb(0, 0, 255);
    const QRect first(0, 0, 140, 20), second(200, 0, 140, 20), third(400, 0, 140, 20);
    constexpr int kShade = 80;  // the text is smoothed
    EXPECT_GT(countNear(image, first, black, kShade), 0);
    EXPECT_EQ(countNear(image, first, blue, kShade), 0);
    EXPECT_LT(longestRun(image, first, black, kShade), 10);  // no underline
    EXPECT_EQ(countNear(image, second, black, kShade), 0);
    EXPECT_GE(longestRun(image, second, blue, kShade), 30);  // underlined
    EXPECT_GE(longestRun(image, third, blue, kShade), 30);
    EXPECT_EQ(result.personsLabel, "Persons: 2");  // the alias is no person of its own
}

TEST_F(PaintTreeTest, CurrentItemAndSelectionAreInverted) {
    PersonItem* a = add("", "", 0, 0);
    PersonItem* b = add("", "", 200, 0);
    store.currentItem = a;
    QImage image = paint({10, 0, 0});
    EXPECT_EQ(at(image, 5, 3), qRgb(63, 63, 63));   // silver inverted
    EXPECT_EQ(at(image, 25, 3), qRgb(192, 192, 192));
    EXPECT_EQ(at(image, 14, 6), qRgb(0, 0, 0));     // the shadow is outside the inverted rectangle
    store.addToSelection(b);
    image = paint({10, 0, 0});
    EXPECT_EQ(at(image, 5, 3), qRgb(192, 192, 192));  // with a selection only the selection shows
    EXPECT_EQ(at(image, 25, 3), qRgb(63, 63, 63));
    // Inverting the selection again restores the picture.
    QPainter painter(&image);
    paintSelected(painter, store, {10, 0, 0});
    EXPECT_EQ(at(image, 25, 3), qRgb(192, 192, 192));
}

TEST_F(PaintTreeTest, DraggedItemIsNotDrawnNorCounted) {
    add("A", "", 0, 0);
    PersonItem* moving = add("B", "", 200, 0);
    store.currentItem = moving;
    PaintSettings settings = drawn();
    settings.dragging = true;
    settings.currentFileName = "/tmp/x.kl3";
    const QImage image = paint({10, 0, 0}, settings);
    EXPECT_EQ(at(image, 21, 1), qRgb(191, 127, 127));  // only its inverted rectangle, over the background
    EXPECT_EQ(result.itemsLabel, "Items: 1");
    EXPECT_EQ(result.caption, "Kinloom 2.0 beta 3.6 [/tmp/x.kl3]");
}

TEST_F(PaintTreeTest, FarAwayItemsDoNotWrapOntoTheScreen) {
    // At 250 % this box's left edge is 2^32 + 99 pixels away; wrapped round it would show at 99.
    PersonItem* far = add("Far", "Away", 1717986958, 0);
    PersonItem* end = add("End", "", std::numeric_limits<int>::max() - 10, 20);  // right edge beyond int
    far->Spouse[1] = end;  // a link between them lies wholly off the screen too
    end->Spouse[1] = far;
    const QImage image = paint({250, 0, 0});
    EXPECT_EQ(count(image, image.rect(), kBg), image.width() * image.height());
    EXPECT_EQ(result.itemsLabel, "Items: 2");
}

TEST_F(PaintTreeTest, EmptyStoreCountersAndCaption) {
    paint({100, 0, 0});
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.itemsLabel, "Items: 0");
    EXPECT_EQ(result.personsLabel, "Persons: 0");
    EXPECT_EQ(result.caption, "Kinloom 2.0 beta 3.6");
}

TEST_F(PaintTreeTest, NothingIsDrawnWhilePaintingIsDisabled) {
    add("A", "", 0, 0);
    PaintSettings off = drawn();
    off.paintEnabled = false;
    const QImage image = paint({100, 0, 0}, off);
    EXPECT_FALSE(result.painted);
    EXPECT_EQ(at(image, 10, 10), kBg);
    EXPECT_EQ(result.itemsLabel, "");
}

TEST_F(PaintTreeTest, FailureIsReportedAndTheTreeKept) {
    add("A", "", 0, 0);
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter inactive;  // never begun
    result = paintTree(inactive, store, {100, 0, 0}, {10, 10}, {});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Tree cannot be drawn - error in database");
    EXPECT_EQ(store.itemCount(), 1);
}

TEST_F(PaintTreeTest, FontCellHeightAndNameShortening) {
    const QString family = serif->family();
    EXPECT_EQ(pixelSizeForCellHeight(family, 0), 1);
    const int p16 = pixelSizeForCellHeight(family, 16);
    QFont font(family);
    font.setPixelSize(p16);
    EXPECT_EQ(QFontMetrics(font).ascent() + QFontMetrics(font).descent(), 16);
    font.setPixelSize(p16 + 1);
    EXPECT_GT(QFontMetrics(font).ascent() + QFontMetrics(font).descent(), 16);
    EXPECT_EQ(QFontInfo(font).family(), family);  // the loaded font, not another of its name

    font.setPixelSize(p16);
    const QFontMetrics fm(font);
    EXPECT_EQ(shortenName("Ann", fm, 140), "Ann");
    const QString longName = "Bartholomew Alexander Maximilian";
    const QString cut = shortenName(longName, fm, 140);
    EXPECT_TRUE(cut.endsWith("..."));
    EXPECT_LE(fm.horizontalAdvance(cut), 140);
    EXPECT_TRUE(longName.startsWith(cut.chopped(3)));
    EXPECT_GT(fm.horizontalAdvance(longName.left(cut.size() - 2) + "..."), 140);  // as long as fits
    EXPECT_EQ(shortenName("Bartholomew", fm, 2), "...");
}

TEST_F(PaintTreeTest, RenderFitsTheWholeTree) {
    add("A", "", -1000, -500);
    add("B", "", 3000, 2000);
    RenderOptions options;
    options.size = {400, 300};
    PaintResult painted;
    const QImage image = renderTree(store, options, &painted);
    EXPECT_EQ(image.size(), QSize(400, 300));
    const ViewState view = fitWholeTree(store, options.size);
    EXPECT_LT(view.zoom, 10.0);
    // Both boxes are inside the picture.
    const double s = view.zoom * 0.01;
    for (const PersonItem* item = store.firstItem(); item; item = item->Next) {
        const int x = static_cast<int>((item->X + view.offsetX + 70) * s);
        const int y = static_cast<int>((item->Y + view.offsetY + 32) * s);
        ASSERT_TRUE(image.rect().contains(x, y));
        EXPECT_EQ(at(image, x, y), qRgb(255, 255, 255));
    }
    EXPECT_EQ(painted.itemsLabel, "Items: 2");
}

}  // namespace

namespace {

TEST_F(PaintTreeTest, RenderFitsATreeSpanningTheWholeCanvas) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    add("West", "", kMin, 0);
    add("East", "", kMax - 141, 0);
    const QSize size(1024, 768);
    const ViewState view = fitWholeTree(store, size);
    EXPECT_GT(view.zoom, 0.0);
    // Both ends of the canvas land inside the picture rather than wrapping out of it.
    for (const PersonItem* item = store.firstItem(); item; item = item->Next) {
        const BoxEdges e = boxEdgesOf(*item, view);
        EXPECT_GE(e.left, -1) << item->FirstName.str();
        EXPECT_LE(e.right, size.width()) << item->FirstName.str();
    }
}

TEST(Invert, TwiceRestoresAndEmptyShapesDrawNothing) {
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(qRgb(64, 128, 128));
    const QImage before = image.copy();
    QPainter painter(&image);
    invertFrame(painter, {10, 10}, {10, 30}, true);  // no width
    invertLine(painter, {5, 5}, {5, 5});
    invertRect(painter, QRect(3, 3, 0, 10));
    EXPECT_EQ(image, before);
    invertFrame(painter, {10, 10}, {30, 20}, false);
    EXPECT_EQ(image.pixel(10, 10) | 0xff000000u, qRgb(191, 127, 127));
    EXPECT_EQ(image.pixel(29, 19) | 0xff000000u, qRgb(191, 127, 127));
    EXPECT_EQ(image.pixel(30, 20) | 0xff000000u, qRgb(64, 128, 128));
    EXPECT_EQ(image.pixel(20, 15) | 0xff000000u, qRgb(64, 128, 128));  // only the outline
    invertFrame(painter, {30, 20}, {10, 10}, false);
    invertLine(painter, {0, 0}, {40, 20});
    invertLine(painter, {0, 0}, {40, 20});
    EXPECT_EQ(image, before);
}

}  // namespace

// The rubber line and the band may reach far beyond the window when the view is at the end of the
// canvas; drawn twice they still leave nothing behind.
TEST(Invert, FarEndsStillDrawAndRestore) {
    kinloom::test::ensureGuiApplication();
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(qRgb(64, 128, 128));
    const QImage before = image.copy();
    QPainter painter(&image);
    invertLine(painter, {10, 10}, {kMax, 10});
    EXPECT_EQ(image.pixel(10, 10) | 0xff000000u, qRgb(191, 127, 127));
    EXPECT_EQ(image.pixel(49, 10) | 0xff000000u, qRgb(191, 127, 127));
    invertLine(painter, {10, 10}, {kMax, 10});
    invertFrame(painter, {20, 20}, {kMin, kMax}, true);
    invertFrame(painter, {20, 20}, {kMin, kMax}, true);
    invertLine(painter, {kMin, kMin}, {kMax, kMax});
    invertLine(painter, {kMin, kMin}, {kMax, kMax});
    EXPECT_EQ(image, before);
}
