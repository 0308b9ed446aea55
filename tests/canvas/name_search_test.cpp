#include "canvas/name_search.h"

#include "document/item_store.h"
#include "platform/charsets.h"
#include "support/test_support.h"

#include <Qt>
#include <gtest/gtest.h>

#include <algorithm>

namespace kinloom {
namespace {

TEST(NameSearch, SortedListWithoutAliasesAndRenumberedIds) {
    ItemStore store;
    PersonItem* a = test::addPerson(store, "Ola", "Nordmann");
    a->BornDate = "1900";
    PersonItem* alias = test::addPerson(store, "Ola", "Nordmann");
    alias->Kind = "REF";
    alias->Father = a;
    PersonItem* b = test::addPerson(store, "kari", "aas");
    PersonItem* c = test::addPerson(store, "", "");
    PersonItem* d = test::addPerson(store, "Ola", "Nordmann");
    // Ids with gaps, as after deletions.
    a->Id = 10;
    b->Id = 30;
    store.idsChanged();
    NameSearchList list;
    list.fill(store, DisplayCharset());
    EXPECT_EQ(a->Id, 1);
    EXPECT_EQ(alias->Id, 2);
    EXPECT_EQ(b->Id, 3);
    EXPECT_EQ(c->Id, 4);
    EXPECT_EQ(d->Id, 5);
    EXPECT_EQ(store.findItemById(3), b);
    EXPECT_EQ(list.lines(), (QStringList{"( - ) [4]", "aas kari ( - ) [3]", "Nordmann Ola ( - ) [5]",
                                         "Nordmann Ola (1900 - ) [1]"}));
    EXPECT_EQ(list.findFirst("nord"), 2);
    EXPECT_EQ(list.findFirst("AAS"), 1);
    EXPECT_EQ(list.findFirst("Nordmann Ola (1"), 3);
    EXPECT_EQ(list.findFirst("x"), -1);
    EXPECT_EQ(list.findFirst(""), -1);
}

TEST(NameSearch, WordsFoldedWithoutCaseAndAccents) {
    const struct {
        const char* text;
        QStringList words;
    } table[] = {
        {"Bj\u00F8rn", {"bjorn"}},           {"\u00C9CLAIR", {"eclair"}},
        {"M\u00FCller-L\u00FCdenscheid", {"muller", "ludenscheid"}},
        {"\u00C6sa Stra\u00DFe", {"aesa", "strasse"}}, {"O'Brien", {"o", "brien"}},
        {"  ", {}},                            {"\u0141ukasz \u0110or\u0111e", {"lukasz", "dorde"}},
        {"Joa\u0303o 1850", {"joao", "1850"}},  // a combining tilde stays with its letter, then goes
    };
    for (const auto& row : table) EXPECT_EQ(searchWords(QString::fromUtf8(row.text)), row.words) << row.text;
}

TEST(NameSearch, AnyNameWordFindsAPersonAfterTheLinesThatBeginSo) {
    ItemStore store;
    test::addPerson(store, "Victoria", "Hanover");               // row 2
    test::addPerson(store, "Alexandrina Victoria", "Kent");      // row 3
    test::addPerson(store, "\xC9" "clair", "Victor");               // row 4: begins "Victor"
    test::addPerson(store, "Bj\xF8rn", "Aas");                   // row 0
    test::addPerson(store, "Ola", "Bjornstad");                  // row 1
    NameSearchList list;
    list.fill(store, DisplayCharset());
    ASSERT_EQ(list.lines().size(), 5);
    EXPECT_EQ(list.findMatches("victoria"), (std::vector<int>{2, 3}));
    EXPECT_EQ(list.findMatches("Victor"), (std::vector<int>{4, 2, 3}));
    EXPECT_EQ(list.findMatches("bjorn"), (std::vector<int>{1, 0}));  // "Bjornstad" begins a line
    EXPECT_EQ(list.findMatches("ECLAIR"), (std::vector<int>{4}));
    EXPECT_EQ(list.findMatches("victoria alex"), (std::vector<int>{3}));  // every word must be found
    EXPECT_EQ(list.findMatches("victoria zz"), (std::vector<int>{}));
    EXPECT_EQ(list.findMatches(" - "), (std::vector<int>{}));
    EXPECT_EQ(list.findMatches(""), (std::vector<int>{}));
}

// Against a plain scan over every person: the index finds the same rows in the same order.
TEST(NameSearch, WordIndexAgreesWithAScanOfEveryLine) {
    ItemStore store;
    const char* given[] = {"Anna", "\xC5se", "Bj\xF8rn", "Per Ola", "", "Victoria"};
    const char* surnames[] = {"Berg", "\xC5sen", "Dahl-Berg", "", "Olsen", "Victorsen"};
    for (int i = 0; i < 60; ++i) test::addPerson(store, given[i % 6], surnames[(i / 6) % 6]);
    NameSearchList list;
    list.fill(store, DisplayCharset());
    for (const QString typed : {"a", "as", "ber", "berg", "o", "vic", "per o", "dahl b", "x"}) {
        std::vector<int> expected;
        const QStringList typedWords = searchWords(typed);
        for (int row = 0; row < list.lines().size(); ++row)
            if (list.lines()[row].toUpper().startsWith(typed.toUpper())) expected.push_back(row);
        for (int row = 0; row < list.lines().size(); ++row) {
            if (std::find(expected.begin(), expected.end(), row) != expected.end()) continue;
            const QString line = list.lines()[row];
            const QStringList names = searchWords(line.left(line.indexOf(QLatin1String(" ("))));
            bool all = true;
            for (const QString& w : typedWords)
                all = all && std::any_of(names.begin(), names.end(), [&w](const QString& n) { return n.startsWith(w); });
            if (all) expected.push_back(row);
        }
        EXPECT_EQ(list.findMatches(typed), expected) << qPrintable(typed);
    }
}

TEST(NameSearch, KeysThatRestartTheTimer) {
    for (int key : {int(Qt::Key_A), int(Qt::Key_Z), int(Qt::Key_5), int(Qt::Key_Delete), int(Qt::Key_Period),
                    int(Qt::Key_Apostrophe)})
        EXPECT_TRUE(restartsSearchTimer(key)) << key;
    for (int key : {int(Qt::Key_Backspace), int(Qt::Key_Return), int(Qt::Key_Space), int(Qt::Key_Left),
                    int(Qt::Key_PageDown), int(Qt::Key_Home), int(Qt::Key_Shift)})
        EXPECT_FALSE(restartsSearchTimer(key)) << key;
}

}  // namespace
}  // namespace kinloom
