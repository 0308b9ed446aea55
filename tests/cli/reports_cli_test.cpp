#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/scripted_prompts.h"
#include "reports/alphabetical_list.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

namespace {

struct CliResult {
    int status = -1;
    QByteArray out, err;
};

CliResult cli(const QStringList& args, const QString& workingDir = {}) {
    QProcess p;
    if (!workingDir.isEmpty()) p.setWorkingDirectory(workingDir);
    p.start(QStringLiteral(KINLOOM_CLI_PATH), args);
    CliResult run;
    if (!p.waitForFinished(60000)) return run;
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A tree in `dir` whose Berg names a picture beside it and two missing files.
QString saveFamily(const QTemporaryDir& dir) {
    QFile(dir.filePath("berg.jpg")).open(QIODevice::WriteOnly);
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    PersonItem* berg = test::addPerson(store, "Anna", "Berg");
    berg->PictureFile = "berg.jpg";
    berg->NotesFile = "berg.txt";
    test::addPerson(store, "Bo", "adams")->PictureFile = "bo.gif";
    test::addPerson(store, "Carl", "Dahl");
    const QString tree = dir.filePath("family.kl3");
    EXPECT_TRUE(saveToFile(store, tree, prompts));
    return tree;
}

}  // namespace

TEST(KinloomCliReports, CheckListsProblemsInTheWindowsOrder) {
    QTemporaryDir dir, elsewhere;
    const QString tree = saveFamily(dir);
    const CliResult run = cli({"check", tree}, elsewhere.path());  // names are taken beside the tree
    EXPECT_EQ(run.status, 2) << run.err.constData();
    EXPECT_EQ(run.out, "adams Bo\tImage file not found: bo.gif\nBerg Anna\tText file not found: berg.txt\n"
                       "Quality check complete: 2 error(s)\n");

    ScriptedPrompts prompts;
    ItemStore clean(&prompts);
    test::addPerson(clean, "Clean");
    ASSERT_TRUE(saveToFile(clean, dir.filePath("clean.kl3"), prompts));
    const CliResult ok = cli({"check", dir.filePath("clean.kl3")});
    EXPECT_EQ(ok.status, 0);
    EXPECT_EQ(ok.out, "Quality check complete: 0 error(s)\n");

    EXPECT_EQ(cli({"check", dir.filePath("missing.kl3")}).status, 1);
    EXPECT_EQ(cli({"check"}).status, 1);
}

TEST(KinloomCliReports, ListWritesTheReportsBytes) {
    QTemporaryDir dir;
    const QString tree = saveFamily(dir);
    const QString out = dir.filePath("list.txt");
    const CliResult run = cli({"list", tree, out});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(contents(out), "adams Bo ( - )\r\nBerg Anna ( - )\r\nDahl Carl ( - )\r\n");
    EXPECT_EQ(cli({"list", tree, dir.filePath("no/folder/list.txt")}).status, 1);
}

TEST(KinloomCliReports, CollectLeavesTheInputAlone) {
    QTemporaryDir dir, target;
    const QString tree = saveFamily(dir);
    const QByteArray before = contents(tree);
    const QString out = target.filePath("collected.kl3");
    const CliResult run = cli({"collect", tree, out});
    EXPECT_EQ(run.status, 2) << run.err.constData();  // two files were missing
    EXPECT_EQ(run.out, "Collected 2 files to directory " + QDir(target.path()).absolutePath().toUtf8() +
                           "/\n\nThese files could not be copied, and the persons still refer to them where they "
                           "were:\nberg.txt\nbo.gif\n");
    EXPECT_EQ(contents(tree), before);
    EXPECT_TRUE(QFile::exists(target.filePath("berg.jpg")));
    EXPECT_EQ(cli({"collect", tree, tree}).status, 1);
    EXPECT_EQ(contents(tree), before);
}
