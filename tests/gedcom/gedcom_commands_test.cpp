#include "gedcom/gedcom_commands.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

TEST(GedcomCommands, ExportAsksForANameWritesAndKeepsTheTreeUnsaved) {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    test::addPerson(store, "Ola", "Nordmann");
    ASSERT_TRUE(store.modified);
    const QString name = QDir(dir.path()).filePath("tree.ged");
    prompts.answerText(name);
    QString status;
    EXPECT_TRUE(exportGedcomCommand(store, prompts, QDateTime(QDate(2024, 12, 24), QTime(18, 30)), &status));
    // The file holds no box positions or notes file names: only a tree file counts as saved.
    EXPECT_TRUE(store.modified);
    EXPECT_EQ(status, "GEDCOM export: 1 person and 0 families written to " + name);
    EXPECT_EQ(gedcomExportStatus({2, 1, 0}, "/t/a.ged"), "GEDCOM export: 2 persons and 1 family written to /t/a.ged");
    ASSERT_EQ(prompts.records().size(), 1u);
    const auto& save = prompts.records()[0];
    EXPECT_EQ(save.kind, "save");
    EXPECT_EQ(save.file.title, "Export to GEDCOM format");
    EXPECT_EQ(save.file.filter, "GEDCOM files|*.ged");
    EXPECT_EQ(save.file.defaultExtension, "ged");
    EXPECT_TRUE(save.file.promptOverwrite);
    const auto bytes = test::readBytes(name);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.substr(0, 79), "0 HEAD\r\n1 SOUR KINLOOM_2\r\n1 DATE 24 Dec 2024\r\n1 TIME 18:30\r\n1 CHAR ANSI\r\n0 @I1@");

    // Cancelled: nothing written, still modified.
    store.modified = true;
    prompts.answerText(std::nullopt);
    EXPECT_FALSE(exportGedcomCommand(store, prompts, QDateTime::currentDateTime()));
    EXPECT_TRUE(store.modified);

    // A folder that cannot be written: the system's message, still modified.
    prompts.clear();
    prompts.answerText(dir.path() + "/missing/tree.ged");
    EXPECT_FALSE(exportGedcomCommand(store, prompts, QDateTime::currentDateTime()));
    EXPECT_TRUE(store.modified);
    ASSERT_EQ(prompts.messageTexts().size(), 1u);
    EXPECT_FALSE(prompts.messageTexts()[0].isEmpty());
}

}  // namespace
}  // namespace kinloom

#include "gedcom/gedcom_import.h"
#include "support/gedcom_fixture.h"

namespace kinloom {
namespace {

TEST(GedcomImport, WholeImportArrangesTheTreeAndZoomsToItsHome) {
    test::GedcomFixture f;
    const QString file = f.write(test::lines({"0 @I1@ INDI", "1 NAME Ola /Nordmann/", "0 @I2@ INDI",
                                              "1 NAME Kari /Hansen/", "0 @I3@ INDI", "1 NAME Per /Nordmann/",
                                              "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I3@"}));
    ViewState view;
    view.zoom = 50;
    const auto r = importGedcomFile(f.store, view, WindowSize{1000, 800}, file, f.user, f.prompts,
                                    ArrangeStyle::GenerationRows);
    ASSERT_TRUE(r.ok);
    // The child has the deepest pedigree: it becomes home, its parents go one row up, centred over it.
    PersonItem* per = f.store.firstItem();
    EXPECT_EQ(per->FirstName.str(), "Per");
    EXPECT_EQ(per->X, 160);
    EXPECT_EQ(per->Y, 0);
    EXPECT_EQ(per->Father->X, 80);
    EXPECT_EQ(per->Father->Y, -500);
    EXPECT_EQ(per->Mother->X, 240);
    EXPECT_EQ(f.store.currentItem, per);
    EXPECT_EQ(view.zoom, 100.0);
    EXPECT_EQ(view.offsetX, 500 - 160 - 70);
    EXPECT_EQ(view.offsetY, 400 - 0 - 32);
    EXPECT_EQ(f.user.statuses, QStringList({"Importing file...", "Please wait while arranging items...", "Done."}));
    EXPECT_EQ(f.user.beeps, 1);
    EXPECT_TRUE(f.prompts.records().empty());
}

TEST(GedcomImport, LinesThatAreNotGedcomAreToldAtTheEndAfterTheArrangement) {
    test::GedcomFixture f;
    const QString file = f.write(test::lines({"0 @I1@ INDI", "1 NAME Ola /Nordmann/", "<p>a note</p>", "0 @I2@ INDI",
                                              "1 NAME Kari /Hansen/", "0 @I3@ INDI", "1 NAME Per /Nordmann/",
                                              "O @F1@ FAM", "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I3@",
                                              "x"}));
    ViewState view;
    const auto r = importGedcomFile(f.store, view, WindowSize{1000, 800}, file, f.user, f.prompts,
                                    ArrangeStyle::GenerationRows);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.skippedLines, 2);  // "x" has no blank: an empty level-0 line, as ever
    EXPECT_EQ(r.firstSkippedLine, 3);
    // Arranged as usual: the child is home with its parents above it.
    ASSERT_EQ(f.store.firstItem()->FirstName.str(), "Per");
    ASSERT_NE(f.store.firstItem()->Father, nullptr);
    EXPECT_EQ(f.store.firstItem()->Father->Y, -500);
    EXPECT_EQ(f.user.statuses.last(), "Done.");
    ASSERT_EQ(f.prompts.records().size(), 1u);
    EXPECT_EQ(f.prompts.records()[0].text, "2 lines could not be read and were skipped (the first is line 3)");
    EXPECT_EQ(f.prompts.records()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(gedcomImportStatus(r, "f.ged"), "GEDCOM import: 3 individuals and 1 family read from f.ged; "
                                              "2 lines could not be read and were skipped (the first is line 3)");
    EXPECT_EQ(skippedLinesMessage(1, 7), "1 line could not be read and was skipped (line 7)");
}

TEST(GedcomImport, ArrangesAsAFamilyChartByDefault) {
    test::GedcomFixture f;
    const QString file = f.write(test::lines({"0 @I1@ INDI", "1 NAME Per /Nordmann/", "1 SEX M", "0 @I2@ INDI",
                                              "1 NAME Kari /Hansen/", "1 SEX F", "0 @I3@ INDI", "1 NAME Ola /Nordmann/",
                                              "1 SEX M", "0 @F1@ FAM", "1 HUSB @I3@", "1 WIFE @I2@", "1 CHIL @I1@"}));
    ViewState view;
    ASSERT_TRUE(importGedcomFile(f.store, view, WindowSize{1000, 800}, file, f.user, f.prompts).ok);
    // The first individual stays home and current; the parents stand above it, the father left.
    PersonItem* per = f.store.firstItem();
    ASSERT_EQ(per->FirstName.str(), "Per");
    EXPECT_EQ(f.store.currentItem, per);
    EXPECT_EQ(std::pair(per->X, per->Y), std::pair(80, 350));
    ASSERT_TRUE(per->Father && per->Mother);
    EXPECT_EQ(std::pair(per->Father->X, per->Father->Y), std::pair(0, 0));
    EXPECT_EQ(std::pair(per->Mother->X, per->Mother->Y), std::pair(160, 0));
    EXPECT_EQ(view.zoom, 100.0);
    EXPECT_EQ(view.offsetX, 500 - 80 - 70);
    EXPECT_EQ(view.offsetY, 400 - 350 - 32);
}

}  // namespace
}  // namespace kinloom
