// Random, truncated and broken GEDCOM input: the line parser and the reader never crash, hang or
// leave a tree whose links point outside the store.
#include "gedcom/gedcom_line.h"
#include "gedcom/gedcom_reader.h"
#include "support/gedcom_fixture.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <random>
#include <set>

namespace kinloom {
namespace {

const char* const kPieces[] = {"0",    "1",    "2",    "3",     "-1",   "+1",   "x",    "",     "@I1@", "@I2@",
                               "@I3@", "@F1@", "@S1@", "INDI",  "FAM",  "HUSB", "WIFE", "CHIL", "DIV",  "DIVF",
                               "MARR", "DATE", "PLAC", "NAME",  "SEX",  "BIRT", "DEAT", "BAPM", "OCCU", "SOUR",
                               "/",    "//",   "A /B/", "\t",   "  ",   "\x01", "\xEF\xBB\xBF", "\xFF", "@",
                               "99999999999", "indi", "fam"};

std::string randomLine(std::mt19937& rng) {
    std::string line;
    const int parts = static_cast<int>(rng() % 6);
    for (int i = 0; i < parts; ++i) {
        if (i) line += ' ';
        if (rng() % 8 == 0) {
            const int n = static_cast<int>(rng() % 300);
            for (int k = 0; k < n; ++k) line += static_cast<char>(rng() % 256);
        } else {
            line += kPieces[rng() % std::size(kPieces)];
        }
    }
    return line;
}

// Every link of every item points at an item of the store, and marriages are linked both ways.
void expectSoundTree(const ItemStore& store) {
    std::set<const PersonItem*> items;
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) items.insert(p);
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
        EXPECT_TRUE(!p->Father || items.count(p->Father));
        EXPECT_TRUE(!p->Mother || items.count(p->Mother));
        EXPECT_LE(p->GedcomId.str().size(), 20u);
        EXPECT_LE(p->Sex.str().size(), 1u);
        for (int i = 1; i <= kMaxSpouses; ++i) {
            const PersonItem* s = p->Spouse[i];
            if (!s) continue;
            ASSERT_TRUE(items.count(s));
            int back = 0;
            for (int j = 1; j <= kMaxSpouses; ++j)
                if (s->Spouse[j] == p) ++back;
            EXPECT_GT(back, 0);
        }
    }
}

TEST(GedcomFuzz, RandomLinesNeverBreakTheParserOrTheReader) {
    std::mt19937 rng(20240307);
    for (int round = 0; round < 40; ++round) {
        ScriptedPrompts prompts;
        ItemStore store(&prompts);
        GedcomReader reader(store, nullptr);
        int individuals = 0, skipped = 0;
        for (int i = 0; i < 400; ++i) {
            const std::string text = randomLine(rng);
            GedcomLine parsed;
            if (parseGedcomLine(text, parsed)) {
                EXPECT_LE(parsed.value.size(), 255u);
                EXPECT_EQ(parsed.tag.find(' '), std::string::npos);
                EXPECT_EQ(trimGedcomText(parsed.value), parsed.value);
            }
            // A line that is not GEDCOM is skipped and counted; the reading always goes on.
            EXPECT_TRUE(reader.readLine(text));
            const bool ok = parseGedcomLine(text, parsed);
            skipped += !ok;
            if (ok && parsed.level == 0 && !parsed.tag.empty() && parsed.tag[0] == '@' &&
                (parsed.value.rfind("INDI", 0) == 0 || parsed.value.rfind("indi", 0) == 0))
                ++individuals;
            std::string given, surname;
            splitGedcomName(text, given, surname);
            EXPECT_LE(given.size() + surname.size(), text.size());
        }
        reader.finish();
        EXPECT_EQ(reader.lineCount(), 400);
        EXPECT_EQ(reader.skippedLines(), skipped);
        EXPECT_EQ(reader.individualCount(), individuals);
        EXPECT_EQ(store.itemCount(), individuals);
        expectSoundTree(store);
    }
}

TEST(GedcomFuzz, TruncatedAndMangledFilesEndCleanly) {
    const std::string good = test::lines(
        {"0 HEAD", "1 CHAR UTF-8", "0 @I1@ INDI", "1 NAME Ola /Nordmann/", "1 SEX M", "1 BIRT", "2 DATE 1 JAN 1900",
         "2 PLAC Oslo", "0 @I2@ INDI", "1 NAME Kari /Hansen/", "1 SEX F", "0 @I3@ INDI", "1 NAME Per /Nordmann/",
         "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 MARR", "2 DATE 1925", "1 DIV", "2 PLAC Moss", "1 CHIL @I3@",
         "0 TRLR"});
    std::mt19937 rng(7);
    const std::string prefixes[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    for (const std::string& prefix : prefixes) {
        for (size_t cut = 0; cut <= good.size(); cut += 3) {
            std::string bytes = prefix + good.substr(0, cut);
            // Some of the files get line ends of other kinds and stray bytes as well.
            if (cut % 2) {
                for (char& c : bytes)
                    if (c == '\n' && rng() % 3 == 0) c = '\r';
                if (!bytes.empty()) bytes[rng() % bytes.size()] = static_cast<char>(rng() % 256);
            }
            test::GedcomFixture f;
            const GedcomImportResult r = f.read(bytes);
            EXPECT_EQ(r.individuals, f.store.itemCount());
            EXPECT_LE(r.individuals, 3);
            EXPECT_LE(r.families, 1);
            if (!r.ok) {
                ASSERT_FALSE(f.user.statuses.isEmpty());
                EXPECT_EQ(f.user.statuses.last(), gedcomImportFailedStatus(r.lines));
                EXPECT_EQ(f.prompts.messageTexts().back(), QStringLiteral("GEDCOM import failed"));
            }
            expectSoundTree(f.store);
            // Every item's scratch position lies inside what the lines could take: at most 12
            // bytes per byte read, since a line of L characters takes L + 11.
            for (const PersonItem* p = f.store.firstItem(); p; p = p->Next) {
                EXPECT_GE(p->GedcomPos, 0);
                EXPECT_LE(p->GedcomPos, 12 * (static_cast<int64_t>(bytes.size()) + 1));
            }
        }
    }
}

}  // namespace
}  // namespace kinloom
