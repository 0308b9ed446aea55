#include "gedcom/gedcom_export.h"
#include "support/gedcom_fixture.h"
#include "support/test_support.h"

#include <QDir>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

using test::addPerson;
using test::lines;

const QDate kDate(2024, 3, 7);
const QTime kTime(9, 5);

std::string exportText(ItemStore& store) {
    GedcomExporter e(store);
    return e.text(kDate, kTime);
}

const std::string kHeader = lines({"0 HEAD", "1 SOUR KINLOOM_2", "1 DATE 7 Mar 2024", "1 TIME 9:5", "1 CHAR ANSI"});

void marry(ItemStore& s, PersonItem* a, PersonItem* b, const char* date, const char* place) {
    ASSERT_EQ(s.addMarriage(a, b), 1);
    a->MarriageDate[s.marriageSlot[1]] = date;
    b->MarriageDate[s.marriageSlot[2]] = date;
    a->MarriagePlace[s.marriageSlot[1]] = place;
    b->MarriagePlace[s.marriageSlot[2]] = place;
}

TEST(GedcomExport, EmptyTreeIsHeaderAndTrailer) {
    ItemStore store;
    EXPECT_EQ(exportText(store), kHeader + "0 TRLR\r\n");
}

TEST(GedcomExport, WritesASmallTreeByteForByte) {
    ItemStore store;
    PersonItem* ola = addPerson(store, "Ola", "Nordmann");
    ola->Sex = "M";
    ola->BornDate = "1 JAN 1900";
    ola->BornPlace = "Oslo";
    ola->DiedPlace = "Bergen";
    ola->Occupation = "Farmer";
    ola->Source = "Church book";
    ola->BaptizedDate = "7 JAN 1900";
    ola->BaptizedPlace = "Oslo domkirke";
    PersonItem* kari = addPerson(store, "Kari", "Hansen");
    kari->Sex = "F";
    PersonItem* per = addPerson(store, "Per", "");
    per->Father = ola;
    per->Mother = kari;
    marry(store, ola, kari, "5 MAY 1925", "Drammen");

    const std::string expected = kHeader + lines({
        "0 @I1@ INDI", "1 NAME Ola/Nordmann/", "2 GIVN Ola", "2 SURN Nordmann", "1 SEX M",
        "1 BIRT", "2 DATE 1 JAN 1900", "2 PLAC Oslo", "1 BAPM", "2 DATE 7 JAN 1900", "2 PLAC Oslo domkirke",
        "1 DEAT", "2 PLAC Bergen", "1 OCCU Farmer",
        "1 SOUR Church book", "1 FAMS @F1@",
        "0 @I2@ INDI", "1 NAME Kari/Hansen/", "2 GIVN Kari", "2 SURN Hansen", "1 SEX F", "1 FAMS @F1@",
        "0 @I3@ INDI", "1 NAME Per//", "2 GIVN Per", "2 SURN ", "1 SEX ", "1 FAMC @F1@",
        "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 MARR", "2 DATE 5 MAY 1925", "2 PLAC Drammen",
        "1 CHIL @I3@",
        "0 TRLR"});
    EXPECT_EQ(exportText(store), expected);
    EXPECT_EQ(per->ChildFamilyRef.str(), "@F1@");

    // The file carries the same bytes; the header takes the date and time it is given.
    QTemporaryDir dir;
    const QString name = QDir(dir.path()).filePath("out.ged");
    QString error;
    ASSERT_TRUE(writeGedcomFile(store, name, QDate(1999, 12, 31), QTime(23, 59), &error));
    const auto bytes = test::readBytes(name);
    std::string written(bytes.begin(), bytes.end());
    std::string expectedFile = expected;
    expectedFile.replace(expectedFile.find("7 Mar 2024"), 10, "31 Dec 1999");
    expectedFile.replace(expectedFile.find("9:5"), 3, "23:59");
    EXPECT_EQ(written, expectedFile);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.ged"});  // nothing left beside it

    // A folder that does not exist is reported with the system's words.
    EXPECT_FALSE(writeGedcomFile(store, dir.path() + "/no/such/out.ged", kDate, kTime, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(GedcomExport, EveryCoupleIsOneFamily) {
    ItemStore store;
    PersonItem* dad = addPerson(store, "Dad");  // @I1@
    PersonItem* kid = addPerson(store, "Kid");
    kid->Father = dad;  // father only: a family without a wife
    PersonItem* a = addPerson(store, "A");  // @I3@
    PersonItem* b = addPerson(store, "B");
    marry(store, b, a, "", "");  // sex unknown on both sides: A, met first, is the husband
    PersonItem* m1 = addPerson(store, "M1");  // @I5@
    PersonItem* m2 = addPerson(store, "M2");
    m1->Sex = m2->Sex = "M";
    marry(store, m2, m1, "1990", "");  // two men: one family
    PersonItem* w1 = addPerson(store, "W1");  // @I7@
    PersonItem* w2 = addPerson(store, "W2");
    w1->Sex = w2->Sex = "F";
    marry(store, w2, w1, "", "Moss");  // two women likewise
    PersonItem* u = addPerson(store, "U");  // @I9@
    PersonItem* f = addPerson(store, "F");
    f->Sex = "F";
    marry(store, f, u, "", "");  // a woman's partner of unknown sex is the husband
    PersonItem* u2 = addPerson(store, "U2");  // @I11@
    PersonItem* m = addPerson(store, "M");
    m->Sex = "M";
    marry(store, u2, m, "", "");  // a man is the husband of a partner of unknown sex met first

    GedcomExporter e(store);
    e.buildFamilies();
    const auto& fams = e.families();
    const std::vector<std::pair<PersonItem*, PersonItem*>> expected = {
        {dad, nullptr}, {a, b}, {m1, m2}, {w1, w2}, {u, f}, {m, u2}};
    ASSERT_EQ(fams.size(), expected.size());
    for (size_t i = 0; i < fams.size(); ++i) {
        EXPECT_EQ(fams[i].number, static_cast<int>(i) + 1);
        EXPECT_EQ(fams[i].husband, expected[i].first) << i;
        EXPECT_EQ(fams[i].wife, expected[i].second) << i;
    }
    EXPECT_EQ(e.childrenOf(1), std::vector<PersonItem*>{kid});
    EXPECT_EQ(e.marriageOf(fams[2]).date, "1990");

    const std::string text = exportText(store);
    EXPECT_EQ(text.substr(text.find("0 @F1@ FAM")),
              lines({"0 @F1@ FAM", "1 HUSB @I1@", "1 CHIL @I2@",
                     "0 @F2@ FAM", "1 HUSB @I3@", "1 WIFE @I4@",
                     "0 @F3@ FAM", "1 HUSB @I5@", "1 WIFE @I6@", "1 MARR", "2 DATE 1990",
                     "0 @F4@ FAM", "1 HUSB @I7@", "1 WIFE @I8@", "1 MARR", "2 PLAC Moss",
                     "0 @F5@ FAM", "1 HUSB @I9@", "1 WIFE @I10@",
                     "0 @F6@ FAM", "1 HUSB @I12@", "1 WIFE @I11@", "0 TRLR"}));
    // Each partner names the one family once.
    for (int id = 3; id <= 12; ++id) {
        const std::string record = "0 @I" + std::to_string(id) + "@ INDI\r\n";
        const size_t at = text.find(record);
        const std::string body = text.substr(at, text.find("\r\n0 ", at + 1) - at);
        const std::string fams = "1 FAMS @F" + std::to_string(id <= 4 ? 2 : id <= 6 ? 3 : id <= 8 ? 4 : id <= 10 ? 5 : 6) + "@";
        EXPECT_NE(body.find(fams), std::string::npos) << body;
        EXPECT_EQ(body.find("FAMS"), body.rfind("FAMS")) << body;
    }

    // A common child of the unknown-sex couple joins their family.
    PersonItem* c = addPerson(store, "C");
    c->Father = a;
    c->Mother = b;
    GedcomExporter e2(store);
    e2.buildFamilies();
    EXPECT_EQ(e2.families().size(), 6u);
    EXPECT_EQ(e2.childrenOf(e2.familyNumber(a, b)), std::vector<PersonItem*>{c});
    EXPECT_EQ(e2.familyNumber(b, a), 0);
}

TEST(GedcomExport, WritesMarriageDataWholeAndLongerTextWins) {
    ItemStore store;
    PersonItem* h = addPerson(store, "H");
    PersonItem* w = addPerson(store, "W");
    h->Sex = "M";
    w->Sex = "F";
    ASSERT_EQ(store.addMarriage(h, w), 1);
    const std::string date = "ABT 12 DECEMBER 1890 OR LATER, 1891";  // the 35 bytes the field holds
    const std::string place(100, 'p');                                   // and the 100 of a place
    h->MarriageDate[1] = date;
    h->MarriagePlace[1] = "Oslo";
    w->MarriageDate[1] = "1890";
    w->MarriagePlace[1] = place;
    GedcomExporter e(store);
    e.buildFamilies();
    ASSERT_EQ(e.families().size(), 1u);
    EXPECT_EQ(e.marriageOf(e.families()[0]).date, date);
    EXPECT_EQ(e.marriageOf(e.families()[0]).place, place);
    EXPECT_NE(exportText(store).find("1 MARR\r\n2 DATE " + date + "\r\n2 PLAC " + place + "\r\n"), std::string::npos);
}

TEST(GedcomExport, EveryChildIsWritten) {
    ItemStore store;
    PersonItem* dad = addPerson(store, "Dad");
    PersonItem* mum = addPerson(store, "Mum");
    for (int i = 1; i <= 45; ++i) {  // @I3@ .. @I47@
        PersonItem* c = addPerson(store, "Child" + std::to_string(i));
        c->Father = dad;
        c->Mother = mum;
    }
    const std::string text = exportText(store);
    std::string children;
    for (int id = 3; id <= 47; ++id) children += "1 CHIL @I" + std::to_string(id) + "@\r\n";
    EXPECT_NE(text.find("0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n" + children + "0 TRLR\r\n"), std::string::npos);
    EXPECT_EQ(store.lastItem()->ChildFamilyRef.str(), "@F1@");
    EXPECT_NE(text.find("0 @I47@ INDI\r\n1 NAME Child45//\r\n2 GIVN Child45\r\n2 SURN \r\n1 SEX \r\n1 FAMC @F1@\r\n0 @F1@"),
              std::string::npos);
}

TEST(GedcomExport, AliasesAreFoldedIntoTheirOriginals) {
    ItemStore store;
    PersonItem* h = addPerson(store, "H");
    PersonItem* w = addPerson(store, "W");
    h->Sex = "M";
    w->Sex = "F";
    PersonItem* alias1 = addPerson(store, "W");
    PersonItem* alias2 = addPerson(store, "W");
    for (PersonItem* a : {alias1, alias2}) {
        a->Kind = "REF";
        a->Father = w;
        a->Sex = "F";
    }
    w->Kind = "ALIAS";
    // The marriage is drawn to the last alias placement of the wife.
    marry(store, h, alias2, "1900", "Oslo");
    PersonItem* kid = addPerson(store, "Kid");
    kid->Father = h;
    kid->Mother = alias1;

    GedcomExporter e(store);
    e.buildFamilies();
    EXPECT_EQ(e.findReferringAlias(w), alias2);
    EXPECT_EQ(e.findReferringAlias(h), h);
    ASSERT_EQ(e.families().size(), 1u);
    const GedcomFamily& f = e.families()[0];
    EXPECT_EQ(f.husband, h);
    EXPECT_EQ(f.wife, w);
    EXPECT_EQ(e.marriageOf(f).date, "1900");
    EXPECT_EQ(e.marriageOf(f).place, "Oslo");
    EXPECT_EQ(e.childrenOf(f.number), std::vector<PersonItem*>{kid});

    const std::string text = exportText(store);
    EXPECT_EQ(text.find("@I3@ INDI"), std::string::npos);
    EXPECT_EQ(text.find("@I4@ INDI"), std::string::npos);
    EXPECT_NE(text.find("1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 MARR\r\n2 DATE 1900\r\n2 PLAC Oslo\r\n1 CHIL @I5@\r\n"),
              std::string::npos);
}

TEST(GedcomExport, BusyTreeWithAliasesDivorceManyChildrenAndNoNamesReadsBack) {
    ItemStore store;
    PersonItem* hans = addPerson(store, "Hans", "Berg");  // @I1@
    hans->Sex = "M";
    PersonItem* anna = addPerson(store, "Anna", "Lie");  // @I2@
    anna->Sex = "F";
    PersonItem* nameless = addPerson(store, "");  // @I3@, no name at all
    nameless->Sex = "F";
    nameless->Kind = "ALIAS";
    PersonItem* alias = addPerson(store, "");  // @I4@, stands for @I3@
    alias->Kind = "REF";
    alias->Father = nameless;
    alias->Sex = "F";
    marry(store, hans, anna, "1900", "Oslo");
    marry(store, hans, anna, "1910", "Moss");  // married again after a divorce
    anna->SpouseType[2] = hans->SpouseType[2] = 'D';
    marry(store, hans, alias, "1920", "Bergen");
    for (int i = 1; i <= 32; ++i) {  // @I5@ .. @I36@
        PersonItem* c = addPerson(store, i % 2 ? "" : "C" + std::to_string(i));
        c->Father = hans;
        c->Mother = anna;
    }
    PersonItem* half = addPerson(store, "Half");  // @I37@, drawn to the alias placement
    half->Father = hans;
    half->Mother = alias;

    const std::string text = exportText(store);
    // The alias placement is folded: no INDI of its own, its marriage and child go to @I3@.
    EXPECT_EQ(text.find("0 @I4@ INDI"), std::string::npos);
    EXPECT_NE(text.find("0 @I3@ INDI\r\n1 NAME //\r\n2 GIVN \r\n2 SURN \r\n1 SEX F\r\n1 FAMS @F2@\r\n0 @I5@"),
              std::string::npos);
    EXPECT_NE(text.find("1 SEX M\r\n1 FAMS @F1@\r\n1 FAMS @F2@\r\n0 @I2@"), std::string::npos);
    // One family per couple; of the husband's two slots for Anna the last one wins, with its type.
    std::string f1 = "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 MARR\r\n2 DATE 1910\r\n2 PLAC Moss\r\n1 DIV\r\n";
    for (int id = 5; id <= 36; ++id) f1 += "1 CHIL @I" + std::to_string(id) + "@\r\n";
    const std::string f2 = "0 @F2@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I3@\r\n1 MARR\r\n2 DATE 1920\r\n2 PLAC Bergen\r\n"
                           "1 CHIL @I37@\r\n0 TRLR\r\n";
    EXPECT_NE(text.find(f1 + f2), std::string::npos);
    EXPECT_NE(text.find("0 @I35@ INDI\r\n1 NAME //\r\n2 GIVN \r\n2 SURN \r\n1 SEX \r\n1 FAMC @F1@\r\n0 @I36@"),
              std::string::npos);
    EXPECT_EQ(store.findItemById(36)->ChildFamilyRef.str(), "@F1@");

    // Read back: the folded couple is one person, all 32 children have their parents.
    test::GedcomFixture f;
    ASSERT_TRUE(f.read(text).ok);
    ASSERT_EQ(f.store.itemCount(), 36);
    PersonItem* h = f.item(0);
    PersonItem* a = f.item(1);
    PersonItem* n = f.item(2);
    EXPECT_EQ(h->Spouse[1], a);
    EXPECT_EQ(h->MarriageDate[1].str(), "1910");
    EXPECT_EQ(a->SpouseType[1], 'D');
    EXPECT_EQ(h->Spouse[2], n);
    EXPECT_EQ(n->MarriagePlace[1].str(), "Bergen");
    EXPECT_EQ(n->FirstName.str(), "");
    EXPECT_EQ(n->LastName.str(), "");
    EXPECT_EQ(f.item(3)->Father, h);
    EXPECT_EQ(f.item(32)->Mother, a);
    EXPECT_EQ(f.item(33)->Father, h);  // the 31st and 32nd children
    EXPECT_EQ(f.item(34)->Mother, a);
    EXPECT_EQ(f.item(35)->Mother, n);
    EXPECT_EQ(f.item(35)->FirstName.str(), "Half");
}

TEST(GedcomExport, RoundTripGivesTheTreeBack) {
    ItemStore store;
    PersonItem* ola = addPerson(store, "Ola Johan", "Nordmann");
    ola->Sex = "M";
    ola->BornDate = "1 JAN 1900";
    ola->BornPlace = "Oslo";
    ola->DiedDate = "1970";
    ola->DiedPlace = "Bergen";
    ola->Occupation = "Farmer";
    ola->Source = "Church book";
    PersonItem* kari = addPerson(store, "Kari", "Hansen");
    kari->Sex = "F";
    PersonItem* eva = addPerson(store, "Eva", "Berg");
    eva->Sex = "F";
    marry(store, ola, kari, "5 MAY 1925", "Drammen");
    marry(store, ola, eva, "1950", "Moss");
    PersonItem* per = addPerson(store, "Per", "Nordmann");
    per->Sex = "M";
    per->Father = ola;
    per->Mother = kari;
    PersonItem* liv = addPerson(store, "Liv", "Nordmann");
    liv->Sex = "F";
    liv->Father = ola;

    test::GedcomFixture f;
    const QString name = QDir(f.dir.path()).filePath("round.ged");
    ASSERT_TRUE(writeGedcomFile(store, name, kDate, kTime));
    ASSERT_TRUE(readGedcomFile(f.store, name, f.user, f.prompts).ok);
    ASSERT_EQ(f.store.itemCount(), 5);
    for (PersonItem *a = store.firstItem(), *b = f.store.firstItem(); a; a = a->Next, b = b->Next) {
        EXPECT_EQ(a->FirstName, b->FirstName);
        EXPECT_EQ(a->LastName, b->LastName);
        EXPECT_EQ(a->Sex, b->Sex);
        EXPECT_EQ(a->BornDate, b->BornDate);
        EXPECT_EQ(a->BornPlace, b->BornPlace);
        EXPECT_EQ(a->DiedDate, b->DiedDate);
        EXPECT_EQ(a->DiedPlace, b->DiedPlace);
        EXPECT_EQ(a->Occupation, b->Occupation);
        EXPECT_EQ(a->Source, b->Source);
        EXPECT_EQ(a->Father ? a->Father->Id : 0, b->Father ? b->Father->Id : 0);
        EXPECT_EQ(a->Mother ? a->Mother->Id : 0, b->Mother ? b->Mother->Id : 0);
        for (int i = 1; i <= kMaxSpouses; ++i) {
            EXPECT_EQ(a->Spouse[i] ? a->Spouse[i]->Id : 0, b->Spouse[i] ? b->Spouse[i]->Id : 0);
            EXPECT_EQ(a->MarriageDate[i], b->MarriageDate[i]);
            EXPECT_EQ(a->MarriagePlace[i], b->MarriagePlace[i]);
        }
    }
    // Exporting the imported tree again gives the same file.
    const QString again = QDir(f.dir.path()).filePath("again.ged");
    ASSERT_TRUE(writeGedcomFile(f.store, again, kDate, kTime));
    EXPECT_EQ(test::readBytes(name), test::readBytes(again));
}

TEST(GedcomExport, HeaderDeclaresTheTextsCharacterSet) {
    // The texts decide: valid UTF-8 beyond ASCII is declared as such, anything else stays ANSI.
    const struct {
        const char* lastName;
        const char* place;  // a marriage place, written whole
        const char* charset;
    } cases[] = {
        {"\xC5\xBB\xC3\xB3\xC5\x82kiewska-M\xC3\xBCller", "", "UTF-8"},  // "Żółkiewska-Müller"
        {"M\xFCller", "", "ANSI"},                                   // Windows-1252
        {"Mueller", "", "ANSI"},
        {"Berg", "\xC3\xB8" "1234567890123456789012345678901234567890123456789012345678901234567\xC3\xB8sen", "UTF-8"},
    };
    for (const auto& c : cases) {
        ItemStore store;
        PersonItem* ola = addPerson(store, "Ola", c.lastName);
        ola->Sex = "M";
        PersonItem* kari = addPerson(store, "Kari", "Berg");
        kari->Sex = "F";
        marry(store, ola, kari, "", c.place);
        test::GedcomFixture f;
        const QString name = QDir(f.dir.path()).filePath("charset.ged");
        ASSERT_TRUE(writeGedcomFile(store, name, kDate, kTime));
        const auto bytes = test::readBytes(name);
        const std::string text(bytes.begin(), bytes.end());
        EXPECT_EQ(text.substr(0, 64), "0 HEAD\r\n1 SOUR KINLOOM_2\r\n1 DATE 7 Mar 2024\r\n1 TIME 9:5\r\n1 CHAR ")
            << c.lastName;
        EXPECT_EQ(text.substr(64, text.find('\r', 64) - 64), c.charset) << c.lastName;
        // Our own reader gives the bytes back as they were.
        ASSERT_TRUE(readGedcomFile(f.store, name, f.user, f.prompts).ok);
        EXPECT_EQ(f.item(0)->LastName.str(), c.lastName);
    }
}

TEST(GedcomExport, LineBreaksInFieldsBecomeContinuationLines) {
    ItemStore store;
    PersonItem* ola = addPerson(store, "Ola", "Nordmann");
    ola->Sex = "M";
    ola->Occupation = "Farmer\nand fisher";
    ola->Source = "Church book\r\n0 @I99@ INDI\r1 NAME Nobody /Else/\r\n";
    ola->BornPlace = "Oslo\n";
    const std::string text = exportText(store);
    EXPECT_NE(text.find("\r\n1 BIRT\r\n2 PLAC Oslo\r\n3 CONT\r\n1 OCCU Farmer\r\n2 CONT and fisher\r\n"
                        "1 SOUR Church book\r\n2 CONT 0 @I99@ INDI\r\n2 CONT 1 NAME Nobody /Else/\r\n2 CONT\r\n"
                        "0 TRLR\r\n"),
              std::string::npos)
        << text;
    // No line starts where a field chose; every line ends in CR LF and holds no other break.
    EXPECT_EQ(text.find("\r\n0 @I99@"), std::string::npos);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        ASSERT_TRUE(text[i] == '\r' ? text[i + 1] == '\n' : text[i - 1] == '\r') << i;
    }

    // Read back with our own reader: one individual, nothing injected.
    test::GedcomFixture f;
    const QString name = QDir(f.dir.path()).filePath("breaks.ged");
    ASSERT_TRUE(writeGedcomFile(store, name, kDate, kTime));
    ASSERT_TRUE(readGedcomFile(f.store, name, f.user, f.prompts).ok);
    ASSERT_EQ(f.store.itemCount(), 1);
    EXPECT_EQ(f.item(0)->FirstName.str(), "Ola");
    EXPECT_EQ(f.item(0)->Occupation.str().substr(0, 6), "Farmer");
    EXPECT_EQ(f.item(0)->Source.str().substr(0, 11), "Church book");
}

}  // namespace
}  // namespace kinloom
