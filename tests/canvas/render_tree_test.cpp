// The size of the picture of a whole tree: 100 % when it fits the limits, else shrunk in proportion.
#include "canvas/fit_view.h"
#include "canvas/render_tree.h"
#include "document/item_store.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace kinloom;

namespace {

// Two boxes whose bounds are known: the first at (0, 0), the second at (x, y).
QSize sizeForTwoBoxes(int x, int y) {
    ItemStore store;
    test::addPerson(store, "A", "B", 0, 0);
    test::addPerson(store, "C", "D", x, y);
    return wholeTreeImageSize(store);
}

}  // namespace

TEST(WholeTreeImage, FullSizeWithinTheLimitsAndShrunkInProportionBeyondThem) {
    ItemStore empty;
    EXPECT_EQ(wholeTreeImageSize(empty), QSize(1, 1));

    ItemStore one;
    test::addPerson(one, "A", "B", 0, 0);
    const CanvasBounds box = *boundsOfStore(one);
    const QSize single = wholeTreeImageSize(one);
    EXPECT_EQ(single, QSize(int(box.maxX - box.minX) + 2 * kFitMargin, int(box.maxY - box.minY) + 2 * kFitMargin));

    // Far apart, but within 64 million pixels: still 100 %.
    const QSize wide = sizeForTwoBoxes(6000, 4000);
    EXPECT_EQ(wide, QSize(6000 + single.width(), 4000 + single.height()));

    // 30,000 x 30,000 canvas units is 900 million pixels: shrunk to the pixel limit, same shape.
    const QSize big = sizeForTwoBoxes(30000, 30000);
    EXPECT_LE(static_cast<long long>(big.width()) * big.height(), kMaxTreeImagePixels + big.width() + big.height());
    EXPECT_GT(static_cast<long long>(big.width()) * big.height(), kMaxTreeImagePixels * 99 / 100);
    EXPECT_NEAR(double(big.width()) / big.height(), double(30000 + single.width()) / (30000 + single.height()), 0.01);

    // A very long row: GIF's largest side, height in proportion.
    const QSize row = sizeForTwoBoxes(2000000, 0);
    EXPECT_EQ(row.width(), kMaxTreeImageSide);
    EXPECT_GE(row.height(), 1);
    EXPECT_LE(row.height(), single.height());
}
