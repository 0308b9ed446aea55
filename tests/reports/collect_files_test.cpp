#include "reports/collect_files.h"

#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/scripted_prompts.h"
#include "reports/quality_check.h"
#include "platform/file_references.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace kinloom;

namespace {

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

}  // namespace

TEST(CollectFiles, ATreeWithoutFilesCountsOnlyItself) {
    QTemporaryDir source, target;
    ItemStore store;
    test::addPerson(store, "Anna", "Berg");
    ScriptedPrompts prompts;
    const CollectResult r = collectAllFiles(store, source.path(), target.filePath("out.kl3"), prompts);
    EXPECT_TRUE(r.saved);
    EXPECT_EQ(r.count, 1);
    EXPECT_EQ(collectResultMessage(r), "Collected 1 files to directory " + QDir(target.path()).absolutePath() + "/");
    EXPECT_TRUE(QFile::exists(target.filePath("out.kl3")));
    EXPECT_TRUE(prompts.records().empty());
}

TEST(CollectFiles, SharesOneSourceRenamesADifferentFileAndKeepsWhatCouldNotBeCopied) {
    QTemporaryDir source, target;
    put(source.filePath("a/portrait.jpg"), "first");
    put(source.filePath("b/portrait.jpg"), "second");
    put(source.filePath("notes.txt"), "notes");
    put(target.filePath("notes.txt"), "someone else's notes");  // already there, different
    put(source.filePath("c/portrait.jpg"), "first");            // another file, same bytes as the first copy

    ItemStore store;
    PersonItem* anna = test::addPerson(store, "Anna");
    anna->PictureFile = "a/portrait.jpg";
    anna->NotesFile = "notes.txt";
    PersonItem* bo = test::addPerson(store, "Bo");
    bo->PictureFile = "b/portrait.jpg";
    PersonItem* anna2 = test::addPerson(store, "Anna again");
    anna2->PictureFile = source.filePath("a/portrait.jpg").toStdString();  // the same file, named absolutely
    PersonItem* carl = test::addPerson(store, "Carl");
    carl->PictureFile = "c/portrait.jpg";
    carl->NotesFile = "gone.txt";
    PersonItem* dan = test::addPerson(store, "Dan");
    dan->NotesFile = "gone.txt";

    ScriptedPrompts prompts;
    const QString tree = target.filePath("out.kl3");
    const CollectResult r = collectAllFiles(store, source.path(), tree, prompts);
    ASSERT_TRUE(r.saved);
    EXPECT_EQ(anna->PictureFile.str(), "portrait.jpg");
    EXPECT_EQ(anna->NotesFile.str(), "notes (2).txt");
    EXPECT_EQ(bo->PictureFile.str(), "portrait (2).jpg");
    EXPECT_EQ(anna2->PictureFile.str(), "portrait.jpg");
    EXPECT_EQ(carl->PictureFile.str(), "portrait.jpg");  // identical bytes: the copy there serves
    // Not copied: named where it was looked for, not as a name that would now point into the new folder.
    EXPECT_EQ(carl->NotesFile.str(), source.filePath("gone.txt").toStdString());
    EXPECT_EQ(dan->NotesFile.str(), source.filePath("gone.txt").toStdString());
    EXPECT_EQ(contents(target.filePath("portrait.jpg")), "first");
    EXPECT_EQ(contents(target.filePath("portrait (2).jpg")), "second");
    EXPECT_EQ(contents(target.filePath("notes.txt")), "someone else's notes");
    EXPECT_EQ(contents(target.filePath("notes (2).txt")), "notes");
    EXPECT_EQ(r.count, 4);  // three files and the tree
    EXPECT_EQ(r.notCopied, QStringList{"gone.txt"});
    EXPECT_EQ(collectResultMessage(r),
              "Collected 4 files to directory " + QDir(target.path()).absolutePath() +
                  "/\n\nThese files could not be copied, and the persons still refer to them where they were:\ngone.txt");

    // The saved tree is the collected one, and its files are found next to it.
    ItemStore reread;
    ViewState view;
    ASSERT_EQ(readFromFile(reread, tree, view, WindowSize{}, prompts), ReadStatus::Ok);
    EXPECT_EQ(reread.firstItem()->NotesFile.str(), "notes (2).txt");
    const QualityCheckResult check = runQualityCheck(reread, treeFolderOf(tree));
    EXPECT_EQ(check.count, 2);  // only Carl's and Dan's lost notes
}

TEST(CollectFiles, IntoTheTreesOwnFolderCopiesNothing) {
    QTemporaryDir dir;
    put(dir.filePath("portrait.jpg"), "me");
    ItemStore store;
    test::addPerson(store, "Anna")->PictureFile = "portrait.jpg";
    ScriptedPrompts prompts;
    const CollectResult r = collectAllFiles(store, dir.path(), dir.filePath("again.kl3"), prompts);
    EXPECT_EQ(store.firstItem()->PictureFile.str(), "portrait.jpg");
    EXPECT_EQ(r.count, 2);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{"again.kl3", "portrait.jpg"}));
}

TEST(CollectFiles, OnlyRegularFilesAreCopied) {
    // A FIFO or a device would be read without end: each keeps its reference and is named.
    QTemporaryDir source, target;
    ASSERT_EQ(mkfifo(QFile::encodeName(source.filePath("notes.fifo")).constData(), 0600), 0);
    ItemStore store;
    PersonItem* anna = test::addPerson(store, "Anna");
    anna->NotesFile = "notes.fifo";
    anna->PictureFile = "/dev/zero";
    ScriptedPrompts prompts;
    const CollectResult r = collectAllFiles(store, source.path(), target.filePath("out.kl3"), prompts);
    ASSERT_TRUE(r.saved);
    EXPECT_EQ(anna->NotesFile.str(), source.filePath("notes.fifo").toStdString());  // where it still is
    EXPECT_EQ(anna->PictureFile.str(), "/dev/zero");
    EXPECT_EQ(r.count, 1);  // the tree alone
    EXPECT_EQ(r.notCopied, QStringList({"notes.fifo", "/dev/zero"}));
}
