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
    std::mt19937 rng(5);
    for (int trial = 0; trial < 12; ++trial) {
        const QSize size(301 + trial, 203 + trial);
        const int range = std::array{150, 400, 20000}[trial % 3];
        const auto at = [&](int centre) { return static_cast<int>(rng() % (2 * range + 1)) - range + centre; };
        std::vector<std::vector<QLine>> runs(6);
        for (auto& run : runs)
            for (int i = 0; i < 40 + 60 * trial; ++i) run.emplace_back(at(150), at(100), at(150), at(100));
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
    // A tree whose links cross the canvas in every direction, with marriages, drawn at several zooms.
    ItemStore store;
    std::mt19937 rng(3);
    std::vector<PersonItem*> items;
    for (int i = 0; i < 400; ++i) {
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
    for (const double zoom : {100.0, 35.0, 5.0, 1.0}) {
        const ViewState view{zoom, 200, 150};
        const QSize size(640, 480);
        QImage expected(size, QImage::Format_RGB32), actual(size, QImage::Format_RGB32);
        expected.fill(kCanvasBackground);
        actual.fill(kCanvasBackground);
        {
            // A clip over the whole picture changes nothing drawn but sends every line through the
            // painter: the picture as it always was.
            QPainter painter(&expected);
            painter.setClipRect(QRect(QPoint(0, 0), size));
            paintTree(painter, store, view, size, PaintSettings{});
        }
        {
            QPainter painter(&actual);
            paintTree(painter, store, view, size, PaintSettings{});
        }
        EXPECT_TRUE(actual == expected) << "zoom " << zoom << ": " << differences(actual, expected);
    }
}
