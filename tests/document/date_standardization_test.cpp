#include "document/date_standardization.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QRegularExpression>

#include <random>

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
}

TEST(dateStandardization, TextThatIsNotADateStaysAsTyped) {
    const char* const kept[] = {
        "1938-1940",  "1850-1860", "BET 1850 AND 1860", "13/13/1900", "2/30/1900", "1875-02-30",
        "31.4.1900",  "29.2.1900", "0.1.1900",          "00/00/1900", "Dec 25, 1900",
        "ca3 Mar 1900" /* a letter would be lost */,    "123 Jan 1900" /* a digit would be lost */,
        "12Jan1900",  "-5",        "unknown",           "1 Jan 123456"};
    for (const char* in : kept) EXPECT_EQ(both(in), in) << in;
    // Trimmed, nothing else.
    EXPECT_EQ(both("  1938-1940 \t"), "1938-1940");
    EXPECT_EQ(standardizeDate(QStringLiteral("f\u00f8r\u00f81900"), DateOptions{}), QStringLiteral("f\u00f8r\u00f81900"));
    // A leap day needs a leap year; without a year it may stand.
    EXPECT_EQ(both("29.2.1904"), "29 Feb 1904");
    EXPECT_EQ(both("29.2.2000"), "29 Feb 2000");
    EXPECT_EQ(both("29 feb"), "29 Feb ");
    EXPECT_EQ(both("31 Dec 1900"), "31 Dec 1900");
    EXPECT_EQ(both("12/13/14"), "13 Dec 14");  // month first, two-digit year
    EXPECT_EQ(both("BET 3 Jan 1850 AND 5/2/1860"), "BET 3 Jan 1850 AND 5 Feb 1860");
}

// Every day of a leap and a common year, written as users type it, against QDate's own calendar;
// the day after each month's last one is not a date and stays as typed.
TEST(dateStandardization, EveryDayOfTheYearInEveryNotation) {
    static const char* const names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int year : {1896, 1900}) {
        for (int m = 1; m <= 12; ++m) {
            const int last = QDate(year, m, 1).daysInMonth();
            for (int d = 1; d <= last + 1; ++d) {
                const std::string y = std::to_string(year), ds = std::to_string(d), ms = std::to_string(m);
                const std::string want = d <= last ? ds + " " + names[m - 1] + " " + y : "";
                for (const std::string& in : {ds + "." + ms + "." + y, ds + "/" + ms + "/" + y,
                                              ds + " " + names[m - 1] + " " + y}) {
                    EXPECT_EQ(both(in), want.empty() ? in : want) << in;
                }
                if (d > 12) {  // month first
                    const std::string in = ms + "/" + ds + "/" + y;
                    EXPECT_EQ(both(in), want.empty() ? in : want) << in;
                }
                char iso[16];
                std::snprintf(iso, sizeof iso, "%d-%02d-%02d", year, m, d);
                if (d <= last) EXPECT_EQ(both(iso), want) << iso;
            }
        }
    }
}

// Random text of digits, separators and month letters: the result is the trimmed input, or a date
// (prefix, optional existing day, month name, optional year) whose digits all come from the input
// in order.
TEST(dateStandardization, RandomTextIsKeptOrBecomesARealDate) {
    std::mt19937 rng(1234);
    const std::string alphabet = "0123456789012345 ./-,abtJanFebmarDEC";
    const QRegularExpression date(
        QStringLiteral("^(?:.* )?(?:(\\d{1,2}) )?(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) (\\d{1,5})?$"),
        QRegularExpression::CaseInsensitiveOption);
    const auto digits = [](const std::string& s) {
        std::string d;
        for (char c : s)
            if (c >= '0' && c <= '9') d += c;
        return d;
    };
    const auto isSubsequence = [](const std::string& part, const std::string& whole) {
        size_t i = 0;
        for (char c : whole)
            if (i < part.size() && part[i] == c) ++i;
        return i == part.size();
    };
    int dates = 0;
    for (int n = 0; n < 20000; ++n) {
        std::string in;
        const int len = std::uniform_int_distribution<int>(0, 14)(rng);
        for (int i = 0; i < len; ++i) in += alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)];
        if (QRegularExpression(QStringLiteral("^\\s*\\d{4}-\\d\\d-\\d\\d\\s*$")).match(QString::fromLatin1(in)).hasMatch())
            continue;  // the ISO order is read year first
        const std::string out = both(in);
        if (out == QString::fromLatin1(in).trimmed().toStdString()) continue;
        ++dates;
        const auto m = date.match(QString::fromLatin1(out));
        ASSERT_TRUE(m.hasMatch()) << in << " -> " << out;
        EXPECT_TRUE(isSubsequence(digits(out), digits(in))) << in << " -> " << out;
        if (m.capturedLength(1) > 0) {
            static const QString names = QStringLiteral("JanFebMarAprMayJunJulAugSepOctNovDec");
            const int month = int(names.indexOf(m.captured(2), 0, Qt::CaseInsensitive)) / 3 + 1;
            const int year = m.capturedLength(3) > 0 ? m.captured(3).toInt() : 2000;
            EXPECT_LE(m.captured(1).toInt(), QDate(year == 0 ? 2000 : year, month, 1).daysInMonth()) << in;
            EXPECT_GE(m.captured(1).toInt(), 1) << in;
        }
    }
    EXPECT_GT(dates, 100);  // the generator does reach real dates
}

TEST(dateStandardization, OffLeavesTextAsTyped) {
    EXPECT_EQ(both("12/25/1900", false), "12/25/1900");
    EXPECT_EQ(both("  x.y ", false), "  x.y ");
    EXPECT_EQ(standardizeDate(QStringLiteral("ca. 1.2.1850 \u00e5r"), DateOptions{false}),
              QStringLiteral("ca. 1.2.1850 \u00e5r"));
}

TEST(dateStandardization, NonAsciiPrefixKeepsWholeCharacters) {
    EXPECT_EQ(standardizeDate(QStringLiteral("f\u00f8r 3.4.1900"), DateOptions{}),
              QStringLiteral("f\u00f8r 3 Apr 1900"));
}

TEST(dateStandardization, IsoDatesReadYearMonthDay) {
    const std::pair<const char*, const char*> cases[] = {
        {"1900-03-05", "5 Mar 1900"},
        {" 1900-12-31 ", "31 Dec 1900"},
        {"2000-02-29", "29 Feb 2000"},  // a leap day
        // Not a date that exists, or not exactly YYYY-MM-DD: kept as typed.
        {"1900-02-29", "1900-02-29"},
        {"1900-13-05", "1900-13-05"},
        {"1900-3-5", "1900-3-5"},
        {"abt 1900-03-05", "abt 1900-03-05"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(both(in), out) << in;
    EXPECT_EQ(both("1900-03-05", false), "1900-03-05");
}
