#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

namespace {

// Every command that writes a file refuses to write over its input (by any name) or to a name
// whose extension is not what it writes, and leaves every file as it was.
TEST(CliOutputFile, TheInputAndAWrongExtensionAreRefused) {
    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    test::addPerson(store, "Ola");
    const QString tree = dir.filePath("t.kl3");
    ASSERT_TRUE(saveToFile(store, tree, prompts));
    const QString ged = dir.filePath("t.ged");
    ASSERT_TRUE(test::writeBytes(ged, {'0', ' ', 'H', 'E', 'A', 'D', '\n'}));
    const QString link = dir.filePath("link.kl3");
    ASSERT_TRUE(QFile::link(tree, link));
    const auto treeBytes = test::readBytes(tree);

    const QString input = " is the input file; choose another name for the output\n";
    struct Case {
        QStringList args;
        QString err;
    };
    const std::vector<Case> cases{
        {{"export", tree, tree}, "export: " + tree + input},
        {{"export", tree, dir.filePath("out.kl3")}, "export: " + dir.filePath("out.kl3") + ": the output file must end in .ged\n"},
        {{"render", tree, tree}, "render: " + tree + input},
        {{"render", tree, dir.filePath("out.jpg")}, "render: " + dir.filePath("out.jpg") + ": the output file must end in .png or .gif\n"},
        {{"arrange", tree, link}, "arrange: " + link + input},
        {{"arrange", tree, dir.filePath("out.ged")}, "arrange: " + dir.filePath("out.ged") + ": the output file must end in .kl3\n"},
        {{"convert", tree, dir.filePath("./t.kl3")}, "convert: " + dir.filePath("./t.kl3") + input},
        {{"convert", tree, dir.filePath("out.txt")}, "convert: " + dir.filePath("out.txt") + ": the output file must end in .kl3 or .ged\n"},
        {{"list", tree, tree}, "list: " + tree + input},
        {{"list", tree, dir.filePath("out.kl3")}, "list: " + dir.filePath("out.kl3") + ": the output file must end in .txt\n"},
        {{"collect", tree, link}, "collect: " + link + input},
        {{"collect", tree, dir.filePath("out.ged")}, "collect: " + dir.filePath("out.ged") + ": the output file must end in .kl3\n"},
        {{"print", tree, tree}, "print: " + tree + input},
        {{"print", tree, dir.filePath("out.png")}, "print: " + dir.filePath("out.png") + ": the output file must end in .pdf or .svg\n"},
        {{"import", ged, ged}, "import: " + ged + input},
        {{"import", ged, dir.filePath("out.ged")}, "import: " + dir.filePath("out.ged") + ": the output file must end in .kl3\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QProcess p;
        p.start(QStringLiteral(KINLOOM_CLI_PATH), c.args);
        ASSERT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 1);
        // Drawing starts a GUI application, which may have warnings of its own to give first.
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_TRUE(err.endsWith("\nkinloom-cli " + c.err) || err == "kinloom-cli " + c.err) << err.toStdString();
    }
    EXPECT_EQ(test::readBytes(tree), treeBytes);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"link.kl3", "t.ged", "t.kl3"}));
}

}  // namespace
