#include "document/item_store.h"
#include "gedcom/gedcom_export.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

namespace {
// A tree of families over several generations, large enough that its file spans many blocks.
void fillFamilies(ItemStore& store, int couples) {
    PersonItem* previousChild = nullptr;
    for (int i = 0; i < couples; ++i) {
        PersonItem* husband = previousChild ? previousChild : store.createItem();
        husband->FirstName = "Husband " + std::to_string(i);
        husband->Sex = "M";
        PersonItem* wife = store.createItem();
        wife->FirstName = "Wife " + std::to_string(i);
        wife->Sex = "F";
        wife->BornPlace = "Bergen, Hordaland, Norway";
        store.addMarriage(husband, wife);
        husband->MarriageDate[store.marriageSlot[1]] = "1 MAY 1900";
        for (int k = 0; k < 3; ++k) {
            PersonItem* child = store.createItem();
            child->FirstName = "Child " + std::to_string(i) + "." + std::to_string(k);
            child->Father = husband;
            child->Mother = wife;
            previousChild = child;
        }
        previousChild->Sex = "M";
    }
}
}  // namespace

TEST(GedcomExportBlocks, TheFileHoldsTheSameBytesAsTheWholeTextAndAFailingSinkStopsAtOnce) {
    ItemStore store;
    fillFamilies(store, 3000);
    const QDate date(2024, 2, 29);
    const QTime time(7, 5);
    const std::string whole = GedcomExporter(store).text(date, time);
    ASSERT_GT(whole.size(), size_t{4} * 64 * 1024);

    QTemporaryDir dir;
    const QString name = dir.filePath("out.ged");
    ASSERT_TRUE(writeGedcomFile(store, name, date, time));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_TRUE(written.toStdString() == whole);

    // The header first, on its own once the texts' character set is known; then blocks of about
    // 64 KiB, each ending at a line end; after a refused block no other follows.
    std::vector<size_t> sizes;
    EXPECT_TRUE(GedcomExporter(store).write(date, time, [&](std::string_view block) {
        sizes.push_back(block.size());
        EXPECT_EQ(block.substr(block.size() - 2), "\r\n");
        return true;
    }));
    ASSERT_GT(sizes.size(), 4u);
    EXPECT_EQ(sizes[0], whole.find("0 @"));
    for (size_t i = 1; i + 1 < sizes.size(); ++i) {
        EXPECT_GE(sizes[i], size_t{64} * 1024);
        EXPECT_LT(sizes[i], size_t{66} * 1024);
    }
    int calls = 0;
    EXPECT_FALSE(GedcomExporter(store).write(date, time, [&](std::string_view) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2);
}
