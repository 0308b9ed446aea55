#include "document/date_standardization.h"

#include <gtest/gtest.h>

using namespace kinloom;

namespace {
// Both forms, typed text and stored bytes, must give the same answer.
std::string both(const std::string& in, bool on = true) {
    const std::string bytes = standardizeDate(std::string_view(in), DateOptions{on});
    EXPECT_EQ(standardizeDate(QString::fromLatin1(in), DateOptions{on}).toStdString(), bytes) << in;
    return bytes;
}
}  // namespace

TEST(dateStandardization, WorkedExamples) {
    EXPECT_EQ(both("12.01.1900"), "12 Jan 1900");
    EXPECT_EQ(both("12/01/1900"), "12 Jan 1900");
    EXPECT_EQ(both("12-01-1900"), "12 Jan 1900");
    EXPECT_EQ(both("25/12/1900"), "25 Dec 1900");
    EXPECT_EQ(both("12/25/1900"), "25 Dec 1900");
    EXPECT_EQ(both("13/13/1900"), "13 13 1900");
    EXPECT_EQ(both("3 MAR 1850"), "3 MAR 1850");
    EXPECT_EQ(both("3 mar 1850"), "3 Mar 1850");
    EXPECT_EQ(both("abt 1900"), "abt 1900");
    EXPECT_EQ(both("1900"), "1900");
    EXPECT_EQ(both("07"), "07");
    EXPECT_EQ(both("12 jan"), "12 Jan ");
    EXPECT_EQ(both(""), "");
    EXPECT_EQ(both("  12/25/1900  "), "25 Dec 1900");
    EXPECT_EQ(both("bef. 1.2.1850"), "bef 1 Feb 1850");
    EXPECT_EQ(both("mAR 1850"), "MAR 1850");
    EXPECT_EQ(both("-5"), "5");  // signs become separators
}

TEST(dateStandardization, OffLeavesTextAsTyped) {
    EXPECT_EQ(both("12/25/1900", false), "12/25/1900");
    EXPECT_EQ(both("  x.y ", false), "  x.y ");
    EXPECT_EQ(standardizeDate(QStringLiteral("ca. 1.2.1850 \u00e5r"), DateOptions{false}),
              QStringLiteral("ca. 1.2.1850 \u00e5r"));
}

TEST(dateStandardization, NonAsciiTextKeepsWholeCharacters) {
    // The character before a cut-off year is a whole character, not half of one.
    EXPECT_EQ(standardizeDate(QStringLiteral("f\u00f8r\u00f81900"), DateOptions{}),
              QStringLiteral("f\u00f8r 1900"));
}

TEST(dateStandardization, IsoDatesReadYearMonthDay) {
    const std::pair<const char*, const char*> cases[] = {
        {"1900-03-05", "5 Mar 1900"},
        {" 1900-12-31 ", "31 Dec 1900"},
        {"2000-02-29", "29 Feb 2000"},  // a leap day
        // Not a date that exists, or not exactly YYYY-MM-DD: the general rules as before.
        {"1900-02-29", "1 00 Feb 29"},
        {"1900-13-05", "1 00 13 05"},
        {"1900-3-5", "1 00 Mar 5"},
        {"abt 1900-03-05", "abt 1 00 Mar 05"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(both(in), out) << in;
    EXPECT_EQ(both("1900-03-05", false), "1900-03-05");
}
