#include "document/item_store.h"
#include "reports/date_year.h"
#include "reports/missing_information.h"
#include "reports/name_lists.h"
#include "reports/tree_statistics.h"
#include "support/test_support.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace kinloom;

namespace {

// A small family whose every list is written out below:
//   Ola Berg (b. 1850 Oslo, d. 1920 Oslo) x Kari Dahl (b. 1855 Bergen) married 1875 in Oslo,
//   their son Per Berg (b. 1880 Oslo, bapt. Oslo), his alias box, Per's wife Åse (no surname,
//   b. 1990 Bergen, dead in Oslo without a date), "berg Eli" (no dates), and Zola (b. 1910, d. abt 1975).
struct Family {
    ItemStore store;
    PersonItem *per, *ola, *kari, *ase, *eli, *zola;
    Family() {
        per = test::addPerson(store, "Per", "Berg");  // the home item: first in the list
        per->BornDate = "1880";
        per->BornPlace = "Oslo";
        per->BaptizedPlace = " Oslo ";  // trimmed: the same place
        per->Source = "Church book";
        per->Sex = "M";
        ola = test::addPerson(store, "Ola", "Berg");
        ola->BornDate = "3 Mar 1850";
        ola->BornPlace = "Oslo";
        ola->DiedDate = "1920";
        ola->DiedPlace = "Oslo";
        ola->Source = "Census 1900";
        ola->Sex = "M";
        kari = test::addPerson(store, "Kari", "Dahl");
        kari->BornDate = "abt 1855";
        kari->BornPlace = "Bergen";
        kari->Source = "Church book";
        kari->Sex = "F";
        per->Father = ola;
        per->Mother = kari;
        store.addMarriage(ola, kari);
        for (PersonItem* spouse : {ola, kari}) {
            spouse->MarriageDate[1] = "1875";
            spouse->MarriagePlace[1] = "Oslo";
        }
        ase = test::addPerson(store, "\xC5se", "");
        ase->BornDate = "1990";
        ase->BornPlace = "Bergen";
        ase->DiedPlace = "Oslo";
        ase->Sex = "F";
        store.addMarriage(per, ase);  // no place: not a place event
        PersonItem* alias = test::addPerson(store, "Per", "Berg");
        alias->Kind = "REF";
        alias->Father = per;
        alias->BornPlace = "Nowhere";  // an alias box is no person: never counted
        alias->Source = "Alias source";
        eli = test::addPerson(store, "Eli", "berg");
        zola = test::addPerson(store, "Zola", "Zola");
        zola->BornDate = "1910";
        zola->DiedDate = "abt 1975";
        zola->Source = "census 1900";  // another spelling, another source
    }
};

std::vector<std::string> lines(const std::vector<MissingRow>& rows) {
    std::vector<std::string> out;
    for (const MissingRow& r : rows) out.push_back(r.line);
    return out;
}

}  // namespace

TEST(ReportLists, SurnamesPlacesAndSourcesOfAFamily) {
    Family f;
    const QLocale c = QLocale::c();
    EXPECT_EQ(countLines(surnameRows(f.store, DisplayCharset(), c)),
              (std::vector<std::string>{"Berg (2)", "berg (1)", "Dahl (1)", "Zola (1)"}));
    // Oslo: Per's birth and baptism, Ola's birth and death, the one marriage, Åse's death.
    EXPECT_EQ(countLines(placeRows(f.store, DisplayCharset(), c)),
              (std::vector<std::string>{"Bergen (2)", "Oslo (6)"}));
    EXPECT_EQ(sourceLines(sourceRows(f.store, DisplayCharset(), c)),
              (std::vector<std::string>{"Census 1900", "  Berg Ola (3 Mar 1850 - 1920)", "census 1900",
                                        "  Zola Zola (1910 - abt 1975)", "Church book", "  Berg Per (1880 - )",
                                        "  Dahl Kari (abt 1855 - )"}));
}

TEST(ReportLists, SortedAsTheLanguageSorts) {
    Family f;
    // Norwegian puts Å after Z; English puts it with A.
    const DisplayCharset cs;
    f.eli->LastName = "\xC5s";
    const std::vector<CountRow> english = surnameRows(f.store, cs, QLocale(QLocale::English));
    const std::vector<CountRow> norwegian = surnameRows(f.store, cs, QLocale(QLocale::NorwegianBokmal));
    ASSERT_EQ(english.size(), 4u);
    EXPECT_EQ(english.front().name, "\xC5s");
    EXPECT_EQ(norwegian.back().name, "\xC5s");
}

TEST(ReportLists, MissingInformation) {
    Family f;
    const QLocale c = QLocale::c();
    EXPECT_EQ(lines(missingInformation(f.store, MissingField::BirthDate, 2026, DisplayCharset(), c)),
              (std::vector<std::string>{"berg Eli ( - )"}));
    // Per and Kari were born more than 110 years before 2026; Åse has a death place; Zola's
    // "abt 1975" holds a year; Eli's age is unknown.
    const std::vector<MissingRow> deaths = missingInformation(f.store, MissingField::DeathDate, 2026, DisplayCharset(), c);
    // In the C locale by character codes: Å comes after Z.
    EXPECT_EQ(lines(deaths), (std::vector<std::string>{"Berg Per (1880 - )", "Dahl Kari (abt 1855 - )", "\xC5se (1990 - )"}));
    EXPECT_EQ(deaths[0].person, f.per);
    // Exactly 110 years is not more than 110: Per (1880) is not asked in 1990, Kari (1855) is.
    EXPECT_EQ(lines(missingInformation(f.store, MissingField::DeathDate, 1990, DisplayCharset(), c)),
              (std::vector<std::string>{"Dahl Kari (abt 1855 - )", "\xC5se (1990 - )"}));
    EXPECT_EQ(lines(missingInformation(f.store, MissingField::Surname, 2026, DisplayCharset(), c)),
              (std::vector<std::string>{"\xC5se (1990 - )"}));
    EXPECT_STREQ(missingInformationTitle(MissingField::DeathDate), "Persons without a death date");
}

TEST(ReportLists, YearIsTheLastNumberOfFourDigits) {
    const struct {
        const char* date;
        std::optional<int> year;
    } table[] = {
        {"1850", 1850},         {"12 Mar 1850", 1850},   {"abt 1850", 1850},     {"1850-1852", 1852},
        {"1850 or 12", 1850},   {"BET 1700 AND 1710", 1710}, {"0999", 999},     {"12345", std::nullopt},
        {"850", std::nullopt},  {"", std::nullopt},      {"unknown", std::nullopt}, {"1850 12345", 1850},
        {"12/03/1850", 1850},   {"1850s", 1850},         {"(1850)", 1850},
    };
    for (const auto& row : table) EXPECT_EQ(yearOfDate(row.date), row.year) << row.date;
}

TEST(ReportLists, StatisticsOfAFamily) {
    Family f;
    const TreeStatistics s = treeStatistics(f.store);
    EXPECT_EQ(s.persons, 6);
    EXPECT_EQ(s.men, 2);
    EXPECT_EQ(s.women, 2);
    EXPECT_EQ(s.unknownSex, 2);
    EXPECT_EQ(s.withBirthDate, 5);
    EXPECT_EQ(s.withDeathDate, 2);
    EXPECT_EQ(s.withBothDates, 2);
    EXPECT_EQ(s.marriages, 2);
    EXPECT_EQ(s.families, 2);  // Ola and Kari (Per's parents too), Per and Åse
    EXPECT_EQ(s.surnames, 4);
    EXPECT_EQ(s.places, 2);
    EXPECT_EQ(s.ancestorGenerations, 1);
    EXPECT_EQ(s.descendantGenerations, 0);
    EXPECT_EQ(s.earliestYear, 1850);
    EXPECT_EQ(s.latestYear, 1990);
    ASSERT_TRUE(s.meanLifespan);
    EXPECT_DOUBLE_EQ(*s.meanLifespan, (70 + 65) / 2.0);
    EXPECT_EQ(s.bornPerDecade, (std::map<int, int>{{1850, 2}, {1880, 1}, {1910, 1}, {1990, 1}}));
    EXPECT_EQ(s.ageAtDeath, (std::map<int, int>{{60, 1}, {70, 1}}));

    const QJsonObject json = QJsonDocument::fromJson(statisticsJson(s)).object();
    EXPECT_EQ(json.value("persons").toInt(), 6);
    EXPECT_EQ(json.value("meanLifespan").toDouble(), 67.5);
    EXPECT_EQ(json.value("bornPerDecade").toArray().at(0).toObject().value("decade").toInt(), 1850);
    EXPECT_TRUE(statisticsText(s).startsWith("Persons: 6\r\nMen: 2\r\n"));
    EXPECT_TRUE(statisticsText(s).contains("Mean lifespan: 67.5 years\r\n"));
    EXPECT_TRUE(statisticsText(s).endsWith("Died aged 60-69: 1\r\nDied aged 70-79: 1\r\n"));
}

TEST(ReportLists, GenerationsFollowTheLongestLineAndSurviveLoops) {
    ItemStore store;
    PersonItem* home = test::addPerson(store, "Home");
    PersonItem* child = test::addPerson(store, "Child");
    PersonItem* grandchild = test::addPerson(store, "Grandchild");
    PersonItem* parent = test::addPerson(store, "Parent");
    PersonItem* grandparent = test::addPerson(store, "Grandparent");
    child->Mother = home;
    grandchild->Father = child;
    home->Father = parent;
    parent->Mother = grandparent;
    grandparent->Father = home;  // a loop in bad links
    const TreeStatistics s = treeStatistics(store);
    EXPECT_EQ(s.descendantGenerations, 2);
    EXPECT_EQ(s.ancestorGenerations, 2);
    EXPECT_EQ(treeStatistics(ItemStore()).persons, 0);
}
