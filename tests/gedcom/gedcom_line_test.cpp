#include "gedcom/gedcom_line.h"
#include "gedcom/scratch_copy.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

GedcomLine parse(std::string_view text) {
    GedcomLine l;
    EXPECT_TRUE(parseGedcomLine(text, l)) << text;
    return l;
}

TEST(GedcomLine, TakesLevelTagAndValueApart) {
    GedcomLine l = parse("0 @I12@ INDI");
    EXPECT_EQ(l.level, 0);
    EXPECT_EQ(l.tag, "@I12@");
    EXPECT_EQ(l.value, "INDI");

    l = parse("  2 PLAC  Oslo, Norway \t\r");
    EXPECT_EQ(l.level, 2);
    EXPECT_EQ(l.tag, "PLAC");
    EXPECT_EQ(l.value, "Oslo, Norway");

    l = parse("1 BIRT");
    EXPECT_EQ(l.level, 1);
    EXPECT_EQ(l.tag, "BIRT");
    EXPECT_EQ(l.value, "");

    // No blank at all, or nothing: level 0 without tag or value.
    for (const char* text : {"", "   ", "TRLR", "3"}) {
        l = parse(text);
        EXPECT_EQ(l.level, 0) << text;
        EXPECT_EQ(l.tag, "") << text;
        EXPECT_EQ(l.value, "") << text;
    }

    // A value is cut after 255 characters.
    l = parse("1 NOTE " + std::string(300, 'x'));
    EXPECT_EQ(l.value.size(), 255u);
}

TEST(GedcomLine, LevelMustBeAnInteger) {
    GedcomLine l;
    EXPECT_FALSE(parseGedcomLine("x HEAD", l));
    EXPECT_FALSE(parseGedcomLine("1a NAME Per", l));
    EXPECT_FALSE(parseGedcomLine("\xEF\xBB\xBF" "0 HEAD", l));  // a byte-order mark glued to the level
    EXPECT_TRUE(parseGedcomLine("-1 X y", l));
    EXPECT_EQ(l.level, -1);
    EXPECT_TRUE(parseGedcomLine("12 X y", l));
    EXPECT_EQ(l.level, 12);
}

TEST(GedcomLine, SplitsNames) {
    std::string given, surname;
    const auto split = [&](std::string_view v) {
        splitGedcomName(v, given, surname);
        return given + "|" + surname;
    };
    EXPECT_EQ(split("John /Smith/"), "John|Smith");
    EXPECT_EQ(split("John/Smith/"), "John|Smith");
    EXPECT_EQ(split("John /Smith/ Jr"), "John|Smith Jr");
    EXPECT_EQ(split("Ola Nordmann"), "Ola Nordmann|");
    EXPECT_EQ(split("/Smith/"), "|Smith");
    EXPECT_EQ(split("Anne //"), "Anne|");
    // Surname first: what follows the closing slash is the given name.
    EXPECT_EQ(split("/Liu/ Qin"), "Qin|Liu");
    EXPECT_EQ(split("/ Kim /Min Jun"), "Min Jun|Kim");
    EXPECT_EQ(split("/Liu Qin"), "|Liu Qin");
    EXPECT_EQ(split("//"), "|");
}

TEST(GedcomScratch, PositionsAdvanceByTheLineLengthPlus11AndLongLinesCountAs151) {
    GedcomScratchCopy scratch;
    EXPECT_EQ(scratch.append("0 HEAD"), 0);
    EXPECT_EQ(scratch.append("0 @I1@ INDI"), 6 + 11);
    EXPECT_EQ(scratch.append(std::string(200, 'y')), 17 + 11 + 11);
    EXPECT_EQ(scratch.append(""), 39 + 151 + 11);
    EXPECT_EQ(scratch.append("x"), 201 + 11);
}

}  // namespace
}  // namespace kinloom
