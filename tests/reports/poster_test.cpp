#include "reports/poster.h"
#include "reports/poster_preview.h"

#include "canvas/canvas_test_support.h"
#include "canvas/paint_tree.h"
#include "document/item_store.h"
#include "recording_device.h"
#include "support/test_support.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

using namespace kinloom;
using kinloom::test::addPerson;
using kinloom::test::RecordingPage;

namespace {

// Draws one page of a poster onto a recording page of the poster's page size.
void record(const PosterLayout& layout, int index, RecordingPage& page) {
    page.clear();
    QPainter painter(&page);
    layout.drawPage(painter, index);
}

QImage render(const PosterLayout& layout, int index) {
    QImage image(layout.pageSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    layout.drawPage(painter, index);
    return image;
}

bool isDark(QRgb p) { return qGray(p) < 128; }

// True when every dark pixel of `a`, seen at `scale` times its place, has a dark pixel in `b`
// within two pixels. Rows above `skipTop` of `a` are not compared.
bool darkPixelsFollow(const QImage& a, const QImage& b, double scale, int skipTop) {
    for (int y = skipTop; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!isDark(a.pixel(x, y))) continue;
            const int bx = static_cast<int>(x * scale), by = static_cast<int>(y * scale);
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx) {
                    const QPoint q(bx + dx, by + dy);
                    found = b.rect().contains(q) && isDark(b.pixel(q));
                }
            if (!found) return false;
        }
    return true;
}

class PosterTest : public ::testing::Test {
protected:
    void SetUp() override { kinloom::test::ensureGuiApplication(); }
    ItemStore store;
};

TEST_F(PosterTest, OneItemFillsNinetyFivePercentOfTheLimitingSideAndIsCentred) {
    PersonItem* ann = addPerson(store, "Ann", "Lee", 500, -300);
    ann->BornDate = "1900";
    struct Case {
        QSize page;
        QRect box;  // mapped corners; the drawn rectangle ends one pixel inside
        int fontHeight;
    } cases[] = {
        {{3508, 2480}, {88, 466, 3333, 1547}, 381},   // A4 landscape at 300 dpi
        {{2480, 3508}, {62, 1207, 2356, 1094}, 269},  // A4 portrait
        {{3460, 2480}, {86, 477, 3287, 1526}, 376},   // (3460 - 3287) / 2 = 86.5 rounds to even
        {{1000, 300}, {193, 8, 614, 285}, 70},        // the height limits: 285 = 95 % of 300
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page.width());
        const PosterLayout layout(store, PosterSettings{}, c.page);
        ASSERT_EQ(layout.pageCount(), 1);
        EXPECT_EQ(layout.boxOf(0), c.box);
        EXPECT_EQ(layout.fontHeight(), c.fontHeight);
        RecordingPage page(c.page);
        record(layout, 0, page);
        ASSERT_EQ(page.rects.size(), 1u);
        EXPECT_EQ(page.rects[0], QRect(c.box.left(), c.box.top(), c.box.width() - 1, c.box.height() - 1));
        // The header, then the four lines; the fourth is a lone dash without a death date.
        EXPECT_EQ(page.textStrings(), (std::vector<QString>{kPosterHeader, "Ann", "Lee", "1900", "- "}));
        EXPECT_EQ(page.texts[1].pixelSize, pixelSizeForCellHeight(QStringLiteral("Times New Roman"), c.fontHeight));
        // The header is centred on the top edge, in a small font.
        const QFontMetrics header(QFont("Arial", 6), &page);
        EXPECT_EQ(page.texts[0].baseline.y(), header.ascent());
        EXPECT_NEAR(page.texts[0].baseline.x(),
                    c.page.width() - page.texts[0].baseline.x() - header.horizontalAdvance(kPosterHeader), 1);
        for (const auto& t : page.texts) EXPECT_FALSE(t.clipped) << t.text.toStdString();
    }
}

TEST_F(PosterTest, TwoByTwoPagesAreTheQuartersOfOnePageAtTwiceTheSize) {
    PersonItem* nw = addPerson(store, "Nora", "West", 0, 0);
    addPerson(store, "Ned", "East", 2000, 0);
    addPerson(store, "Sam", "West", 0, 1400);
    PersonItem* se = addPerson(store, "Sue", "East", 2000, 1400);
    PersonItem* kid = addPerson(store, "Kim", "Middle", 1000, 700);
    kid->Father = nw;
    kid->Mother = se;
    const QSize size(800, 600);
    PosterSettings one;
    PosterSettings four;
    four.pagesPerSide = 2;
    const PosterLayout single(store, one, size), poster(store, four, size);
    ASSERT_EQ(poster.pageCount(), 4);

    RecordingPage page(size);
    record(single, 0, page);
    const std::vector<QRect> singleRects = page.rects;
    const std::vector<RecordingPage::Line> singleLines = page.lines;
    const char* owner[] = {"Nora", "Ned", "Sam", "Sue"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        record(poster, i, page);
        const int ox = (i % 2) * size.width(), oy = (i / 2) * size.height();
        // Each box of the single page, twice as large and shifted to this page, if it falls here.
        std::set<std::tuple<int, int, int, int>> expected, drawn;
        for (const QRect& r : singleRects) {
            const QRect big(2 * r.left() - ox, 2 * r.top() - oy, 2 * (r.width() + 1) - 1, 2 * (r.height() + 1) - 1);
            if (big.intersects(QRect(QPoint(0, 0), size))) expected.insert({big.left(), big.top(), big.width(), big.height()});
        }
        for (const QRect& r : page.rects) drawn.insert({r.left(), r.top(), r.width(), r.height()});
        EXPECT_EQ(drawn, expected);
        // Pages in the order top-left, top-right, bottom-left, bottom-right; the header on the top row.
        const auto texts = page.textStrings();
        EXPECT_NE(std::find(texts.begin(), texts.end(), QString(owner[i])), texts.end());
        EXPECT_EQ(std::count(texts.begin(), texts.end(), kPosterHeader), i < 2 ? 1 : 0);
        for (const char* other : owner)
            if (other != owner[i]) EXPECT_EQ(std::find(texts.begin(), texts.end(), QString(other)), texts.end()) << other;
        // Line ends double as well.
        for (const auto& l : page.lines) {
            const auto match = std::find_if(singleLines.begin(), singleLines.end(), [&](const auto& s) {
                return 2 * s.line.x1() - ox == l.line.x1() && 2 * s.line.y1() - oy == l.line.y1() &&
                       2 * s.line.x2() - ox == l.line.x2() && 2 * s.line.y2() - oy == l.line.y2();
            });
            EXPECT_NE(match, singleLines.end());
        }
    }

    // The pictures agree too: without texts, the four pages put together are the single page
    // at twice its size, up to the rounding of a line (the header rows aside).
    one.fontSize = four.fontSize = 0;
    const PosterLayout plainSingle(store, one, size), plainPoster(store, four, size);
    const QImage small = render(plainSingle, 0);
    QImage big(2 * size.width(), 2 * size.height(), QImage::Format_RGB32);
    QPainter joiner(&big);
    for (int i = 0; i < 4; ++i)
        joiner.drawImage((i % 2) * size.width(), (i / 2) * size.height(), render(plainPoster, i));
    joiner.end();
    const int header = 12;
    EXPECT_TRUE(darkPixelsFollow(small, big, 2.0, header));
    EXPECT_TRUE(darkPixelsFollow(big, small, 0.5, 2 * header));
    // And the tree is really there: the single page has dark box edges below the header.
    QImage blank(big.size(), QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_FALSE(darkPixelsFollow(small, blank, 2.0, header));
}

TEST_F(PosterTest, NamesAliasesAndSelectedItems) {
    PersonItem* father = addPerson(store, "Maximiliana Wilhelmina Augusta", "Lee", 0, 0);
    PersonItem* mother = addPerson(store, "Ann", "Lee", 300, 0);
    PersonItem* child = addPerson(store, "Kim", "Lee", 150, 200);
    child->DiedDate = "1950";
    child->BornDate = "Abt 12 December 1900 in the county";  // wider than the box: clipped, not cut
    child->Father = father;
    child->Mother = mother;
    store.addMarriage(father, mother);
    // An alias of the child, married to a fourth person: spouse line, no parent lines.
    PersonItem* alias = addPerson(store, "Kim", "Lee", 600, 200);
    alias->Kind = "REF";
    alias->Father = child;
    PersonItem* partner = addPerson(store, "Pat", "Ray", 900, 200);
    store.addMarriage(alias, partner);

    const QSize size(1200, 500);
    PosterLayout layout(store, PosterSettings{}, size);
    RecordingPage page(size, 96);
    record(layout, 0, page);
    const auto texts = page.textStrings();
    // The long name is cut and ends in "...".
    const auto cut = std::find_if(texts.begin(), texts.end(), [](const QString& t) { return t.startsWith("Maxim"); });
    ASSERT_NE(cut, texts.end());
    EXPECT_TRUE(cut->endsWith("...")) << cut->toStdString();
    EXPECT_LT(cut->size(), 33);
    EXPECT_NE(std::find(texts.begin(), texts.end(), QString("- 1950")), texts.end());
    EXPECT_EQ(std::count(texts.begin(), texts.end(), QString("- ")), 4);
    for (const auto& t : page.texts)
        if (t.text.startsWith("Abt")) EXPECT_TRUE(t.clipped);

    const auto centre = [&](const PersonItem* p) { return QPoint(layout.mapX(p->X + 70.0), layout.mapY(p->Y + 32.5)); };
    const auto has = [&](QPoint a, QPoint b, Qt::PenStyle style) {
        return std::any_of(page.lines.begin(), page.lines.end(),
                           [&](const auto& l) { return l.line.p1() == a && l.line.p2() == b && l.style == style; });
    };
    ASSERT_EQ(page.lines.size(), 4u);  // two couples, two parent lines
    EXPECT_TRUE(has(centre(father), centre(mother), Qt::CustomDashLine));
    EXPECT_TRUE(has(centre(alias), centre(partner), Qt::CustomDashLine));
    const int childY = layout.mapY(child->Y + 32.5);
    EXPECT_TRUE(has(QPoint(layout.mapX(child->X + 65.0), childY), centre(father), Qt::SolidLine));
    EXPECT_TRUE(has(QPoint(layout.mapX(child->X + 75.0), childY), centre(mother), Qt::SolidLine));

    // Only the selected items: the lines to the unselected mother and partner are left out,
    // and the bounding box is the selection's.
    store.addToSelection(father);
    store.addToSelection(child);
    store.addToSelection(alias);
    PosterSettings selected;
    selected.selectedOnly = true;
    selected.lineThickness = 3;
    layout = PosterLayout(store, selected, size);
    EXPECT_EQ(layout.items(), (std::vector<const PersonItem*>{father, child, alias}));
    record(layout, 0, page);
    EXPECT_EQ(page.rects.size(), 3u);
    ASSERT_EQ(page.lines.size(), 1u);
    EXPECT_EQ(page.lines[0].line, QLine(QPoint(layout.mapX(child->X + 65.0), layout.mapY(child->Y + 32.5)), centre(father)));
    EXPECT_EQ(page.lines[0].width, 3);
    // The partner at X 900 is not included: the alias's box ends at 97.5 % of the page's width.
    EXPECT_EQ(layout.boxOf(0).left(), 30);
    EXPECT_EQ(layout.boxOf(2).left() + layout.boxOf(2).width(), 1170);

    // Nothing selected that is included: an empty poster.
    store.clearSelection();
    EXPECT_EQ(PosterLayout(store, selected, size).pageCount(), 0);
}

TEST_F(PosterTest, PreviewShowsThePageAndTheBoxes) {
    const QColor face(240, 240, 240), navy(0, 0, 128);
    const QSize picture(200, 150), a4(3508, 2480);
    EXPECT_TRUE(posterPreview(store, false, picture, a4, face).isNull());

    // The page: k = min(200 / 3508, 150 / 2480); 200 x 141, its top at (150 - 141) div 2 = 4.
    addPerson(store, "Ann", "Lee", 1000, 1000);
    QImage image = posterPreview(store, false, picture, a4, face);
    ASSERT_EQ(image.size(), picture);
    EXPECT_EQ(QColor(image.pixel(100, 2)), face);
    EXPECT_EQ(QColor(image.pixel(100, 4)), navy);
    EXPECT_EQ(QColor(image.pixel(100, 144)), navy);
    EXPECT_EQ(QColor(image.pixel(100, 146)), face);
    // A single item's box fills 95 % of the page's width, centred: 190 x 88 from (5, 26) on the page.
    EXPECT_EQ(QColor(image.pixel(5, 60)), navy);
    EXPECT_EQ(QColor(image.pixel(4, 60)), Qt::white);
    EXPECT_EQ(QColor(image.pixel(194, 60)), navy);
    EXPECT_EQ(QColor(image.pixel(100, 30)), navy);
    EXPECT_EQ(QColor(image.pixel(100, 117)), navy);
    EXPECT_EQ(QColor(image.pixel(100, 60)), Qt::white);

    // Items in one row are scaled by their width: three boxes side by side across the page.
    addPerson(store, "Bob", "Lee", 1300, 1000);
    addPerson(store, "Cy", "Lee", 1600, 1000);
    image = posterPreview(store, false, picture, a4, face);
    int edges = 0;
    for (int x = 0; x < 200; ++x) edges += QColor(image.pixel(x, 75)) == navy && (x == 0 || QColor(image.pixel(x - 1, 75)) != navy);
    EXPECT_EQ(edges, 2 + 6);  // the page's sides and each box's two sides
}

}  // namespace
