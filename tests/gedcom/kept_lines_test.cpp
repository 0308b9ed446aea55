#include "gedcom/kept_lines.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace kinloom {
namespace {

using Lines = std::vector<std::pair<uint8_t, std::string>>;

Lines contents(const KeptLines& kept) {
    Lines out;
    kept.forEach([&](uint8_t kind, std::string_view value) { out.emplace_back(kind, std::string(value)); });
    return out;
}

// Lengths where the packing changes: the one-byte length ends at 254, a line of a block's size
// or more gets a block of its own.
TEST(KeptLines, KeepsEveryLengthWholeAndInOrder) {
    const size_t lengths[] = {0, 1, 254, 255, 256, 65535, 65536, KeptLines::kBlockBytes - 2,
                              KeptLines::kBlockBytes, 3 * KeptLines::kBlockBytes + 7, 3};
    KeptLines kept;
    Lines expected;
    uint8_t kind = 0;
    for (const size_t length : lengths) {
        std::string value(length, '\0');
        for (size_t i = 0; i < length; ++i) value[i] = static_cast<char>('a' + (i * 7 + length) % 26);
        kept.append(kind, value);
        expected.emplace_back(kind, value);
        kind = static_cast<uint8_t>(kind * 3 + 250);  // kinds up to 255, 255 included
    }
    const Lines got = contents(kept);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].first, expected[i].first) << i;
        EXPECT_EQ(got[i].second, expected[i].second) << i;
    }
    kept.clear();
    EXPECT_TRUE(kept.empty());
    EXPECT_TRUE(contents(kept).empty());
}

// A random mix of appends and replacements, many blocks long, against a plain vector: a
// replacement that no longer fits its block moves the line to the next one, and nothing before it
// moves or is lost.
TEST(KeptLines, MatchesAPlainVectorThroughAppendsAndReplacements) {
    std::mt19937 random(31);
    KeptLines kept;
    Lines expected;
    size_t bytes = 0;
    while (bytes < 5 * KeptLines::kBlockBytes) {
        const int pick = static_cast<int>(random() % 100);
        const size_t length = pick < 80 ? random() % 40 : pick < 97 ? 200 + random() % 120 : random() % 300000;
        std::string value(length, static_cast<char>('A' + random() % 26));
        if (!value.empty()) value.back() = static_cast<char>('0' + expected.size() % 10);
        if (pick % 4 == 0 && !expected.empty()) {
            kept.replaceLastValue(value);
            expected.back().second = value;
        } else {
            const auto kind = static_cast<uint8_t>(random() % 11);
            kept.append(kind, value);
            expected.emplace_back(kind, value);
        }
        bytes += length + 2;
    }
    EXPECT_EQ(contents(kept), expected);

    // A line that fills its block to the last byte, then grows: it moves whole to a new block.
    KeptLines full;
    full.append(1, "first");
    // "first" takes 2 + 5 bytes, the filler 6 + its length, "sixsix" the last 2 + 6.
    const std::string filler(KeptLines::kBlockBytes - 7 - 6 - 8, 'x');
    full.append(2, filler);
    full.append(3, "sixsix");
    full.replaceLastValue("seven77");
    full.append(4, "");
    EXPECT_EQ(contents(full), (Lines{{1, "first"}, {2, filler}, {3, "seven77"}, {4, ""}}));
    // Replacing without any line kept does nothing.
    KeptLines none;
    none.replaceLastValue("lost");
    EXPECT_TRUE(none.empty());
}

}  // namespace
}  // namespace kinloom
