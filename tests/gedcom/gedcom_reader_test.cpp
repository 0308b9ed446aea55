#include "gedcom/gedcom_reader.h"
#include "support/gedcom_fixture.h"

#include <gtest/gtest.h>

namespace kinloom {
namespace {

using test::GedcomFixture;
using test::lines;

const std::string kFamily = lines({
    "0 HEAD", "1 SOUR TEST", "1 CHAR UTF-8",
    "0 @I1@ INDI", "1 NAME Ola /Nordmann/", "2 GIVN Ola", "1 SEX M", "1 OCCU Farmer", "1 SOUR Church book",
    "1 BIRT", "2 DATE 1 JAN 1900", "2 PLAC Oslo", "1 DEAT", "2 DATE 2 FEB 1970", "2 PLAC Bergen",
    "1 BAPM", "2 DATE 7 JAN 1900", "2 PLAC Oslo domkirke", "1 CHR", "2 DATE 8 JAN 1900", "1 FAMS @F1@",
    "0 @I2@ INDI", "1 NAME Kari /Hansen/", "1 SEX F",
    "0 @I3@ INDI", "1 NAME Per /Nordmann/", "1 SEX M", "1 FAMC @F1@",
    "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 MARR", "2 DATE 5 MAY 1925", "2 PLAC Drammen",
    "1 CHIL @I3@",
    "0 TRLR"});

TEST(GedcomReader, FillsItemsFromTheTagMap) {
    GedcomFixture f;
    ASSERT_TRUE(f.read(kFamily).ok);
    EXPECT_EQ(f.result.lines, 36);
    EXPECT_EQ(f.result.individuals, 3);
    EXPECT_EQ(f.result.families, 1);
    EXPECT_EQ(f.user.individuals, 3);
    EXPECT_EQ(f.user.families, 1);
    EXPECT_EQ(f.user.lastPercent, 100);
    EXPECT_EQ(f.user.statuses, QStringList{"Importing file..."});
    EXPECT_TRUE(f.prompts.records().empty());
    ASSERT_EQ(f.store.itemCount(), 3);

    PersonItem* ola = f.item(0);
    PersonItem* kari = f.item(1);
    PersonItem* per = f.item(2);
    EXPECT_EQ(ola->Id, 1);
    EXPECT_EQ(ola->GedcomId.str(), "@I1@");
    EXPECT_EQ(ola->FirstName.str(), "Ola");
    EXPECT_EQ(ola->LastName.str(), "Nordmann");
    EXPECT_EQ(ola->Sex.str(), "M");
    EXPECT_EQ(ola->Occupation.str(), "Farmer");
    EXPECT_EQ(ola->Source.str(), "Church book");
    EXPECT_EQ(ola->BornDate.str(), "1 JAN 1900");
    EXPECT_EQ(ola->BornPlace.str(), "Oslo");
    EXPECT_EQ(ola->DiedDate.str(), "2 FEB 1970");
    EXPECT_EQ(ola->DiedPlace.str(), "Bergen");
    EXPECT_EQ(ola->BaptizedDate.str(), "7 JAN 1900");  // CHR is not BAPM: its date is skipped
    EXPECT_EQ(ola->BaptizedPlace.str(), "Oslo domkirke");
    EXPECT_EQ(ola->X, 0);
    EXPECT_EQ(ola->Y, 0);
    EXPECT_TRUE(f.store.modified);

    // Spouses in slot 1 on both sides, with the marriage's date and place.
    EXPECT_EQ(ola->Spouse[1], kari);
    EXPECT_EQ(kari->Spouse[1], ola);
    EXPECT_EQ(ola->SpouseType[1], 'M');
    EXPECT_EQ(kari->SpouseType[1], 'M');
    EXPECT_EQ(ola->MarriageDate[1].str(), "5 MAY 1925");
    EXPECT_EQ(kari->MarriagePlace[1].str(), "Drammen");
    EXPECT_EQ(ola->Spouse[2], nullptr);
    EXPECT_EQ(per->Father, ola);
    EXPECT_EQ(per->Mother, kari);

    // Each individual remembers where its record starts in the scratch copy: "0 HEAD" takes
    // 6 + 11 bytes, "1 SOUR TEST" 11 + 11 and "1 CHAR UTF-8" 12 + 11.
    EXPECT_EQ(ola->GedcomPos, 17 + 22 + 23);
}

TEST(GedcomReader, ReadsEveryKindOfLineEnd) {
    const std::string lf = lines({"0 @I1@ INDI", "1 NAME A /B/", "0 @I2@ INDI", "1 NAME C /D/",
                                  "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "0 TRLR"}, "\n");
    for (const char* eol : {"\n", "\r\n", "\r"}) {
        GedcomFixture f;
        std::string text = lf;
        std::string converted;
        for (char c : text) {
            if (c == '\n') converted += eol; else converted += c;
        }
        // With and without a line end after the last line, and with a UTF-8 byte-order mark.
        for (const std::string& variant : {converted, converted.substr(0, converted.size() - std::strlen(eol)),
                                           "\xEF\xBB\xBF" + converted}) {
            f.store.clearMemory();
            ASSERT_TRUE(f.read(variant).ok) << eol;
            EXPECT_EQ(f.result.lines, 8);
            ASSERT_EQ(f.store.itemCount(), 2);
            EXPECT_EQ(f.item(0)->FirstName.str(), "A");
            EXPECT_EQ(f.item(1)->LastName.str(), "D");
            EXPECT_EQ(f.item(0)->Spouse[1], f.item(1));
            EXPECT_EQ(f.user.lastPercent, 100);
        }
    }
}

TEST(GedcomReader, BareLineFeedsInsideACrLfFileBelongToTheText) {
    // As rootsMagic writes notes: the first line end decides that lines end in CR LF.
    const std::string text = "0 HEAD\r\n0 @I1@ INDI\r\n1 NOTE <p>one</p>\n<div id=\"x\">two</div>\n  \r\n"
                             "1 NAME A /B/\n1 SEX M\r\n";
    GedcomFixture f;
    ASSERT_TRUE(f.read(text).ok);
    EXPECT_EQ(f.result.lines, 5);
    EXPECT_EQ(f.item(0)->FirstName.str(), "A");
    EXPECT_EQ(f.item(0)->Sex.str(), "M");

    // In a file of bare LFs the note's second line is no GEDCOM: skipped, and the blank line after
    // it ends the individual.
    GedcomFixture g;
    std::string lf = text;
    for (size_t at; (at = lf.find("\r\n")) != std::string::npos;) lf.erase(at, 1);
    ASSERT_TRUE(g.read(lf).ok);
    EXPECT_EQ(g.result.lines, 7);
    EXPECT_EQ(g.result.skippedLines, 1);
    EXPECT_EQ(g.result.firstSkippedLine, 4);
    EXPECT_EQ(g.item(0)->FirstName.str(), "");
}

TEST(GedcomReader, ReadsUtf16FilesAsUtf8) {
    const QString text = QString::fromUtf8(lines({"0 HEAD", "0 @I1@ INDI", "1 NAME Åse /Ødegård/", "0 TRLR"}).c_str());
    std::string le = "\xFF\xFE";
    for (QChar c : text) { le += static_cast<char>(c.unicode() & 0xFF); le += static_cast<char>(c.unicode() >> 8); }
    GedcomFixture f;
    ASSERT_TRUE(f.read(le).ok);
    ASSERT_EQ(f.store.itemCount(), 1);
    EXPECT_EQ(f.item(0)->FirstName.str(), "\xC3\x85se");
    EXPECT_EQ(f.item(0)->LastName.str(), "\xC3\x98" "deg\xC3\xA5rd");
}

TEST(GedcomReader, SkipsLinesThatAreNotGedcomAndGoesOn) {
    GedcomFixture f;
    const auto r = f.read(lines({"0 HEAD", "0 @I1@ INDI", "1 NAME A /B/", "0 @I2@ INDI", "X NAME C /D/",
                                 "0 @I3@ INDI", "1 SEX F", "1.5 SEX M", "-- note --", "1 BIRT", "2 DATE 1900",
                                 "0 TRLR"}));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.lines, 12);
    EXPECT_EQ(r.skippedLines, 3);
    EXPECT_EQ(r.firstSkippedLine, 5);
    ASSERT_EQ(f.store.itemCount(), 3);
    EXPECT_EQ(f.item(0)->FirstName.str(), "A");
    EXPECT_EQ(f.item(1)->FirstName.str(), "");
    // A skipped line changes nothing: the individual goes on after it.
    EXPECT_EQ(f.item(2)->Sex.str(), "F");
    EXPECT_EQ(f.item(2)->BornDate.str(), "1900");
    EXPECT_TRUE(f.prompts.messageTexts().empty());  // told at the end of the whole import
    EXPECT_EQ(f.user.beeps, 0);

    // A missing file fails before its first line.
    GedcomFixture g;
    EXPECT_FALSE(readGedcomFile(g.store, g.dir.path() + "/missing.ged", g.user, g.prompts).ok);
    EXPECT_EQ(g.user.statuses.last(), "GEDCOM import failed - file possibly corrupted (reached line 0)");
    EXPECT_EQ(g.prompts.messageTexts(), std::vector<QString>{"GEDCOM import failed"});

    // An HTML page named .ged: nothing in it is GEDCOM, and nothing is read.
    GedcomFixture h;
    EXPECT_TRUE(h.read("<!DOCTYPE html>\n<html lang=\"en\">\n").ok);
    EXPECT_EQ(h.result.skippedLines, 2);
    EXPECT_EQ(h.result.firstSkippedLine, 1);
    EXPECT_TRUE(h.store.empty());
}

TEST(GedcomReader, EmptyLineEndsTheIndividual) {
    GedcomFixture f;
    ASSERT_TRUE(f.read(lines({"0 @I1@ INDI", "1 NAME A /B/", "", "1 SEX F", "1 BIRT", "2 DATE 1900",
                              "0 @I2@ INDI", "1 NAME C /D/", "1 SEX FEMALE"})).ok);
    EXPECT_EQ(f.item(0)->Sex.str(), "");
    EXPECT_EQ(f.item(0)->BornDate.str(), "");
    // SEX keeps one character.
    EXPECT_EQ(f.item(1)->Sex.str(), "F");
}

TEST(GedcomReader, FamiliesLinkIndividualsDefinedLater) {
    // The same file with its families first, last and between the individuals gives the same tree.
    const std::vector<const char*> people = {
        "0 @I1@ INDI", "1 NAME Ola /Nordmann/", "1 SEX M", "0 @I2@ INDI", "1 NAME Kari /Hansen/",
        "0 @I3@ INDI", "1 NAME Per /Nordmann/", "0 @I4@ INDI", "1 NAME Liv /Berg/", "0 @I5@ INDI"};
    const std::vector<const char*> families = {
        "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 MARR", "2 DATE 1925", "2 PLAC Drammen", "1 CHIL @I3@",
        "0 @F2@ FAM", "1 HUSB @I3@", "1 WIFE @I4@", "1 DIV", "2 DATE 1960", "1 CHIL @I5@"};
    const auto file = [](std::vector<std::vector<const char*>> parts) {
        std::string text;
        for (const auto& part : parts)
            for (const char* l : part) text += std::string(l) + "\r\n";
        return text;
    };
    const std::vector<const char*> firstFamily(families.begin(), families.begin() + 7);
    const std::vector<const char*> secondFamily(families.begin() + 7, families.end());
    const std::vector<const char*> firstPeople(people.begin(), people.begin() + 5);
    const std::vector<const char*> otherPeople(people.begin() + 5, people.end());
    for (const std::string& text : {file({people, families}), file({families, people}),
                                    file({firstPeople, secondFamily, otherPeople, firstFamily})}) {
        GedcomFixture f;
        ASSERT_TRUE(f.read(text).ok);
        EXPECT_EQ(f.result.refusedMarriages, 0);
        ASSERT_EQ(f.store.itemCount(), 5);
        PersonItem* ola = f.item(0);
        PersonItem* kari = f.item(1);
        PersonItem* per = f.item(2);
        PersonItem* liv = f.item(3);
        EXPECT_EQ(ola->FirstName.str(), "Ola");
        EXPECT_EQ(ola->Spouse[1], kari);
        EXPECT_EQ(kari->Spouse[1], ola);
        EXPECT_EQ(kari->MarriageDate[1].str(), "1925");
        EXPECT_EQ(ola->MarriagePlace[1].str(), "Drammen");
        EXPECT_EQ(per->Father, ola);
        EXPECT_EQ(per->Mother, kari);
        // Per and Liv: one relationship, divorced, with the divorce's date.
        EXPECT_EQ(per->Spouse[1], liv);
        EXPECT_EQ(per->Spouse[2], nullptr);
        EXPECT_EQ(liv->SpouseType[1], 'D');
        EXPECT_EQ(per->MarriageDate[1].str(), "1960");
        EXPECT_EQ(f.item(4)->Father, per);
        EXPECT_EQ(f.item(4)->Mother, liv);
    }
}

TEST(GedcomReader, ChildrenBeforeParentsOnlyLinkTheLastChild) {
    GedcomFixture f;
    ASSERT_TRUE(f.read(lines({"0 @I1@ INDI", "0 @I2@ INDI", "0 @I3@ INDI", "0 @I4@ INDI", "0 @F1@ FAM",
                              "1 CHIL @I3@", "1 CHIL @I4@", "1 HUSB @I1@", "1 WIFE @I2@"})).ok);
    EXPECT_EQ(f.item(2)->Father, nullptr);
    EXPECT_EQ(f.item(2)->Mother, nullptr);
    EXPECT_EQ(f.item(3)->Father, f.item(0));
    EXPECT_EQ(f.item(3)->Mother, f.item(1));
    EXPECT_EQ(f.item(0)->Spouse[1], f.item(1));
}

TEST(GedcomReader, DivorceAndFamilyEventsGiveTheMarriageItsType) {
    GedcomFixture f;
    ASSERT_TRUE(f.read(lines({"0 @I1@ INDI", "0 @I2@ INDI", "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@",
                              "1 MARR", "2 PLAC Oslo", "2 DATE 1920", "1 DIVF", "2 DATE 1930", "2 PLAC Moss"})).ok);
    PersonItem* h = f.item(0);
    PersonItem* w = f.item(1);
    // One relationship, divorced; the marriage's date and place win over the divorce's.
    EXPECT_EQ(h->Spouse[1], w);
    EXPECT_EQ(h->Spouse[2], nullptr);
    EXPECT_EQ(h->SpouseType[1], 'D');
    EXPECT_EQ(w->SpouseType[1], 'D');
    EXPECT_EQ(h->MarriageDate[1].str(), "1920");
    EXPECT_EQ(w->MarriagePlace[1].str(), "Oslo");

    // A divorce with only one partner known makes no marriage.
    GedcomFixture g;
    ASSERT_TRUE(g.read(lines({"0 @I1@ INDI", "0 @F1@ FAM", "1 HUSB @I1@", "1 DIV Y", "2 DATE 1930"})).ok);
    EXPECT_EQ(g.item(0)->Spouse[1], nullptr);

    // The type holds whenever the partners become known; only a TYPE naming a relationship counts,
    // and only its date and place are taken.
    const struct {
        std::vector<const char*> lines;  // the family's lines after its start
        char type;
        const char* date;
        const char* place;
    } cases[] = {
        {{"1 DIV", "1 HUSB @I1@", "1 WIFE @I2@"}, 'D', "", ""},
        {{"1 HUSB @I1@", "1 DIV", "2 DATE 1930", "1 WIFE @I2@"}, 'D', "", ""},  // data before the marriage is lost
        {{"1 HUSB @I1@", "1 WIFE @I2@", "1 EVEN", "2 TYPE Partnership", "2 DATE 1990", "2 PLAC Moss"}, 'P', "1990", "Moss"},
        {{"1 EVEN", "2 TYPE friend", "1 HUSB @I1@", "1 WIFE @I2@"}, 'F', "", ""},
        {{"1 HUSB @I1@", "1 WIFE @I2@", "1 EVEN", "2 TYPE Single"}, 'S', "", ""},
        {{"1 HUSB @I1@", "1 WIFE @I2@", "1 EVEN", "2 TYPE Other", "2 PLAC Bergen,", "3 CONT Norway"}, 'O', "", "Bergen, Norway"},
        {{"1 HUSB @I1@", "1 WIFE @I2@", "1 EVEN", "2 TYPE Unknown"}, 'U', "", ""},
        {{"1 HUSB @I1@", "1 WIFE @I2@", "1 EVEN", "2 TYPE Engagement", "2 DATE 1989", "2 PLAC Moss"}, 'M', "", ""},
        {{"1 HUSB @I1@", "1 WIFE @I2@", "1 EVEN", "2 DATE 1989", "2 TYPE Partnership"}, 'P', "", ""},
    };
    for (const auto& c : cases) {
        std::string text = lines({"0 @I1@ INDI", "0 @I2@ INDI", "0 @F1@ FAM"});
        for (const char* l : c.lines) text += std::string(l) + "\r\n";
        SCOPED_TRACE(text);
        GedcomFixture t;
        ASSERT_TRUE(t.read(text).ok);
        ASSERT_EQ(t.item(0)->Spouse[1], t.item(1));
        EXPECT_EQ(t.item(0)->Spouse[2], nullptr);
        EXPECT_EQ(t.item(0)->SpouseType[1], c.type);
        EXPECT_EQ(t.item(1)->SpouseType[1], c.type);
        EXPECT_EQ(t.item(0)->MarriageDate[1].str(), c.date);
        EXPECT_EQ(t.item(1)->MarriagePlace[1].str(), c.place);
    }
}

TEST(GedcomReader, FirstEmbeddedObjectGivesThePicture) {
    GedcomFixture f;
    ASSERT_TRUE(f.read(lines({"0 @I1@ INDI", "1 OBJE @M1@", "1 OBJE", "2 FORM jpg", "2 FILE pics/ola.jpg",
                              "2 TITL Ola in 1920", "1 OBJE", "2 FILE pics/other.jpg", "2 TITL Other",
                              "0 @I2@ INDI", "1 OBJE", "2 FILE kari.gif", "3 FORM gif", "1 BIRT", "2 TITL Not a picture",
                              "0 @M1@ OBJE", "1 FILE record.jpg"})).ok);
    EXPECT_EQ(f.item(0)->PictureFile.str(), "pics/ola.jpg");
    EXPECT_EQ(f.item(0)->PictureText.str(), "Ola in 1920");
    EXPECT_EQ(f.item(1)->PictureFile.str(), "kari.gif");
    EXPECT_EQ(f.item(1)->PictureText.str(), "");
}

TEST(GedcomReader, NinthMarriageIsRefusedAndItsDataDropped) {
    std::string text = lines({"0 @I1@ INDI"});
    for (int i = 2; i <= 10; ++i) text += "0 @I" + std::to_string(i) + "@ INDI\r\n";
    for (int i = 2; i <= 10; ++i)
        text += "0 @F" + std::to_string(i) + "@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I" + std::to_string(i) +
                "@\r\n1 MARR\r\n2 DATE " + std::to_string(1900 + i) + "\r\n";
    GedcomFixture f;
    ASSERT_TRUE(f.read(text).ok);
    PersonItem* h = f.item(0);
    EXPECT_EQ(h->MarriageDate[8].str(), "1909");
    EXPECT_EQ(f.item(9)->Spouse[1], nullptr);
    EXPECT_EQ(f.item(9)->MarriageDate[1].str(), "");
    EXPECT_EQ(f.result.refusedMarriages, 1);
    ASSERT_EQ(f.prompts.messageTexts().size(), 1u);
    EXPECT_EQ(f.prompts.messageTexts()[0],
              "Error: Could not create marriage. This version only supports 8 marriages. "
              "1 marriage could not be created.");
}

TEST(GedcomReader, RefusedMarriagesAreToldOnceAtTheEnd) {
    // Twelve wives, and a divorce from the last: four marriages find no free slot, and the divorce
    // marks the refused one without trying again.
    std::string text = lines({"0 @I1@ INDI", "1 NAME Many /Wives/"});
    for (int i = 2; i <= 13; ++i) text += "0 @I" + std::to_string(i) + "@ INDI\r\n";
    for (int i = 2; i <= 13; ++i)
        text += "0 @F" + std::to_string(i) + "@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I" + std::to_string(i) + "@\r\n";
    text += "1 DIV\r\n2 DATE 1950\r\n0 @I14@ INDI\r\n1 NAME After /All/\r\n";
    GedcomFixture f;
    ASSERT_TRUE(f.read(text).ok);
    EXPECT_EQ(f.result.refusedMarriages, 4);
    EXPECT_EQ(f.store.itemCount(), 14);
    EXPECT_EQ(f.item(0)->Spouse[8], f.item(8));
    EXPECT_EQ(f.item(12)->Spouse[1], nullptr);  // no half marriage is left behind
    ASSERT_EQ(f.prompts.records().size(), 1u);
    EXPECT_EQ(f.prompts.records()[0].caption, kAppTitle);
    EXPECT_EQ(f.prompts.records()[0].icon, PromptIcon::Error);
    EXPECT_EQ(f.prompts.messageTexts()[0],
              "Error: Could not create marriage. This version only supports 8 marriages. "
              "4 marriages could not be created.");
    // The store tells its user again once the import is over.
    EXPECT_EQ(f.store.addMarriage(f.item(0), f.item(13)), -1);
    EXPECT_EQ(f.prompts.messageTexts().size(), 2u);
}

TEST(GedcomReader, LongCrossReferencesAreStoredCutAndFoundWhole) {
    GedcomFixture f;
    const std::string id22 = "@I12345678901234567890";  // 22 characters, the longest GEDCOM allows
    const std::string a = id22 + "@", b = id22.substr(0, 20) + "99@";  // alike in their first 20
    ASSERT_TRUE(f.read(lines({("0 " + a + " INDI").c_str(), ("0 " + b + " INDI").c_str(), "0 @I3@ INDI",
                              "0 @F1@ FAM", ("1 HUSB " + a).c_str(), "1 WIFE @I3@", ("1 CHIL " + b).c_str(),
                              ("1 CHIL " + a.substr(0, 20)).c_str()})).ok);
    EXPECT_EQ(f.item(0)->GedcomId.str(), a.substr(0, 20));
    EXPECT_EQ(f.item(1)->GedcomId.str(), a.substr(0, 20));
    EXPECT_EQ(f.item(0)->Spouse[1], f.item(2));
    EXPECT_EQ(f.item(1)->Father, f.item(0));
    EXPECT_EQ(f.item(1)->Mother, f.item(2));
    EXPECT_EQ(f.item(0)->Father, nullptr);  // the cut id names nobody
}

TEST(GedcomReader, OtherRecordsKeepTheFamilyOpen) {
    // A source record after a family leaves the record kind at FAM, so its lines still act on it.
    GedcomFixture f;
    ASSERT_TRUE(f.read(lines({"0 @I1@ INDI", "0 @I2@ INDI", "0 @I3@ INDI", "0 @F1@ FAM", "1 HUSB @I1@",
                              "0 @S1@ SOUR", "1 WIFE @I2@", "0 @N1@ NOTE", "1 CHIL @I3@",
                              "0 HEAD", "1 SOUR X"})).ok);
    EXPECT_EQ(f.item(0)->Spouse[1], f.item(1));
    EXPECT_EQ(f.item(2)->Father, f.item(0));
    EXPECT_EQ(f.item(2)->Mother, f.item(1));
    EXPECT_EQ(f.item(0)->Source.str(), "");
}

TEST(GedcomReader, FirstItemWithAnIdWins) {
    GedcomFixture f;
    ASSERT_TRUE(f.read(lines({"0 @I1@ INDI", "1 NAME First", "0 @I1@ INDI", "1 NAME Second",
                              "0 @I2@ INDI", "0 @F1@ FAM", "1 WIFE @I2@", "1 HUSB @I1@",
                              "0 @i1@ indi"})).ok);
    ASSERT_EQ(f.store.itemCount(), 4);  // the value is compared without case
    EXPECT_EQ(f.item(0)->Spouse[1], f.item(2));
    EXPECT_EQ(f.item(1)->Spouse[1], nullptr);
    GedcomReader reader(f.store, nullptr);
    EXPECT_EQ(reader.findItemByGedcomId("@I1@"), f.item(0));
    EXPECT_EQ(reader.findItemByGedcomId("@i1@"), f.item(3));
    EXPECT_EQ(reader.findItemByGedcomId("I1"), nullptr);
}

TEST(GedcomReader, AChildKeepsTheParentsOfTheFirstFamilyWhateverItsId) {
    // Items already in the store are found by their GEDCOM ids too: one with an Id far past the
    // items read, one whose Id the items read repeat.
    GedcomFixture f;
    PersonItem* far = f.store.createItem();
    far->GedcomId = "@FAR@";
    far->Id = 5000000;
    PersonItem* repeated = f.store.createItem();
    repeated->GedcomId = "@REP@";
    f.store.lastId = 0;  // the individuals read get Ids 1, 2, ... again
    f.store.idsChanged();
    ASSERT_TRUE(f.read(lines({"0 @I1@ INDI", "0 @I2@ INDI", "0 @I3@ INDI", "0 @I4@ INDI",
                              "0 @F1@ FAM", "1 CHIL @FAR@", "1 CHIL @REP@", "1 CHIL @I3@", "1 HUSB @I1@", "1 WIFE @I2@",
                              "0 @F2@ FAM", "1 HUSB @I4@", "1 CHIL @REP@", "1 CHIL @I2@",
                              "0 @F3@ FAM", "1 CHIL @I3@", "1 HUSB @I4@",
                              "0 @F4@ FAM", "1 CHIL @FAR@", "1 WIFE @I4@"})).ok);
    ASSERT_EQ(f.store.itemCount(), 6);
    PersonItem* i1 = f.item(2);
    PersonItem* i2 = f.item(3);
    PersonItem* i3 = f.item(4);
    PersonItem* i4 = f.item(5);
    EXPECT_EQ(repeated->Id, 2);
    EXPECT_EQ(i2->Id, 2);
    // Only the last child before HUSB and WIFE gets F1's parents; the others are kept from F2, F3, F4.
    EXPECT_EQ(i3->Father, i1);
    EXPECT_EQ(i3->Mother, i2);
    EXPECT_EQ(repeated->Father, nullptr);
    EXPECT_EQ(repeated->Mother, nullptr);
    EXPECT_EQ(far->Father, nullptr);
    EXPECT_EQ(far->Mother, nullptr);
    EXPECT_EQ(i2->Father, i4);  // its Id is the one item that F1 named first, but it is another item
    EXPECT_EQ(i4->Spouse[1], nullptr);
}

TEST(GedcomReader, KeepsStateBetweenLines) {
    ItemStore store;
    GedcomReader r(store, nullptr);
    ASSERT_TRUE(r.readLine("0 @I1@ INDI"));
    EXPECT_EQ(r.recordKind(), "INDI");
    EXPECT_EQ(r.currentIndividual(), store.firstItem());
    ASSERT_TRUE(r.readLine("1 BIRT"));
    ASSERT_TRUE(r.readLine("0 @F1@ FAM"));
    EXPECT_EQ(r.recordKind(), "FAM");
    EXPECT_EQ(r.currentIndividual(), nullptr);
    EXPECT_EQ(r.lastLevel1Tag(), "BIRT");
    ASSERT_TRUE(r.readLine("1 HUSB @I1@"));
    EXPECT_EQ(r.familyHusband(), nullptr);  // families are linked at the end
    ASSERT_TRUE(r.readLine("2 DATE 1900"));  // no marriage yet: nothing to store it in
    ASSERT_TRUE(r.readLine("0 @I2@ INDI"));
    EXPECT_EQ(r.recordKind(), "INDI");
    EXPECT_EQ(r.lineCount(), 6);
    // A line that is not GEDCOM is counted and changes nothing.
    EXPECT_TRUE(r.readLine("zero @I3@ INDI"));
    EXPECT_EQ(r.lineCount(), 7);
    EXPECT_EQ(r.skippedLines(), 1);
    EXPECT_EQ(r.firstSkippedLine(), 7);
    EXPECT_EQ(r.recordKind(), "INDI");
    EXPECT_EQ(store.itemCount(), 2);
    r.finish();
    EXPECT_EQ(r.familyHusband(), store.firstItem());
    EXPECT_EQ(r.husbandSlot(), 0);
    EXPECT_EQ(store.firstItem()->MarriageDate[1].str(), "");
}

}  // namespace
}  // namespace kinloom
