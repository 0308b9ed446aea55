#include "canvas/render_tree.h"
#include "canvas_test_support.h"
#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/imagecodec.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kinloom;
using kinloom::test::addPerson;

namespace {

struct CliResult {
    int status = -1;
    QByteArray err;
};

CliResult cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KINLOOM_CLI_PATH), args);
    CliResult run;
    if (!p.waitForFinished(60000)) return run;
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.err = p.readAllStandardError();
    return run;
}

class RenderCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        kinloom::test::ensureGuiApplication();
        ASSERT_TRUE(dir.isValid());
        PersonItem* father = addPerson(store, "Tom", "Lee", 0, 0);
        PersonItem* mother = addPerson(store, "Ann", "Lee", 300, 0);
        mother->Sex = "F";
        mother->NotesFile = "ann.txt";
        PersonItem* child = addPerson(store, "Kim", "Lee", 150, 200);
        child->Father = father;
        child->Mother = mother;
        child->BornDate = "1 JAN 1900";
        store.addMarriage(father, mother);
        store.currentItem = nullptr;
        tree = dir.filePath("tree.kl3");
        ASSERT_TRUE(saveToFile(store, tree, prompts));
    }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
    ItemStore store;
    QString tree;
};

TEST_F(RenderCliTest, WritesTheSamePictureAsTheCanvas) {
    const QString out = dir.filePath("tree.png");
    const CliResult run = cli({"render", tree, out, "--size", "320x200", "--colour-code", "notes"});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    const QImage written(out);
    ASSERT_FALSE(written.isNull());
    EXPECT_EQ(written.size(), QSize(320, 200));

    RenderOptions options;
    options.size = {320, 200};
    options.settings.colourCodeMode = ColourCode::Notes;
    const QImage expected = renderTree(store, options);
    EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), expected);
    // The notes colour code shows: some yellow in the picture.
    bool yellow = false;
    for (int y = 0; y < written.height() && !yellow; ++y)
        for (int x = 0; x < written.width() && !yellow; ++x) yellow = (written.pixel(x, y) | 0xff000000u) == qRgb(255, 255, 0);
    EXPECT_TRUE(yellow);
}

TEST_F(RenderCliTest, ExplicitViewAndErrors) {
    const QString out = dir.filePath("view.png");
    ASSERT_EQ(cli({"render", "--zoom", "50", "--offset", "10,20", "--size", "200x100", tree, out}).status, 0);
    const QImage written(out);
    ASSERT_EQ(written.size(), QSize(200, 100));
    // Tom's box: from (5, 10) to (75, 42) at 50 %.
    EXPECT_EQ(written.pixel(5, 41) | 0xff000000u, qRgb(255, 255, 255));
    EXPECT_EQ(written.pixel(4, 41) | 0xff000000u, qRgb(64, 128, 128));
    EXPECT_EQ(written.pixel(75, 42) | 0xff000000u, qRgb(0, 0, 0));

    CliResult bad = cli({"render", tree, out, "--colour-code", "purple"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains("--colour-code is none, gender, notes or picture")) << bad.err.constData();
    bad = cli({"render", tree});
    EXPECT_EQ(bad.status, 1);
    for (const char* zoom : {"1e-300", "0", "-5", "nan", "10001"}) {
        bad = cli({"render", "--zoom", zoom, tree, out});
        EXPECT_EQ(bad.status, 1) << zoom;
        EXPECT_TRUE(bad.err.contains("--zoom needs a number from 0.00001 to 10000")) << bad.err.constData();
    }
    bad = cli({"render", dir.filePath("missing.kl3"), out});
    EXPECT_EQ(bad.status, 1);
    EXPECT_FALSE(bad.err.isEmpty());
    bad = cli({"render", tree, dir.filePath("no/such/dir/x.png")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.contains("could not write")) << bad.err.constData();
}

}  // namespace

TEST_F(RenderCliTest, AGifIsTheWholeTreeAtFullSizeInTheCanvasColours) {
    const QString out = dir.filePath("tree.gif");
    const CliResult run = cli({"render", tree, out});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("GIF89a"));
    const QImage written = decodeGif(bytes);
    EXPECT_EQ(written.size(), wholeTreeImageSize(store));

    // The picture the canvas draws at that size: a palette of 256 colours keeps nearly every pixel.
    RenderOptions options;
    options.size = written.size();
    const QImage expected = renderTree(store, options);
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) differing += (written.pixel(x, y) | 0xff000000u) != (expected.pixel(x, y) | 0xff000000u);
    EXPECT_LT(differing, expected.width() * expected.height() / 100);
}
