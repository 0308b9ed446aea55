#include "canvas/link_lines.h"
#include "canvas/paint_tree.h"
#include "canvas_test_support.h"
#include "document/item_store.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace kinloom;

namespace {

// The pixels that differ between two pictures of one size, as "x,y" for the failure message.
std::string differences(const QImage& a, const QImage& b) {
    std::string out;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && n++ < 10) out += std::to_string(x) + "," + std::to_string(y) + " ";
    return out + "(" + std::to_string(n) + " pixels)";
}

}  // namespace

TEST(LinkLines, SetsExactlyThePixelsOfThePaintersOwnLines) {
    test::ensureGuiApplication();
    std::mt19937 rng(11);
    const QSize size(160, 120);
    for (int trial = 0; trial < 4000; ++trial) {
        // Short lines inside, lines leaving the picture, and lines from the far clamp limits; every
        // direction, horizontal, vertical and diagonal ones among them.
        const int range = std::array{20, 200, 20000}[trial % 3];
        const auto at = [&](int centre) { return static_cast<int>(rng() % (2 * range + 1)) - range + centre; };
        QLine line(at(80), at(60), at(80), at(60));
        if (trial % 7 == 0) line.setP2(QPoint(line.x1() + (trial % 2 ? 0 : 37), line.y1() + (trial % 2 ? 29 : 0)));
        if (trial % 11 == 0) line.setP2(line.p1() + QPoint(31, trial % 2 ? 31 : -31));
        if (trial % 13 == 0) line.setP2(line.p1());
        const bool dotted = trial % 2 == 1;
        QImage expected(size, QImage::Format_RGB32), actual(size, QImage::Format_RGB32);
        expected.fill(Qt::white);
        actual.fill(Qt::white);
        {
            QPainter painter(&expected);
            painter.setPen(QPen(QColor(128, 0, 128), 0, dotted ? Qt::DotLine : Qt::SolidLine));
            painter.drawLine(line);
        }
        {
            QPainter painter(&actual);
            LinkLines(painter).draw({line}, QColor(128, 0, 128), dotted);
        }
        ASSERT_TRUE(actual == expected) << "line " << line.x1() << "," << line.y1() << " -> " << line.x2() << ","
                                        << line.y2() << (dotted ? " dotted: " : ": ") << differences(actual, expected);
    }
}

TEST(LinkLines, ManyCrossingLinesInRunsOfColoursGiveThePaintersPicture) {
    test::ensureGuiApplication();
    // Lines drawn last show on top: kept and drawn last first, the picture must come out the same.
    // The last trials have enough lines to be drawn in bands by several threads.
    std::mt19937 rng(5);
    for (int trial = 0; trial < 14; ++trial) {
        const bool many = trial >= 12;
        const QSize size = many ? QSize(700, 530) : QSize(301 + trial, 203 + trial);
        const int range = std::array{150, 400, 20000}[trial % 3];
        const auto at = [&](int centre) { return static_cast<int>(rng() % (2 * range + 1)) - range + centre; };
        std::vector<std::vector<QLine>> runs(6);
        for (auto& run : runs)
            for (int i = 0; i < (many ? 1500 : 40 + 60 * trial); ++i)
                run.emplace_back(at(size.width() / 2), at(size.height() / 2), at(size.width() / 2), at(size.height() / 2));
        const QColor colours[] = {QColor(128, 0, 128), QColor(0, 0, 128), QColor(128, 0, 0)};
        QImage expected(size, QImage::Format_RGB32), actual(size, QImage::Format_RGB32);
        expected.fill(Qt::white);
        actual.fill(Qt::white);
        {
            QPainter painter(&expected);
            for (size_t k = 0; k < runs.size(); ++k) {
                painter.setPen(QPen(colours[k % 3], 0, k % 4 == 0 ? Qt::DotLine : Qt::SolidLine));
                for (const QLine& line : runs[k]) painter.drawLine(line);
            }
        }
        {
            QPainter painter(&actual);
            LinkLines links(painter);
            for (size_t k = 0; k < runs.size(); ++k) links.draw(runs[k], colours[k % 3], k % 4 == 0);
        }
        ASSERT_TRUE(actual == expected) << "trial " << trial << ": " << differences(actual, expected);
    }
}

TEST(LinkLines, TreePicturesMatchThePaintersOwnDrawing) {
    test::ensureGuiApplication();
    // Trees whose links cross the canvas in every direction, with marriages, drawn at several zooms;
    // the large one has enough boxes on the screen for them to be filled by two threads.
    struct Case {
        int items;
        QSize size;
        std::vector<double> zooms;
    };
    for (const Case& c : {Case{400, QSize(640, 480), {100.0, 35.0, 5.0, 1.0}}, Case{30000, QSize(200, 100), {3.0, 2.0}}}) {
        ItemStore store;
        std::mt19937 rng(3);
        std::vector<PersonItem*> items;
        for (int i = 0; i < c.items; ++i) {
            store.pointerX = static_cast<int>(rng() % 6000) - 1000;
            store.pointerY = static_cast<int>(rng() % 4000) - 1000;
            PersonItem* p = store.createItem();
            p->FirstName = "P" + std::to_string(i);
            if (i >= 2) {
                p->Father = items[rng() % items.size()];
                p->Mother = items[rng() % items.size()];
                if (rng() % 3 == 0) store.addMarriage(p, items[rng() % items.size()]);
            }
            items.push_back(p);
        }
        store.currentItem = nullptr;
        for (const double zoom : c.zooms) {
            const ViewState view{zoom, 200, 150};
            const QSize size = c.size;
            QImage expected(size, QImage::Format_RGB32), actual(size, QImage::Format_RGB32);
            expected.fill(kCanvasBackground);
            actual.fill(kCanvasBackground);
            {
                // A clip over the whole picture changes nothing drawn but sends every line and box
                // through the painter: the picture as it always was.
                QPainter painter(&expected);
                painter.setClipRect(QRect(QPoint(0, 0), size));
                paintTree(painter, store, view, size, PaintSettings{});
            }
            {
                QPainter painter(&actual);
                paintTree(painter, store, view, size, PaintSettings{});
            }
            EXPECT_TRUE(actual == expected) << c.items << " items, zoom " << zoom << ": " << differences(actual, expected);
        }
    }
}

TEST(LinkLines, AtPixelRatioTwoLinesAreTwoDevicePixelsWideOnTheLogicalPixels) {
    test::ensureGuiApplication();
    std::mt19937 rng(17);
    const QSize size(120, 90);
    const QColor colour(0, 0, 128);
    const auto draw = [&](QImage& image, const QLine& line, bool dotted) {
        image.fill(Qt::white);
        QPainter painter(&image);
        LinkLines(painter).draw({line}, colour, dotted);
    };
    for (int trial = 0; trial < 600; ++trial) {
        const auto at = [&](int centre) { return static_cast<int>(rng() % 161) - 80 + centre; };
        QLine line(at(60), at(45), at(60), at(45));
        const bool straight = trial % 2 == 0;
        if (straight) line.setP2(trial % 4 == 0 ? QPoint(line.x2(), line.y1()) : QPoint(line.x1(), line.y2()));
        // At ratio 1 the painter counts the dots from where the picture cuts a line; at ratio 2 they
        // count from the line's start: dotted lines compare when they start inside.
        const bool dotted = trial % 3 == 0 && QRect(QPoint(0, 0), size).contains(line.p1());
        QImage plain(size, QImage::Format_RGB32), sharp(size * 2, QImage::Format_RGB32);
        sharp.setDevicePixelRatio(2);
        draw(plain, line, dotted);
        draw(sharp, line, dotted);
        if (straight) {
            // Along the axes every logical pixel of the line is a 2 x 2 square, dots included.
            const QImage scaled = plain.scaled(size * 2);
            ASSERT_TRUE(sharp.convertToFormat(QImage::Format_RGB32) == scaled.convertToFormat(QImage::Format_RGB32))
                << line.x1() << "," << line.y1() << " -> " << line.x2() << "," << line.y2() << (dotted ? " dotted: " : ": ")
                << differences(sharp.convertToFormat(QImage::Format_RGB32), scaled.convertToFormat(QImage::Format_RGB32));
            continue;
        }
        // Slanting lines: every device pixel set lies within the line's half width of the segment
        // between the centres of the end pixels, and a solid line sets two pixels across at every step.
        const QPointF p1 = QPointF(line.p1()) * 2 + QPointF(1, 1), p2 = QPointF(line.p2()) * 2 + QPointF(1, 1);
        const QPointF d = p2 - p1;
        const double length = std::hypot(d.x(), d.y());
        int count = 0;
        for (int y = 0; y < sharp.height(); ++y)
            for (int x = 0; x < sharp.width(); ++x) {
                if (sharp.pixel(x, y) != colour.rgb()) continue;
                ++count;
                const QPointF c(x + 0.5, y + 0.5);
                const double t = length == 0 ? 0 : std::clamp(QPointF::dotProduct(c - p1, d) / (length * length), 0.0, 1.0);
                const QPointF off = c - (p1 + d * t);
                ASSERT_LE(std::hypot(off.x(), off.y()), 2.3) << x << "," << y << " of " << line.x1() << "," << line.y1()
                                                             << " -> " << line.x2() << "," << line.y2();
            }
        const QRect inside(QPoint(0, 0), size * 2);
        if (!dotted && inside.contains((p1 - QPointF(1, 1)).toPoint()) && inside.contains((p2 - QPointF(1, 1)).toPoint())) {
            const int major = std::max(std::abs(line.dx()), std::abs(line.dy()));
            EXPECT_EQ(count, 2 * (2 * major + 2)) << line.x1() << "," << line.y1() << " -> " << line.x2() << "," << line.y2();
        }
    }
}

TEST(LinkLines, BoxesPaintedOverAndAnyNumberOfThreadsLeaveThePictureUnchanged) {
    test::ensureGuiApplication();
    // Enough lines to be shared between threads, and boxes that the lines need not draw under.
    std::mt19937 rng(29);
    const QSize size(420, 330);
    const auto at = [&](int range, int centre) { return static_cast<int>(rng() % (2 * range + 1)) - range + centre; };
    std::vector<std::vector<QLine>> runs(5);
    for (auto& run : runs)
        for (int i = 0; i < 1400; ++i) run.emplace_back(at(260, 210), at(200, 165), at(260, 210), at(200, 165));
    std::vector<QRect> boxes;
    for (int i = 0; i < 2500; ++i) boxes.emplace_back(at(230, 210), at(180, 165), 2 + static_cast<int>(rng() % 9), 1 + static_cast<int>(rng() % 4));
    const QColor colours[] = {QColor(128, 0, 128), QColor(0, 0, 128), QColor(128, 0, 0)};
    const QColor boxColour(255, 255, 0);
    // Lines first, then the boxes over them; with `threads` 0 the boxes are not told to the lines.
    const auto draw = [&](int ratio, int threads) {
        QImage image(size * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter painter(&image);
        LinkLines links(painter, std::max(threads, 1));
        for (size_t k = 0; k < runs.size(); ++k) links.draw(runs[k], colours[k % 3], k % 4 == 0);
        if (threads > 0)
            for (const QRect& box : boxes) links.paintedOver(box);
        links.finish();
        for (const QRect& box : boxes) painter.fillRect(box, boxColour);
        painter.end();
        return image.convertToFormat(QImage::Format_RGB32);
    };
    for (const int ratio : {1, 2}) {
        QImage expected = draw(ratio, 0);
        if (ratio == 1) {
            // At ratio 1 the painter's own lines give the same picture.
            QImage own(size, QImage::Format_RGB32);
            own.fill(Qt::white);
            QPainter painter(&own);
            for (size_t k = 0; k < runs.size(); ++k) {
                painter.setPen(QPen(colours[k % 3], 0, k % 4 == 0 ? Qt::DotLine : Qt::SolidLine));
                painter.drawLines(runs[k].data(), static_cast<int>(runs[k].size()));
            }
            for (const QRect& box : boxes) painter.fillRect(box, boxColour);
            painter.end();
            ASSERT_TRUE(expected == own) << differences(expected, own);
        }
        for (const int threads : {1, 2, 3, 4}) {
            const QImage actual = draw(ratio, threads);
            EXPECT_TRUE(actual == expected) << "ratio " << ratio << ", " << threads << " threads: " << differences(actual, expected);
        }
    }
}
