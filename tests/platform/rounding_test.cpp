#include "platform/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace kinloom;

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbourAndEverythingElseAsTheLibraryRounds) {
    const struct {
        double value;
        long long expected;
    } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2}, {2.4999999, 2},
                 {2.5000001, 3}, {-7.5, -8}, {1e15 + 0.5, 1000000000000000}, {0x1p51 + 1, 2251799813685249},
                 {-0x1p53, -9007199254740992}, {0.49999999999999994, 0}};
    for (const auto& c : cases) EXPECT_EQ(roundHalfEven(c.value), c.expected) << c.value;
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> small(-50000, 50000);
    for (int i = 0; i < 200000; ++i) {
        const double v = i % 4 == 0 ? std::floor(small(rng)) + 0.5 : small(rng) * (i % 3 == 0 ? 1e9 : 1);
        ASSERT_EQ(roundHalfEven(v), static_cast<long long>(std::nearbyint(v))) << v;
    }
}
