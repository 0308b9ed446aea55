#include "document/item_store.h"
#include "document/tree_file.h"
#include "pdf_tools.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_font.h"
#include "support/test_support.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>


using namespace kinloom;
using namespace kinloom::test;

namespace {

// kinloom-cli print at a readable size, on one page, as SVG, and on a disk that fills up. The
// program sees the test font alone, stored as its tree font.
class PrintChartCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        for (int i = 0; i < 24; ++i) {
            names << QStringLiteral("Name%1").arg(i, 2, 10, QLatin1Char('0'));
            addPerson(store, names.back().toStdString(), "Berg", (i % 8) * 300, (i / 8) * 200);
        }
        tree = dir.filePath("tree.kl3");
        ASSERT_TRUE(saveToFile(store, tree, prompts));
        const auto registry = openIniRegistry(dir.filePath("config/kinloom/kinloom.ini"));
        registry->writeString(kSettingsKey, "ScreenFontName", "Kinloom Test Sans");
    }

    int cli(const QStringList& args, int fileSizeLimit = 0) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath("config"));
        useOnlyTestFont(env, dir.filePath("fontconfig"));
        p.setProcessEnvironment(env);
        if (fileSizeLimit > 0)
            // A disk that takes no more than a few kilobytes of any one file (ulimit counts blocks
            // of 512 or 1024 bytes, as the shell has it).
            p.start(QStringLiteral("/bin/sh"), QStringList{QStringLiteral("-c"),
                                                           QStringLiteral("trap '' XFSZ; ulimit -f %1; exec \"$0\" \"$@\"")
                                                               .arg(fileSizeLimit),
                                                           QStringLiteral(KINLOOM_CLI_PATH)} +
                                                   args);
        else
            p.start(QStringLiteral(KINLOOM_CLI_PATH), args);
        if (!p.waitForFinished(120000)) return -1;
        out = QString::fromUtf8(p.readAllStandardOutput());
        err = QString::fromUtf8(p.readAllStandardError());
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store;
    QStringList names;
    QString tree, out, err;
};

TEST_F(PrintChartCliTest, ReadableSizeAnnouncesAndPrintsItsPages) {
    const QString pdf = dir.filePath("chart.pdf");
    ASSERT_EQ(cli({"print", tree, pdf, "--text-size", "10", "--paper", "A5", "--labels", "--cut-marks", "--overlap", "10",
                   "--dpi", "150"}),
              0)
        << err.toStdString();
    const QRegularExpressionMatch m = QRegularExpression("^(\\d+) pages? \\((\\d+) columns? x (\\d+) rows?\\)\n$").match(out);
    ASSERT_TRUE(m.hasMatch()) << out.toStdString();
    const int pages = m.captured(1).toInt(), columns = m.captured(2).toInt();
    EXPECT_EQ(pages, columns * m.captured(3).toInt());
    EXPECT_GT(pages, 1);
    ASSERT_EQ(pdfPageCount(pdf), pages);
    EXPECT_TRUE(pdfPageSize(pdf).startsWith("595 x 420")) << pdfPageSize(pdf).toStdString();  // A5 landscape
    QString all;
    for (int i = 1; i <= pages; ++i) {
        const QString text = pdfPageText(pdf, i);
        EXPECT_TRUE(text.contains(QStringLiteral("row %1, column %2").arg((i - 1) / columns + 1).arg((i - 1) % columns + 1)))
            << i << text.toStdString();
        all += text;
    }
    for (const QString& name : names) EXPECT_TRUE(all.contains(name)) << name.toStdString();

    // One large page: its size in the announcement and in the file.
    const QString one = dir.filePath("one.pdf");
    ASSERT_EQ(cli({"print", tree, one, "--one-page", "--box-width", "20"}), 0) << err.toStdString();
    // 8 columns 300 units apart, boxes of 140 units 20 mm wide: (2100 + 140) / 7 = 320 mm and
    // (400 + 65) / 7 = 66.4 mm, with 10 mm margins and the pixel of the bottom border at 300 dpi.
    EXPECT_EQ(out, "1 page of 340 x 87 mm\n");
    EXPECT_EQ(pdfPageCount(one), 1);
    const double width = pdfPageSize(one).section(' ', 0, 0).toDouble();
    EXPECT_NEAR(width * 25.4 / 72, 340, 0.5);
    const QString text = pdfPageText(one, 1);
    for (const QString& name : names) EXPECT_TRUE(text.contains(name)) << name.toStdString();

    // SVG: the same drawing with the names as text.
    const QString svg = dir.filePath("chart.svg");
    ASSERT_EQ(cli({"print", tree, svg, "--box-width", "20"}), 0) << err.toStdString();
    EXPECT_EQ(out, "1 page of 340 x 87 mm\n");
    QFile in(svg);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    for (const QString& name : names) EXPECT_TRUE(bytes.contains(">" + name.toUtf8() + "<")) << name.toStdString();
}

TEST_F(PrintChartCliTest, AFullDiskLeavesTheOldFileAndFails) {
    for (const char* name : {"full.pdf", "full.svg"}) {
        SCOPED_TRACE(name);
        const QString path = dir.filePath(name);
        // Whole, the file would need more than the disk takes.
        const QString whole = dir.filePath(QStringLiteral("whole-") + name);
        ASSERT_EQ(cli({"print", tree, whole}), 0) << err.toStdString();
        ASSERT_GT(QFileInfo(whole).size(), 4096);
        const std::vector<unsigned char> old = {'o', 'l', 'd', '\n'};
        ASSERT_TRUE(writeBytes(path, old));
        EXPECT_EQ(cli({"print", tree, path}, 2), 1);
        EXPECT_TRUE(err.contains(QStringLiteral("kinloom-cli print: could not write %1: ").arg(path))) << err.toStdString();
        EXPECT_EQ(readBytes(path), old);
        EXPECT_EQ(QDir(dir.path()).entryList({QString(name) + ".*"}, QDir::Files | QDir::Hidden), QStringList());
    }
}

}  // namespace
