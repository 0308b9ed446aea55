#include "reports/alphabetical_list.h"

#include "document/item_store.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

TEST(AlphabeticalList, LinesInStoredBytesSortedWithoutCase) {
    ItemStore store;
    PersonItem* anna = test::addPerson(store, "Anna", "berg");
    anna->BornDate = "1 Jan 1900";
    anna->DiedDate = "2 Feb 1970";
    test::addPerson(store, "Carl", "Berg");              // no dates
    test::addPerson(store, "Bo", "");                    // no last name: the blank is trimmed
    PersonItem* e = test::addPerson(store, "\xC9mile", "Adam");  // a Windows-1252 byte kept as it is
    e->BornDate = "1850";
    PersonItem* alias = test::addPerson(store, "Anna", "berg");  // a second box of Anna: not listed again
    alias->Kind = "REF";
    alias->Father = anna;
    alias->BornDate = "1 Jan 1900";
    alias->DiedDate = "2 Feb 1970";
    test::addPerson(store, "", "");                      // nameless: "( - )"
    PersonItem* orphan = test::addPerson(store, "Lost", "Box");  // an alias box whose original is gone
    orphan->Kind = "REF";

    const std::vector<std::string> lines = alphabeticalListLines(store, DisplayCharset(), QLocale::c());
    const std::vector<std::string> expected{"( - )", "Adam \xC9mile (1850 - )", "berg Anna (1 Jan 1900 - 2 Feb 1970)",
                                            "Berg Carl ( - )", "Bo ( - )"};
    EXPECT_EQ(lines, expected);
}

// Lines whose keys differ only in case keep the store's order, whichever comes first, among many.
TEST(AlphabeticalList, LinesAlikeButForCaseKeepTheStoreOrder) {
    for (const bool lowerFirst : {true, false}) {
        ItemStore store;
        std::vector<std::string> expected;
        for (int i = 0; i < 300; ++i) {
            const std::string number = std::to_string(1000 + (i * 7919) % 300);  // a shuffled order
            const char* first = (i % 2 == 0) == lowerFirst ? "lee" : "LEE";
            test::addPerson(store, "Ann", first + number);
        }
        for (int n = 1000; n < 1300; ++n)
            for (int i = 0; i < 300; ++i)
                if (1000 + (i * 7919) % 300 == n)
                    expected.push_back(std::string((i % 2 == 0) == lowerFirst ? "lee" : "LEE") + std::to_string(n) + " Ann ( - )");
        EXPECT_EQ(alphabeticalListLines(store, DisplayCharset(), QLocale::c()), expected);
    }
    // Equal keys: each pair in store order.
    ItemStore store;
    for (const char* last : {"b", "A", "B", "a"}) test::addPerson(store, "X", last);
    EXPECT_EQ(alphabeticalListLines(store, DisplayCharset(), QLocale::c()),
              (std::vector<std::string>{"A X ( - )", "a X ( - )", "b X ( - )", "B X ( - )"}));
}

TEST(AlphabeticalList, WrittenWithCrLfThroughATemporaryFile) {
    QTemporaryDir dir;
    const QString name = dir.filePath("list.txt");
    ASSERT_TRUE(writeAlphabeticalList({"Adam \xC9mile (1850 - )", "Bo ( - )"}, name));
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Adam \xC9mile (1850 - )\r\nBo ( - )\r\n"));
    f.close();

    ASSERT_TRUE(writeAlphabeticalList({}, name));  // an empty tree gives an empty file
    EXPECT_EQ(QFile(name).size(), 0);

    QString error;
    EXPECT_FALSE(writeAlphabeticalList({"A ( - )"}, dir.filePath("no/such/folder/list.txt"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"list.txt"});  // nothing half-written left
}
