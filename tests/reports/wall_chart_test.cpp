#include "reports/chart_file.h"
#include "reports/poster.h"
#include "reports/poster_preview.h"

#include "canvas/canvas_test_support.h"
#include "document/item_store.h"
#include "pdf_tools.h"
#include "platform/save_file.h"
#include "recording_device.h"
#include "support/test_font.h"
#include "support/test_support.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace kinloom;
using namespace kinloom::test;

namespace {

class WallChartTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureGuiApplication();
        settings.fontName = loadTestFont();
        ASSERT_FALSE(settings.fontName.isEmpty());
        ASSERT_TRUE(dir.isValid());
    }
    ItemStore store;
    PosterSettings settings;
    QTemporaryDir dir;
};

// A 64-page poster of a wide tree at 72 dpi: the font's height on one page rounds to nothing,
// but enlarged eight times it is three pixels, and every name is written.
TEST_F(WallChartTest, AnEightByEightPosterAtLowResolutionWritesEveryName) {
    std::vector<QString> names;
    for (int i = 0; i < 100; ++i) {
        names.push_back(QStringLiteral("N%1").arg(i));
        addPerson(store, names.back().toStdString(), "Lee", i * 300, (i % 3) * 100);
    }
    settings.pagesPerSide = 8;
    const QSize a4(842, 595);  // A4 landscape at 72 dpi
    const PosterLayout layout(store, settings, a4, 72);
    // w = 842 - 42 = 800 over 29,840 units; h = 565 over 265: the width limits.
    const double s = 800.0 / 29840;
    EXPECT_DOUBLE_EQ(layout.scale(), s);
    EXPECT_EQ(layout.fontHeight(), 0);                  // Round(0.43)
    EXPECT_EQ(layout.printedFontHeight(), 3);           // Round(0.43 x 8)
    std::vector<QString> written;
    for (int i = 0; i < layout.pageCount(); ++i) {
        RecordingPage page(a4, 72);
        QPainter painter(&page);
        layout.drawPage(painter, i);
        painter.end();
        for (const auto& t : page.texts) written.push_back(t.text);
    }
    for (const QString& name : names)
        EXPECT_NE(std::find(written.begin(), written.end(), name), written.end()) << name.toStdString();
}

// A readable chart read back by poppler: each name on the page where its box lies, each page's
// label in its margin, the page count the layout announces.
TEST_F(WallChartTest, PdfPagesCarryTheNamesAndTheirLabels) {
    const char* first[] = {"Alma", "Bert", "Cora", "Dag", "Edna", "Finn"};
    for (int i = 0; i < 6; ++i) addPerson(store, first[i], "Moe", i * 400, (i % 2) * 300);
    PersonItem* longName = addPerson(store, "Maximiliana Wilhelmina Augusta", "Moe", 0, 900);  // on the first column
    longName->DiedDate = "1950";
    settings.scale = ChartScale::BoxWidth;
    settings.boxWidthMm = 40;
    settings.pageLabels = true;
    settings.cutMarks = true;
    settings.overlapMm = 10;
    ChartPaper paper;
    paper.millimetres = {148, 210};  // A5
    paper.dpi = 150;
    const QString pdf = dir.filePath("chart.pdf");
    SaveFile file(pdf);
    ASSERT_EQ(writeChartFile(file, store, settings, paper), QString());

    // A5 landscape at 150 dpi: 1240 x 874, 10 mm margins of 59, an overlap of 59.
    const PosterLayout layout(store, settings, QSize(1240, 874), 150);
    ASSERT_GT(layout.pageCount(), 2);
    ASSERT_EQ(pdfPageCount(pdf), layout.pageCount());
    const PageGrid& grid = layout.grid();
    EXPECT_EQ(grid.margin, 59);
    EXPECT_EQ(grid.overlap, 59);
    for (int i = 0; i < layout.pageCount(); ++i) {
        SCOPED_TRACE(i);
        const QString text = pdfPageText(pdf, i + 1);
        EXPECT_TRUE(text.contains(QStringLiteral("row %1, column %2").arg(i / grid.columns + 1).arg(i % grid.columns + 1)))
            << text.toStdString();
        for (size_t b = 0; b < layout.items().size(); ++b) {
            const QRect box = layout.boxOf(b);
            // Whether the top of the box with its first line lies on this page's content.
            const QRect top(box.topLeft(), QSize(box.width(), 10));
            if (!grid.shownArea(i).contains(top)) continue;
            const QString name = b == 6 ? QStringLiteral("Maxim") : QString(first[b]);
            EXPECT_TRUE(text.contains(name)) << name.toStdString() << " in " << text.toStdString();
        }
    }
    // The long name is cut to its box and ends in "...", as on screen.
    QString all;
    for (int i = 1; i <= layout.pageCount(); ++i) all += pdfPageText(pdf, i);
    const int at = all.indexOf("Maxim");
    ASSERT_GE(at, 0);
    const QString cut = all.mid(at).section('\n', 0, 0).trimmed();
    EXPECT_TRUE(cut.endsWith("...")) << cut.toStdString();
    EXPECT_LT(cut.size(), 30);
    EXPECT_TRUE(all.contains("- 1950"));
}

// A full disk or a failed rename at any point, or printing stopped halfway, leaves the old file
// byte for byte and says why.
TEST_F(WallChartTest, AFailedWriteLeavesTheOldFile) {
    for (int i = 0; i < 40; ++i) addPerson(store, "Person" + std::to_string(i), "Lee", (i % 8) * 200, (i / 8) * 120);
    settings.pagesPerSide = 2;
    const QByteArray old = "%PDF-1.4 the chart printed last week\n";
    for (const char* name : {"chart.pdf", "chart.svg"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        ASSERT_TRUE(writeBytes(path, std::vector<unsigned char>(old.begin(), old.end())));
        int writes = 0;
        {
            SaveFile probe(dir.filePath(QStringLiteral("probe-") + name));
            ASSERT_EQ(writeChartFile(probe, store, settings, ChartPaper{}), QString());
            writes = probe.writeCount();
        }
        ASSERT_GT(writes, 0);
        for (const int n : {1, (writes + 1) / 2, writes}) {
            SCOPED_TRACE(n);
            SaveFile file(path);
            file.failWrite(n, ENOSPC);
            EXPECT_EQ(writeChartFile(file, store, settings, ChartPaper{}), "There is no space left on the device.");
            const auto bytes = readBytes(path);
            EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size())), old);
        }
        if (QString(name).endsWith(".pdf")) {
            // Stopped at the third of the four pages: the old file stays.
            std::vector<int> told;
            SaveFile file(path);
            EXPECT_EQ(writeChartFile(file, store, settings, ChartPaper{},
                                     [&](int page, int pages) {
                                         told.push_back(page * 10 + pages);
                                         return page < 3;
                                     }),
                      kChartCancelled);
            EXPECT_EQ(told, (std::vector<int>{14, 24, 34}));
            EXPECT_EQ(readBytes(path).size(), static_cast<size_t>(old.size()));
        }
        SaveFile renameFails(path);
        renameFails.failCommit(EIO);
        EXPECT_EQ(writeChartFile(renameFails, store, settings, ChartPaper{}), describeFileError(EIO));
        EXPECT_EQ(readBytes(path).size(), static_cast<size_t>(old.size()));
        EXPECT_EQ(QDir(dir.path()).entryList({QString(name) + ".*"}, QDir::Files | QDir::Hidden), QStringList());
    }
}

// One large page as SVG: the whole tree at its box size, the names as text.
TEST_F(WallChartTest, SvgIsOneLargePageWithTheNamesAsText) {
    PersonItem* ann = addPerson(store, "Ann", "Lee", 0, 0);
    PersonItem* bob = addPerson(store, "Bob", "Lee", 5000, 0);
    PersonItem* kim = addPerson(store, "Kim", "Lee", 2500, 300);
    kim->Father = ann;
    kim->Mother = bob;
    settings.scale = ChartScale::BoxWidth;
    settings.boxWidthMm = 28;  // 0.2 mm a unit: the tree is 5140 x 365 units, 1028 x 73 mm
    const QString svg = dir.filePath("tree.svg");
    SaveFile file(svg);
    ASSERT_EQ(writeChartFile(file, store, settings, ChartPaper{}), QString());
    QFile in(svg);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(in.readAll());
    for (const char* name : {">Ann<", ">Bob<", ">Kim<", ">- <"}) EXPECT_TRUE(text.contains(name)) << name;
    // With a 10 mm margin all round, at 300 dpi: 1048 x 93 mm.
    settings.onePage = true;
    const PosterLayout layout(store, settings, QSize(1, 1), 300);
    EXPECT_EQ(layout.pageCount(), 1);
    EXPECT_NEAR(layout.pageSizeMm().width(), 1048, 0.5);
    EXPECT_NEAR(layout.pageSizeMm().height(), 93, 0.5);
    EXPECT_TRUE(text.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(layout.pageSize().width()).arg(layout.pageSize().height())))
        << text.left(600).toStdString();
}

// The preview of a tree far wider than the picture shows every box as at least a pixel, the lines
// between them, and where the pages meet.
TEST_F(WallChartTest, PreviewShowsEveryBoxAndThePageBoundaries) {
    PersonItem* ann = addPerson(store, "Ann", "Lee", 0, 0);
    PersonItem* bob = addPerson(store, "Bob", "Lee", 100000, 0);
    PersonItem* kim = addPerson(store, "Kim", "Lee", 60000, 30000);
    kim->Father = ann;
    kim->Mother = bob;
    const QColor face(240, 240, 240), navy(0, 0, 128), red(Qt::red);
    const QSize picture(200, 150), a4(3508, 2480);
    const auto isNavyNear = [&](const QImage& image, QPoint p) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (image.rect().contains(p + QPoint(dx, dy)) && QColor(image.pixel(p + QPoint(dx, dy))) == navy) return true;
        return false;
    };

    // Fitted to 4 x 4 pages: one page's picture, 200 x 141 from the top 4, divided in four each way.
    settings.pagesPerSide = 4;
    QImage image = posterPreview(store, settings, picture, a4, 300, face);
    ASSERT_EQ(image.size(), picture);
    // The boxes, each under a pixel wide at this scale: 95 % of 200 pixels across 100,140 units.
    const double k = 190.0 / 100140;
    const int top = 4 + (141 - static_cast<int>(std::lround(k * 30065))) / 2;
    EXPECT_TRUE(isNavyNear(image, {5, top}));
    EXPECT_TRUE(isNavyNear(image, {5 + static_cast<int>(k * 100000), top}));
    EXPECT_TRUE(isNavyNear(image, {5 + static_cast<int>(k * 60000), top + static_cast<int>(k * 30000)}));
    // A parent line halfway from the child to its father.
    const QPoint half(5 + static_cast<int>(k * 30000), top + static_cast<int>(k * 15000));
    bool black = false;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) black |= QColor(image.pixel(half + QPoint(dx, dy))) == QColor(Qt::black);
    EXPECT_TRUE(black);
    for (const int x : {50, 100, 150}) EXPECT_EQ(QColor(image.pixel(x, 10)), red) << x;
    for (const int x : {49, 51, 99, 101}) EXPECT_NE(QColor(image.pixel(x, 10)), red) << x;

    // At a readable size: a rectangle for each page, as many as the layout has.
    settings.scale = ChartScale::BoxWidth;
    settings.boxWidthMm = 5;
    const PosterLayout layout(store, settings, a4, 300);
    ASSERT_GT(layout.grid().columns, 2);
    image = posterPreview(store, settings, picture, a4, 300, face);
    // Just inside the first row and the first column of pages, count the boundaries crossed.
    const auto isRed = [&](int x, int y) { return QColor(image.pixel(x, y)) == red; };
    int firstY = 0, firstX = 0;
    while (firstY < image.height() && !isRed(image.width() / 2, firstY)) ++firstY;
    while (firstX < image.width() && !isRed(firstX, image.height() / 2)) ++firstX;
    int across = 0, down = 0;
    for (int x = 0; x < image.width(); ++x) across += isRed(x, firstY + 3) && (x == 0 || !isRed(x - 1, firstY + 3));
    for (int y = 0; y < image.height(); ++y) down += isRed(firstX + 3, y) && (y == 0 || !isRed(firstX + 3, y - 1));
    EXPECT_EQ(across, layout.grid().columns + 1);
    EXPECT_EQ(down, layout.grid().rows + 1);
}

}  // namespace
