#include "canvas/unset_pixels.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace kinloom;

namespace {

// Checks every count and bit that UnsetPixels keeps against the pixels themselves.
void expectAgrees(const UnsetPixels& unset, const std::vector<unsigned char>& mask, int width, int top, int bottom,
                  const std::string& where) {
    long long total = 0;
    const int smallsAcross = (width + 15) / 16, smallsDown = (bottom - top + 15) / 16;
    for (int sy = 0; sy < smallsDown; ++sy)
        for (int sx = 0; sx < smallsAcross; ++sx) {
            int count = 0;
            for (int y = top + sy * 16; y < std::min(bottom, top + sy * 16 + 16); ++y)
                for (int x = sx * 16; x < std::min(width, sx * 16 + 16); ++x) {
                    const bool pixelUnset = mask[static_cast<size_t>(y * width + x)] == 0;
                    count += pixelUnset;
                    ASSERT_EQ(unset.isUnset(x, y), pixelUnset) << where << " pixel " << x << "," << y;
                }
            total += count;
            ASSERT_EQ(unset.unsetIn(unset.smallIndex(sx, sy)), count) << where << " square " << sx << "," << sy;
            const bool open = (unset.openSmalls(sx / 8, sy / 8) >> ((sy % 8) * 8 + sx % 8)) & 1;
            ASSERT_EQ(open, count > 0) << where << " square " << sx << "," << sy;
        }
    ASSERT_EQ(unset.unset(), total) << where;
}

}  // namespace

TEST(UnsetPixels, CountsAndBitsFollowThePixelsAsTheyAreSet) {
    std::mt19937 rng(23);
    // Widths and bands that do and do not fill whole squares, masks from empty to nearly full.
    struct Case {
        int width, height, top, bottom, percentSet;
    };
    const Case cases[] = {{16, 16, 0, 16, 0},    {300, 200, 0, 200, 50}, {300, 200, 37, 151, 95},
                          {1030, 70, 5, 70, 99}, {129, 260, 0, 260, 0},  {1, 1, 0, 1, 0}};
    for (const Case& c : cases) {
        std::vector<unsigned char> mask(static_cast<size_t>(c.width * c.height));
        for (unsigned char& m : mask) m = static_cast<int>(rng() % 100) < c.percentSet ? 1 : 0;
        UnsetPixels unset;
        unset.reset(mask.data(), c.width, c.top, c.bottom);
        const std::string where = std::to_string(c.width) + "x" + std::to_string(c.height) + " rows " +
                                  std::to_string(c.top) + ".." + std::to_string(c.bottom);
        expectAgrees(unset, mask, c.width, c.top, c.bottom, where);
        // Set the band's unset pixels in a random order, checking as squares fill up.
        std::vector<int> left;
        for (int y = c.top; y < c.bottom; ++y)
            for (int x = 0; x < c.width; ++x)
                if (!mask[static_cast<size_t>(y * c.width + x)]) left.push_back(y * c.width + x);
        std::shuffle(left.begin(), left.end(), rng);
        const size_t checks = 5;
        for (size_t i = 0; i < left.size(); ++i) {
            mask[static_cast<size_t>(left[i])] = 1;
            unset.set(left[i] % c.width, left[i] / c.width);
            if ((i + 1) % (left.size() / checks + 1) == 0 || i + 1 == left.size())
                expectAgrees(unset, mask, c.width, c.top, c.bottom, where + " after " + std::to_string(i + 1));
        }
        EXPECT_EQ(unset.unset(), 0) << where;
    }
}
