#include "canvas/form_paint.h"
#include "canvas/invert.h"
#include "canvas/render_tree.h"
#include "canvas/view_math.h"
#include "canvas_test_support.h"
#include "document/item_store.h"
#include "support/test_support.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <limits>

using namespace kinloom;
using kinloom::test::AddPerson;

namespace {

const QRgb kBg = qRgb(64, 128, 128);

class FormPaintTest : public ::testing::Test {
protected:
    void SetUp() override { kinloom::test::EnsureGuiApplication(); }
    // Adds an item without making it current (no inverted box unless a test asks for one).
    TPersonItem* add(const std::string& first, const std::string& last, int x, int y) {
        TPersonItem* item = AddPerson(store, first, last, x, y);
        store.CurrentItem = nullptr;
        return item;
    }

    QImage paint(const ViewState& view, const PaintSettings& settings = {}, QSize size = {400, 300}) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kBg);
        QPainter painter(&image);
        result = FormPaint(painter, store, view, size, settings);
        return image;
    }
    static QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xff000000u; }
    static int count(const QImage& image, QRect area, QRgb colour) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) n += at(image, x, y) == colour;
        return n;
    }
    // The longest horizontal run of one colour in an area.
    static int longestRun(const QImage& image, QRect area, QRgb colour) {
        int best = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            int run = 0;
            for (int x = area.left(); x <= area.right(); ++x) {
                run = at(image, x, y) == colour ? run + 1 : 0;
                best = std::max(best, run);
            }
        }
        return best;
    }

    TItemStore store;
    PaintResult result;
};

TEST_F(FormPaintTest, BoxEdgeShadowAndFillAtExactPixels) {
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
    EXPECT_EQ(result.ItemsLabel, "Items: 1");
    EXPECT_EQ(result.PersonsLabel, "Persons: 1");
    EXPECT_EQ(result.ZoomLabel, "Zoom: 100 %");
}

TEST_F(FormPaintTest, FillColoursOfTheColourCodes) {
    // At 10 % there is no text, so a box is its fill colour. Boxes 20 pixels apart.
    add("", "", 0, 0);
    TPersonItem* notes = add("N", "", 200, 0);
    notes->NotesFile = "n.txt";
    notes->Sex = "F";
    TPersonItem* woman = add("W", "", 400, 0);
    woman->Sex = "F";
    TPersonItem* lower = add("L", "", 600, 0);
    lower->Sex = "f";
    TPersonItem* picture = add("P", "", 800, 0);
    picture->PictureFile = "p.jpg";
    const auto colours = [&](ColourCode mode) {
        PaintSettings settings;
        settings.ColourCodeMode = mode;
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
    EXPECT_EQ(result.ItemsLabel, "Items: 5");
    EXPECT_EQ(result.PersonsLabel, "Persons: 4");
    EXPECT_EQ(result.ZoomLabel, "Zoom: 10 %");
}

TEST_F(FormPaintTest, LinkLinesAtExactCoordinates) {
    // Father and mother straight above the child: the two lines leave it 10 units apart.
    TPersonItem* father = add("F", "", -5, 0);
    TPersonItem* mother = add("M", "", 5, 200);
    TPersonItem* child = add("C", "", 0, 400);
    child->Father = father;
    child->Mother = mother;
    TPersonItem* alias = add("C", "", 200, 400);
    alias->Kind = "REF";
    alias->Father = child;  // an alias's Father is its original: no line
    const QImage image = paint({100, 100, -30}, {}, {400, 500});
    const QRgb navy = qRgb(0, 0, 128), maroon = qRgb(128, 0, 0);
    for (int y = 36; y < 170; ++y) EXPECT_EQ(at(image, 165, y), navy) << y;
    for (int y = 236; y < 370; ++y) EXPECT_EQ(at(image, 175, y), maroon) << y;
    EXPECT_EQ(at(image, 164, 100), kBg);
    EXPECT_EQ(at(image, 176, 300), kBg);
    EXPECT_EQ(count(image, QRect(240, 0, 160, 370), navy), 0);  // nothing from the alias
}

TEST_F(FormPaintTest, SpouseLinkDrawnFromTheLowerIdAndClamped) {
    TPersonItem* a = add("A", "", 0, 0);
    TPersonItem* b = add("B", "", 300, 0);
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

TEST_F(FormPaintTest, TextOnlyAboveFifteenPercent) {
    add("H", "", 0, 0);
    PaintSettings big;
    big.ScreenFontSize = 60;  // a cell of 9 pixels at 15 %
    const QRect box(0, 0, 21, 10);
    QImage image = paint({15, 0, 0}, big);
    EXPECT_EQ(count(image, box, qRgb(0, 0, 0)), 0);
    EXPECT_EQ(count(image, box.adjusted(0, 0, -1, -1), qRgb(255, 255, 255)), 20 * 9);
    image = paint({15.01, 0, 0}, big);
    EXPECT_GT(count(image, box.adjusted(0, 0, -1, -1), qRgb(0, 0, 0)), 0);
}

TEST_F(FormPaintTest, TextStylesByKind) {
    TPersonItem* plain = add("nnnnnn", "", 0, 0);
    TPersonItem* original = add("nnnnnn", "", 200, 0);
    original->Kind = "ALIAS";
    TPersonItem* alias = add("nnnnnn", "", 400, 0);
    alias->Kind = "REF";
    alias->Father = original;
    (void)plain;
    const QImage image = paint({100, 0, 0}, {}, {600, 100});
    const QRgb black = qRgb(0, 0, 0), blue = qRgb(0, 0, 255);
    const QRect first(0, 0, 140, 20), second(200, 0, 140, 20), third(400, 0, 140, 20);
    EXPECT_GT(count(image, first, black), 0);
    EXPECT_EQ(count(image, first, blue), 0);
    EXPECT_LT(longestRun(image, first, black), 10);  // no underline
    EXPECT_EQ(count(image, second, black), 0);
    EXPECT_GE(longestRun(image, second, blue), 30);  // underlined
    EXPECT_GE(longestRun(image, third, blue), 30);
    EXPECT_EQ(result.PersonsLabel, "Persons: 2");  // the alias is no person of its own
}

TEST_F(FormPaintTest, CurrentItemAndSelectionAreInverted) {
    TPersonItem* a = add("", "", 0, 0);
    TPersonItem* b = add("", "", 200, 0);
    store.CurrentItem = a;
    QImage image = paint({10, 0, 0});
    EXPECT_EQ(at(image, 5, 3), qRgb(63, 63, 63));   // silver inverted
    EXPECT_EQ(at(image, 25, 3), qRgb(192, 192, 192));
    EXPECT_EQ(at(image, 14, 6), qRgb(0, 0, 0));     // the shadow is outside the inverted rectangle
    store.AddToSelection(b);
    image = paint({10, 0, 0});
    EXPECT_EQ(at(image, 5, 3), qRgb(192, 192, 192));  // with a selection only the selection shows
    EXPECT_EQ(at(image, 25, 3), qRgb(63, 63, 63));
    // Inverting the selection again restores the picture.
    QPainter painter(&image);
    PaintSelected(painter, store, {10, 0, 0});
    EXPECT_EQ(at(image, 25, 3), qRgb(192, 192, 192));
}

TEST_F(FormPaintTest, DraggedItemIsNotDrawnNorCounted) {
    add("A", "", 0, 0);
    TPersonItem* moving = add("B", "", 200, 0);
    store.CurrentItem = moving;
    PaintSettings settings;
    settings.Dragging = true;
    settings.CurrentFileName = "/tmp/x.kl3";
    const QImage image = paint({10, 0, 0}, settings);
    EXPECT_EQ(at(image, 21, 1), qRgb(191, 127, 127));  // only its inverted rectangle, over the background
    EXPECT_EQ(result.ItemsLabel, "Items: 1");
    EXPECT_EQ(result.Caption, "Kinloom 2.0 beta 3.6 [/tmp/x.kl3]");
}

TEST_F(FormPaintTest, FarAwayItemsDoNotWrapOntoTheScreen) {
    // At 250 % this box's left edge is 2^32 + 99 pixels away; wrapped round it would show at 99.
    TPersonItem* far = add("Far", "Away", 1717986958, 0);
    TPersonItem* end = add("End", "", std::numeric_limits<int>::max() - 10, 20);  // right edge beyond int
    far->Spouse[1] = end;  // a link between them lies wholly off the screen too
    end->Spouse[1] = far;
    const QImage image = paint({250, 0, 0});
    EXPECT_EQ(count(image, image.rect(), kBg), image.width() * image.height());
    EXPECT_EQ(result.ItemsLabel, "Items: 2");
}

TEST_F(FormPaintTest, EmptyStoreCountersAndCaption) {
    paint({100, 0, 0});
    EXPECT_TRUE(result.Ok);
    EXPECT_EQ(result.ItemsLabel, "Items: 0");
    EXPECT_EQ(result.PersonsLabel, "Persons: 0");
    EXPECT_EQ(result.Caption, "Kinloom 2.0 beta 3.6");
}

TEST_F(FormPaintTest, NothingIsDrawnWhilePaintingIsDisabled) {
    add("A", "", 0, 0);
    PaintSettings off;
    off.PaintEnabled = false;
    const QImage image = paint({100, 0, 0}, off);
    EXPECT_FALSE(result.Painted);
    EXPECT_EQ(at(image, 10, 10), kBg);
    EXPECT_EQ(result.ItemsLabel, "");
}

TEST_F(FormPaintTest, FailureIsReportedAndTheTreeKept) {
    add("A", "", 0, 0);
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter inactive;  // never begun
    result = FormPaint(inactive, store, {100, 0, 0}, {10, 10}, {});
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Error, "Tree cannot be drawn - error in database");
    EXPECT_EQ(store.ItemCount(), 1);
}

TEST_F(FormPaintTest, FontCellHeightAndNameShortening) {
    EXPECT_EQ(PixelSizeForCellHeight("Times New Roman", 0), 1);
    const int p16 = PixelSizeForCellHeight("Times New Roman", 16);
    QFont font("Times New Roman");
    font.setPixelSize(p16);
    EXPECT_EQ(QFontMetrics(font).ascent() + QFontMetrics(font).descent(), 16);
    font.setPixelSize(p16 + 1);
    EXPECT_GT(QFontMetrics(font).ascent() + QFontMetrics(font).descent(), 16);
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Serif");

    font.setPixelSize(p16);
    const QFontMetrics fm(font);
    EXPECT_EQ(ShortenName("Ann", fm, 140), "Ann");
    const QString longName = "Bartholomew Alexander Maximilian";
    const QString cut = ShortenName(longName, fm, 140);
    EXPECT_TRUE(cut.endsWith("..."));
    EXPECT_LE(fm.horizontalAdvance(cut), 140);
    EXPECT_TRUE(longName.startsWith(cut.chopped(3)));
    EXPECT_GT(fm.horizontalAdvance(longName.left(cut.size() - 2) + "..."), 140);  // as long as fits
    EXPECT_EQ(ShortenName("Bartholomew", fm, 2), "...");
}

TEST_F(FormPaintTest, RenderFitsTheWholeTree) {
    add("A", "", -1000, -500);
    add("B", "", 3000, 2000);
    RenderOptions options;
    options.Size = {400, 300};
    PaintResult painted;
    const QImage image = RenderTree(store, options, &painted);
    EXPECT_EQ(image.size(), QSize(400, 300));
    const ViewState view = FitWholeTree(store, options.Size);
    EXPECT_LT(view.Zoom, 10.0);
    // Both boxes are inside the picture.
    const double s = view.Zoom * 0.01;
    for (const TPersonItem* item = store.FirstItem(); item; item = item->Next) {
        const int x = static_cast<int>((item->X + view.OffsetX + 70) * s);
        const int y = static_cast<int>((item->Y + view.OffsetY + 32) * s);
        ASSERT_TRUE(image.rect().contains(x, y));
        EXPECT_EQ(at(image, x, y), qRgb(255, 255, 255));
    }
    EXPECT_EQ(painted.ItemsLabel, "Items: 2");
}

}  // namespace

namespace {

TEST_F(FormPaintTest, RenderFitsATreeSpanningTheWholeCanvas) {
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    add("West", "", kMin, 0);
    add("East", "", kMax - 141, 0);
    const QSize size(1024, 768);
    const ViewState view = FitWholeTree(store, size);
    EXPECT_GT(view.Zoom, 0.0);
    // Both ends of the canvas land inside the picture rather than wrapping out of it.
    for (const TPersonItem* item = store.FirstItem(); item; item = item->Next) {
        const BoxEdges e = BoxEdgesOf(*item, view);
        EXPECT_GE(e.left, -1) << item->FirstName.str();
        EXPECT_LE(e.right, size.width()) << item->FirstName.str();
    }
}

TEST(Invert, TwiceRestoresAndEmptyShapesDrawNothing) {
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(qRgb(64, 128, 128));
    const QImage before = image.copy();
    QPainter painter(&image);
    InvertFrame(painter, {10, 10}, {10, 30}, true);  // no width
    InvertLine(painter, {5, 5}, {5, 5});
    InvertRect(painter, QRect(3, 3, 0, 10));
    EXPECT_EQ(image, before);
    InvertFrame(painter, {10, 10}, {30, 20}, false);
    EXPECT_EQ(image.pixel(10, 10) | 0xff000000u, qRgb(191, 127, 127));
    EXPECT_EQ(image.pixel(29, 19) | 0xff000000u, qRgb(191, 127, 127));
    EXPECT_EQ(image.pixel(30, 20) | 0xff000000u, qRgb(64, 128, 128));
    EXPECT_EQ(image.pixel(20, 15) | 0xff000000u, qRgb(64, 128, 128));  // only the outline
    InvertFrame(painter, {30, 20}, {10, 10}, false);
    InvertLine(painter, {0, 0}, {40, 20});
    InvertLine(painter, {0, 0}, {40, 20});
    EXPECT_EQ(image, before);
}

}  // namespace

// The rubber line and the band may reach far beyond the window when the view is at the end of the
// canvas; drawn twice they still leave nothing behind.
TEST(Invert, FarEndsStillDrawAndRestore) {
    kinloom::test::EnsureGuiApplication();
    constexpr int kMax = std::numeric_limits<int>::max(), kMin = std::numeric_limits<int>::min();
    QImage image(50, 50, QImage::Format_RGB32);
    image.fill(qRgb(64, 128, 128));
    const QImage before = image.copy();
    QPainter painter(&image);
    InvertLine(painter, {10, 10}, {kMax, 10});
    EXPECT_EQ(image.pixel(10, 10) | 0xff000000u, qRgb(191, 127, 127));
    EXPECT_EQ(image.pixel(49, 10) | 0xff000000u, qRgb(191, 127, 127));
    InvertLine(painter, {10, 10}, {kMax, 10});
    InvertFrame(painter, {20, 20}, {kMin, kMax}, true);
    InvertFrame(painter, {20, 20}, {kMin, kMax}, true);
    InvertLine(painter, {kMin, kMin}, {kMax, kMax});
    InvertLine(painter, {kMin, kMin}, {kMax, kMax});
    EXPECT_EQ(image, before);
}
