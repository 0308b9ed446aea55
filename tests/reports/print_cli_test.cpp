#include "document/item_store.h"
#include "document/tree_file.h"
#include "pdf_tools.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kinloom;
using namespace kinloom::test;

namespace {

class PrintCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        // Four persons in the corners, so that each page of a 2 x 2 poster shows one of them.
        addPerson(store, "Nora", "North", 0, 0);
        addPerson(store, "Ned", "North", 3000, 0);
        addPerson(store, "Sam", "South", 0, 2000);
        addPerson(store, "Sue", "South", 3000, 2000);
        tree = dir.filePath("tree.kl3");
        ASSERT_TRUE(saveToFile(store, tree, prompts));
    }

    // Runs kinloom-cli with its settings in the temporary folder; returns the exit status.
    int cli(const QStringList& args) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath("config"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(KINLOOM_CLI_PATH), args);
        if (!p.waitForFinished(120000)) return -1;
        err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store;
    QString tree, err;
};

TEST_F(PrintCliTest, PrintsThePosterPageByPage) {
    const QString pdf = dir.filePath("poster.pdf");
    ASSERT_EQ(cli({"print", tree, pdf, "--pages", "2"}), 0) << err.toStdString();
    ASSERT_EQ(pdfPageCount(pdf), 4);
    EXPECT_TRUE(pdfPageSize(pdf).startsWith("842 x 595")) << pdfPageSize(pdf).toStdString();  // A4 landscape
    const char* names[] = {"Nora", "Ned", "Sam", "Sue"};
    for (int page = 1; page <= 4; ++page) {
        SCOPED_TRACE(page);
        const QString text = pdfPageText(pdf, page);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(text.contains(names[i]), i == page - 1) << text.toStdString();
        EXPECT_EQ(text.contains("Printed with Kinloom 2.0 beta 3.6"), page <= 2) << text.toStdString();
    }

    // Portrait Letter, only the items with the Ids 1 and 2, one page.
    const QString selected = dir.filePath("selected.pdf");
    ASSERT_EQ(cli({"print", "--orientation", "portrait", "--paper", "Letter", "--selected", "1,2", "--dpi", "150",
                   "--thickness=5", tree, selected}),
              0)
        << err.toStdString();
    EXPECT_EQ(pdfPageCount(selected), 1);
    EXPECT_TRUE(pdfPageSize(selected).startsWith("612 x 792")) << pdfPageSize(selected).toStdString();
    const QString text = pdfPageText(selected, 1);
    EXPECT_TRUE(text.contains("Nora") && text.contains("Ned")) << text.toStdString();
    EXPECT_FALSE(text.contains("Sam") || text.contains("Sue")) << text.toStdString();
}

TEST_F(PrintCliTest, UsesTheStoredTreeFont) {
    // Two fonts that scripts/setup.sh installs, named exactly: which font stands in for Times New
    // Roman depends on what else the machine has.
    const QString pdf = dir.filePath("font.pdf");
    const auto printIn = [&](const char* family) {
        openIniRegistry(dir.filePath("config/kinloom/kinloom.ini"))->writeString(kSettingsKey, "ScreenFontName", family);
        EXPECT_EQ(cli({"print", tree, pdf}), 0) << err.toStdString();
        return runPdfTool("pdffonts", {pdf});
    };
    QString fonts = printIn("Liberation Serif");
    EXPECT_TRUE(fonts.contains("LiberationSerif")) << fonts.toStdString();
    EXPECT_FALSE(fonts.contains("DejaVuSans")) << fonts.toStdString();
    fonts = printIn("DejaVu Sans");
    EXPECT_TRUE(fonts.contains("DejaVuSans")) << fonts.toStdString();
    EXPECT_FALSE(fonts.contains("LiberationSerif")) << fonts.toStdString();
}

TEST_F(PrintCliTest, RefusesBadArgumentsAndWritesNothing) {
    const QString pdf = dir.filePath("bad.pdf");
    const struct {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"--pages", "9"}, "--pages needs a number from 1 to 8"},
        {{"--thickness", "0"}, "--thickness needs a number from 1 to 5"},
        {{"--orientation", "sideways"}, "--orientation is landscape or portrait"},
        {{"--paper", "A6"}, "--paper is A0|A1|A2|A3|A4|A5|Letter|Legal|Tabloid|WxHmm (sides of 10 to 100000 mm)"},
        {{"--paper", "5x300mm"}, "--paper is A0|"},
        {{"--box-width", "4"}, "--box-width needs millimetres from 5 to 500"},
        {{"--box-width", "wide"}, "--box-width needs millimetres from 5 to 500"},
        {{"--text-size", "100"}, "--text-size needs points from 2 to 72"},
        {{"--overlap", "-1"}, "--overlap needs millimetres from 0 to 50"},
        {{"--overlap", "nan"}, "--overlap needs millimetres from 0 to 50"},
        {{"--pages", "2", "--text-size", "8"}, "--pages cannot go with --box-width or --text-size"},
        {{"--pages", "2", "--one-page"}, "--pages cannot go with --one-page"},
        {{"--paper", "20x20mm", "--box-width", "20", "--overlap", "50", "--labels"},
         "the overlap leaves nothing of a page: choose a smaller one"},
        {{"--dpi", "10"}, "--dpi needs a number from 72 to 1200"},
        {{"--selected", "1,x"}, "--selected needs Ids"},
        {{"--selected", "7"}, "no item has the Id 7"},
        {{"--colour"}, "unknown option --colour"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cli(QStringList{"print", tree, pdf} + c.args), 1) << c.message;
        EXPECT_TRUE(err.contains(c.message)) << err.toStdString();
    }
    ItemStore empty;
    const QString emptyTree = dir.filePath("empty.kl3");
    ASSERT_TRUE(saveToFile(empty, emptyTree, prompts));
    EXPECT_EQ(cli({"print", emptyTree, pdf}), 1);
    EXPECT_TRUE(err.contains("has no items to print")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(cli({"print", tree, dir.filePath("bad.svg"), "--pages", "2"}), 1);
    EXPECT_TRUE(err.contains("--pages cannot go with an SVG file, which is one large page")) << err.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("bad.svg")));
    EXPECT_EQ(cli({"print", tree}), 1);
    EXPECT_TRUE(err.contains("expects TREE and OUT.pdf")) << err.toStdString();
}

}  // namespace
