#include "document/item_store.h"
#include "document/tree_file.h"
#include "pdf_tools.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_font.h"
#include "support/test_support.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kinloom;
using namespace kinloom::test;

namespace {

// kinloom-cli chart on a three-generation family with an uncle, a daughter-in-law and an alias.
// The program sees the test font alone, stored as its tree font.
class ChartReportCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        PersonItem* gf = addPerson(store, "Gustav", "Holm", 0, 0);
        PersonItem* gm = addPerson(store, "Greta", "Holm", 200, 0);
        PersonItem* father = addPerson(store, "Frans", "Holm", 100, 300);
        PersonItem* uncle = addPerson(store, "Ulf", "Holm", 400, 300);
        PersonItem* mother = addPerson(store, "Maja", "Ek", 600, 300);
        root = addPerson(store, "Rut", "Holm", 300, 600);
        PersonItem* husband = addPerson(store, "Hugo", "Lind", 500, 600);
        PersonItem* grandchild = addPerson(store, "Gun", "Lind", 400, 900);
        PersonItem* fatherAlias = addPerson(store, "Frans", "Holm", 900, 900);
        fatherAlias->Kind = "REF";
        fatherAlias->Father = father;
        father->Kind = "ALIAS";
        father->Father = gf;
        father->Mother = gm;
        uncle->Father = gf;
        root->Father = fatherAlias;  // linked to the second placement
        root->Mother = mother;
        grandchild->Father = husband;
        grandchild->Mother = root;
        store.addMarriage(gf, gm);
        store.addMarriage(root, husband);
        tree = dir.filePath("tree.kl3");
        ASSERT_TRUE(saveToFile(store, tree, prompts));
        treeBytes = readBytes(tree);
        const auto registry = openIniRegistry(dir.filePath("config/kinloom/kinloom.ini"));
        registry->writeString(kSettingsKey, "ScreenFontName", "Kinloom Test Sans");
    }

    int cli(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath("config"));
        useOnlyTestFont(env, dir.filePath("fontconfig"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KINLOOM_CLI_PATH), args);
        if (!p.waitForFinished(120000)) return -1;
        out = QString::fromUtf8(p.readAllStandardOutput());
        err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QString pdfText(const QString& pdf) {
        QString all;
        for (int i = 1; i <= pdfPageCount(pdf); ++i) all += pdfPageText(pdf, i);
        return all;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store;
    PersonItem* root = nullptr;
    QString tree, out, err;
    std::vector<unsigned char> treeBytes;
};

TEST_F(ChartReportCliTest, WritesEachChartWithItsPersons) {
    // Ancestors of Rut: her parents and her father's parents, the alias as its original.
    const QString pdf = dir.filePath("ancestors.pdf");
    const QString person = QString::number(root->Id);
    ASSERT_EQ(cli({"chart", "ancestors", tree, pdf, "--person", person, "--box-width", "30", "--paper", "A3"}), 0)
        << err.toStdString();
    const QStringList lines = out.split('\n');
    ASSERT_EQ(lines.size(), 3) << out.toStdString();
    EXPECT_EQ(lines[0], "5 persons in 3 generations");
    EXPECT_TRUE(QRegularExpression("^\\d+ pages? \\(\\d+ columns? x \\d+ rows?.*\\)$").match(lines[1]).hasMatch())
        << lines[1].toStdString();
    QString text = pdfText(pdf);
    for (const char* name : {"Rut", "Frans", "Maja", "Gustav", "Greta"}) EXPECT_TRUE(text.contains(name)) << name;
    for (const char* name : {"Ulf", "Hugo", "Gun"}) EXPECT_FALSE(text.contains(name)) << name;
    EXPECT_EQ(text.count("Frans"), 1);

    // Two generations of Rut's descendants, with her husband, as SVG.
    const QString svg = dir.filePath("descendants.svg");
    ASSERT_EQ(cli({"chart", "descendants", tree, svg, "--person=" + person, "--generations", "2"}), 0) << err.toStdString();
    EXPECT_TRUE(out.startsWith("3 persons in 2 generations\n1 page of ")) << out.toStdString();
    QFile in(svg);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray drawing = in.readAll();
    for (const char* name : {">Rut<", ">Hugo<", ">Gun<"}) EXPECT_TRUE(drawing.contains(name)) << name;
    for (const char* name : {">Maja<", ">Frans<", ">Gustav<"}) EXPECT_FALSE(drawing.contains(name)) << name;

    // Without --person: the home item's chart. The complete tree: every person once.
    ASSERT_EQ(cli({"chart", "descendants", tree, dir.filePath("home.pdf"), "--generations", "1"}), 0) << err.toStdString();
    EXPECT_TRUE(out.startsWith("2 persons in 1 generation\n")) << out.toStdString();
    const QString whole = dir.filePath("tree.pdf");
    ASSERT_EQ(cli({"chart", "tree", tree, whole, "--one-page"}), 0) << err.toStdString();
    EXPECT_TRUE(out.startsWith("8 persons\n1 page of ")) << out.toStdString();
    text = pdfText(whole);
    for (const char* name : {"Rut", "Frans", "Maja", "Gustav", "Greta", "Ulf", "Hugo", "Gun"}) EXPECT_TRUE(text.contains(name)) << name;
    EXPECT_EQ(text.count("Frans"), 1);
    // The tree file is as it was: the chart moved nothing.
    EXPECT_EQ(readBytes(tree), treeBytes);
}

TEST_F(ChartReportCliTest, RefusesWhatItCannotChart) {
    const QString pdf = dir.filePath("chart.pdf");
    const std::vector<unsigned char> old = {'o', 'l', 'd'};
    ASSERT_TRUE(writeBytes(pdf, old));
    const struct {
        QStringList args;
        QString message;
    } cases[] = {
        {{"chart", "cousins", tree, pdf}, "kinloom-cli chart: unknown chart 'cousins' (ancestors, descendants or tree) (see kinloom-cli chart --help)\n"},
        {{"chart", "ancestors", tree, pdf, "--person", "99"}, "kinloom-cli chart: no item has the Id 99\n"},
        {{"chart", "ancestors", tree, pdf, "--person", "x"}, "kinloom-cli chart: --person needs an Id (a whole number above 0) (see kinloom-cli chart --help)\n"},
        {{"chart", "ancestors", tree, pdf, "--generations", "0"}, "kinloom-cli chart: --generations needs a number from 1 to 999 (see kinloom-cli chart --help)\n"},
        {{"chart", "tree", tree, pdf, "--generations", "3"}, "kinloom-cli chart: --person and --generations are for ancestors and descendants (see kinloom-cli chart --help)\n"},
        {{"chart", "tree", tree, pdf, "--pages", "2", "--box-width", "30"}, "kinloom-cli chart: --pages cannot go with --box-width or --text-size (see kinloom-cli chart --help)\n"},
        {{"chart", "tree", tree}, "kinloom-cli chart: expects ancestors, descendants or tree, then TREE and OUT.pdf (see kinloom-cli chart --help)\n"},
        {{"chart", "tree", tree, dir.filePath("chart.png")}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        EXPECT_EQ(cli(c.args), 1);
        // (Qt may say something of its own first.)
        if (!c.message.isEmpty()) EXPECT_TRUE(err.endsWith(c.message)) << err.toStdString();
        EXPECT_FALSE(err.isEmpty());
        EXPECT_EQ(readBytes(pdf), old);
    }
    ASSERT_EQ(cli({"chart", "--help"}), 0);
    EXPECT_TRUE(out.contains("--generations N")) << out.toStdString();
    EXPECT_TRUE(out.contains("--box-width MM")) << out.toStdString();
}

}  // namespace
