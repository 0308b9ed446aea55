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

TEST(GedcomScratch, RecordsOverlapAsBlocksOf160Bytes) {
    QTemporaryDir dir;
    const QString name = QDir(dir.path()).filePath("temp.klc");
    GedcomScratchCopy scratch;
    ASSERT_TRUE(scratch.create(name));
    EXPECT_EQ(scratch.append("0 HEAD"), 0);
    EXPECT_EQ(scratch.append("0 @I1@ INDI"), 6 + 11);
    const std::string longLine(200, 'y');
    EXPECT_EQ(scratch.append(longLine), 17 + 11 + 11);
    ASSERT_TRUE(scratch.close());

    const auto bytes = test::readBytes(name);
    // The last record (cut to 151 characters) is followed by filler to 160 bytes from its start.
    ASSERT_EQ(bytes.size(), 39u + 160u);
    EXPECT_EQ(bytes[0], 7);
    EXPECT_EQ(test::getInt32(bytes, 4), 17);
    EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 14), "0 HEAD");
    EXPECT_EQ(bytes[14], 0);
    EXPECT_EQ(bytes[17], 12);
    EXPECT_EQ(test::getInt32(bytes, 21), 39);
    EXPECT_EQ(std::string(bytes.begin() + 25, bytes.begin() + 36), "0 @I1@ INDI");
    EXPECT_EQ(bytes[36], 0);
    EXPECT_EQ(bytes[39], 152);
    EXPECT_EQ(test::getInt32(bytes, 43), 39 + 151 + 11);
    EXPECT_EQ(std::string(bytes.begin() + 47, bytes.begin() + 47 + 151), std::string(151, 'y'));
    EXPECT_EQ(bytes[47 + 151], 0);
}

}  // namespace
}  // namespace kinloom
