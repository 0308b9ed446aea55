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
