#include "canvas/canvas_test_support.h"
#include "document/tree_file.h"
#include "html_family_fixture.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "reports/html_report.h"

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kinloom;

namespace {

struct CliRun {
    int status = -1;
    QByteArray err;
};

// kinloom-cli with its settings in a folder of the test's own.
CliRun cli(const QStringList& args, const QString& configHome) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KINLOOM_CLI_PATH), args);
    CliRun run;
    if (!p.waitForFinished(60000)) return run;
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.err = p.readAllStandardError();
    return run;
}

QMap<QString, QByteArray> filesIn(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly)) files.insert(it.fileName(), f.readAll());
    }
    return files;
}

}  // namespace

// The command writes the same site as the report, with the stored settings and the options over them.
TEST(HtmlCli, WritesTheSiteWithStoredSettingsAndOptions) {
    kinloom::test::ensureGuiApplication();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    kinloom::test::buildHtmlFamily(store, QDir(dir.path()));
    const QString tree = dir.filePath("family.kl3");
    ASSERT_TRUE(saveToFile(store, tree, prompts));

    const QString config = dir.filePath("config");
    const auto registry = openIniRegistry(config + "/kinloom/kinloom.ini");
    HtmlReportSettings stored;
    stored.textColor = 255;
    stored.useSiblings = false;
    ASSERT_TRUE(stored.save(*registry));

    const QString out = dir.filePath("site/new");  // made by the command
    const CliRun run = cli({"html", tree, out, "--frames", "no", "--charset", "Unicode: utf-8"}, config);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Quality Check Result: 0 error(s)\n")) << run.err.toStdString();

    ItemStore reread(&prompts);
    ViewState view;
    ASSERT_EQ(readFromFile(reread, tree, view, WindowSize{}, prompts), ReadStatus::Ok);
    QTemporaryDir expected;
    HtmlReportJob job;
    job.settings = stored;
    job.settings.useFrames = false;
    job.settings.charset = "Unicode: utf-8";
    job.outputFolder = expected.path();
    job.treeFolder = dir.path();
    job.personCount = reread.personCount();
    HtmlReportProgress quiet;
    ASSERT_TRUE(writeHtmlReport(reread, job, quiet).ok);
    const auto written = filesIn(out);
    EXPECT_EQ(written, filesIn(expected.path()));
    EXPECT_EQ(written.size(), 34);  // 15 pages, 15 boxes, blank, arrow, picture, index
    EXPECT_TRUE(written.value("1.html").contains("<FONT COLOR=\"#FF0000\">"));
    EXPECT_FALSE(written.value("1.html").contains("Siblings:"));

    // A page that cannot be written: status 1 with the message and the file. The missing notes
    // file is reported first and does not stop the run.
    ASSERT_TRUE(QFile::remove(dir.filePath("john.txt")));
    ASSERT_TRUE(QDir(out).removeRecursively());
    ASSERT_TRUE(QDir().mkpath(out + "/2.html"));
    const CliRun failed = cli({"html", tree, out}, config);
    EXPECT_EQ(failed.status, 1);
    EXPECT_TRUE(failed.err.contains("kinloom-cli html: " + kHtmlExportFailed.toUtf8())) << failed.err.toStdString();
    EXPECT_TRUE(failed.err.contains("2.html")) << failed.err.toStdString();
    EXPECT_TRUE(failed.err.contains("Quality Check Result: 1 error(s)\nkinloom-cli html: ")) << failed.err.toStdString();
    EXPECT_TRUE(QFile::exists(out + "/1.html"));

    EXPECT_EQ(cli({"html", tree, out, "--frames", "maybe"}, config).status, 1);
}
