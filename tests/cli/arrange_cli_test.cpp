#include "document/item_store.h"
#include "document/tree_file.h"
#include "layout/auto_arrange.h"
#include "layout/family_chart.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using namespace kinloom;

namespace {

struct CliRun {
    int status = -1;
    QByteArray err;
};

CliRun cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KINLOOM_CLI_PATH), args);
    CliRun run;
    if (!p.waitForFinished(60000)) return run;
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.err = p.readAllStandardError();
    return run;
}

// Two generations and an unconnected couple, saved with the child last in the file.
void buildFamily(ItemStore& store) {
    PersonItem* father = test::addPerson(store, "Father", "Berg", 5000, 40);
    PersonItem* mother = test::addPerson(store, "Mother", "Dahl", -300, 900);
    store.addMarriage(father, mother);
    PersonItem* a = test::addPerson(store, "Lone", "One", 77, -3000);
    PersonItem* b = test::addPerson(store, "Lone", "Two", 88, -3300);
    store.addMarriage(a, b);
    PersonItem* child = test::addPerson(store, "Child", "Berg", 10, 10);
    child->Father = father;
    child->Mother = mother;
}

}  // namespace

TEST(KinloomCliArrange, SavesTheArrangedTree) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.kl3"));
    const QString out = dir.filePath(QStringLiteral("out.kl3"));
    ScriptedPrompts prompts;
    {
        ItemStore store(&prompts);
        buildFamily(store);
        ASSERT_TRUE(saveToFile(store, in, prompts));
    }
    const CliRun run = cli({QStringLiteral("arrange"), in, out});
    ASSERT_EQ(run.status, 0) << run.err.constData();

    // The same arrangement done here must give the same file, item for item.
    ItemStore expected(&prompts);
    buildFamily(expected);
    ViewState view;
    arrangeAllItems(expected, view, {});
    ItemStore saved(&prompts);
    ASSERT_EQ(readFromFile(saved, out, view, {}, prompts), ReadStatus::Ok);
    ASSERT_EQ(saved.itemCount(), 5);
    EXPECT_EQ(saved.firstItem()->FirstName, "Child");  // the deepest pedigree is home
    const PersonItem* e = expected.firstItem();
    for (const PersonItem* s = saved.firstItem(); s; s = s->Next, e = e->Next) {
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(s->Id, e->Id);
        EXPECT_EQ(s->X, e->X);
        EXPECT_EQ(s->Y, e->Y);
    }
    EXPECT_EQ(saved.firstItem()->X, 170);
    EXPECT_EQ(saved.firstItem()->Father->X, 90);
    EXPECT_EQ(saved.firstItem()->Mother->X, 250);
    // The input stays as it was.
    ItemStore original(&prompts);
    ASSERT_EQ(readFromFile(original, in, view, {}, prompts), ReadStatus::Ok);
    EXPECT_EQ(original.firstItem()->FirstName, "Father");
    EXPECT_EQ(original.firstItem()->X, 5000);
}

TEST(KinloomCliArrange, RefusesBadArgumentsAndFiles) {
    QTemporaryDir dir;
    EXPECT_EQ(cli({QStringLiteral("arrange")}).status, 1);
    const CliRun missing =
        cli({QStringLiteral("arrange"), dir.filePath(QStringLiteral("none.kl3")), dir.filePath(QStringLiteral("o.kl3"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.err.isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("o.kl3"))));
    const CliRun help = cli({QStringLiteral("arrange"), QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
}

// As the menu command does, an empty tree is refused with its message, and nothing is written.
TEST(KinloomCliArrange, EmptyTreeHasNoItemsToRearrange) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("empty.kl3"));
    const QString out = dir.filePath(QStringLiteral("out.kl3"));
    {
        QFile f(in);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const CliRun run = cli({QStringLiteral("arrange"), in, out});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, QByteArray("kinloom-cli arrange: No items to rearrange.\n"));
    EXPECT_FALSE(QFile::exists(out));
}

// --style chart arranges as Tools > Arrange as Family Chart does: the home item stays; --style rows is
// the default; any other word is refused before anything is read.
TEST(KinloomCliArrange, StyleChoosesTheFamilyChartOrGenerationRows) {
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in.kl3"));
    ScriptedPrompts prompts;
    {
        ItemStore store(&prompts);
        buildFamily(store);
        ASSERT_TRUE(saveToFile(store, in, prompts));
    }
    auto positions = [&](const QString& file) {
        ItemStore saved(&prompts);
        ViewState view;
        EXPECT_EQ(readFromFile(saved, file, view, {}, prompts), ReadStatus::Ok);
        std::vector<std::tuple<std::string, int, int>> out;
        for (const PersonItem* p = saved.firstItem(); p; p = p->Next) out.emplace_back(p->FirstName.str(), p->X, p->Y);
        return out;
    };
    const QString chart = dir.filePath(QStringLiteral("chart.kl3"));
    const CliRun run = cli({QStringLiteral("arrange"), QStringLiteral("--style"), QStringLiteral("chart"), in, chart});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    ItemStore expected(&prompts);
    buildFamily(expected);
    arrangeAsFamilyChart(expected);
    std::vector<std::tuple<std::string, int, int>> want;
    for (const PersonItem* p = expected.firstItem(); p; p = p->Next) want.emplace_back(p->FirstName.str(), p->X, p->Y);
    EXPECT_EQ(positions(chart), want);
    // The family: father and mother above the child; the lone couple beside them.
    EXPECT_EQ(want, (std::vector<std::tuple<std::string, int, int>>{
                        {"Father", 0, 0}, {"Mother", 160, 0}, {"Lone", 600, 0}, {"Lone", 760, 0}, {"Child", 80, 350}}));

    const QString rows = dir.filePath(QStringLiteral("rows.kl3"));
    const QString plain = dir.filePath(QStringLiteral("plain.kl3"));
    ASSERT_EQ(cli({QStringLiteral("arrange"), QStringLiteral("--style=rows"), in, rows}).status, 0);
    ASSERT_EQ(cli({QStringLiteral("arrange"), in, plain}).status, 0);
    EXPECT_EQ(positions(rows), positions(plain));
    EXPECT_NE(positions(rows), want);

    for (const QStringList& bad : {QStringList{QStringLiteral("--style"), QStringLiteral("tree"), in, chart + "2"},
                                   QStringList{in, chart + "2", QStringLiteral("--style")}}) {
        const CliRun refused = cli(QStringList{QStringLiteral("arrange")} + bad);
        EXPECT_EQ(refused.status, 1);
        EXPECT_EQ(refused.err, QByteArray("kinloom-cli arrange: --style takes chart or rows\n"));
    }
    EXPECT_FALSE(QFile::exists(chart + "2"));
}
