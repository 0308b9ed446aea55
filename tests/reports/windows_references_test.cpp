// A tree made on Windows names its files with backslashes, in another case, or on a drive letter.
// The quality check, the web pages and Collect all files find them beside the tree all the same.
#include "canvas/canvas_test_support.h"
#include "document/item_store.h"
#include "platform/file_references.h"
#include "platform/imagecodec.h"
#include "platform/save_file.h"
#include "platform/scripted_prompts.h"
#include "reports/collect_files.h"
#include "reports/html_report.h"
#include "reports/quality_check.h"
#include "support/test_support.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kinloom;

TEST(WindowsReferences, TheReportsFindTheFilesBesideTheTreeAndKeepTheStoredNames) {
    test::ensureGuiApplication();
    QTemporaryDir tree, site, collected;
    ASSERT_TRUE(QDir(tree.path()).mkpath("pics") && QDir(tree.path()).mkpath("notes"));
    QImage picture(50, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(writeFileAtomically(tree.filePath("pics/ola.jpg"), encodeJpeg(picture)));
    ASSERT_TRUE(writeFileAtomically(tree.filePath("notes/kari.txt"), "Kari's notes"));

    ItemStore store;
    PersonItem* ola = test::addPerson(store, "Ola", "Nordmann");
    ola->PictureFile = "pics\\ola.jpg";
    ola->NotesFile = "C:\\Slekt\\NOTES\\Kari.TXT";
    PersonItem* kari = test::addPerson(store, "Kari", "Nordmann");
    kari->PictureFile = "PICS\\OLA.JPG";
    kari->NotesFile = "notes\\gone.txt";
    store.currentItem = nullptr;

    const QualityCheckResult check = runQualityCheck(store, tree.path());
    ASSERT_EQ(check.count, 1);
    EXPECT_EQ(check.rows[0].message, "Text file not found: notes\\gone.txt");

    HtmlReportJob job;
    job.treeFolder = tree.path();
    job.outputFolder = site.path();
    HtmlReportProgress quiet;
    ASSERT_TRUE(writeHtmlReport(store, job, quiet).ok);
    EXPECT_EQ(loadImageFile(QDir(site.path()).filePath("pict1.jpg")).size(), QSize(50, 40));
    QFile page(QDir(site.path()).filePath("1.html"));
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QByteArray text = page.readAll();
    EXPECT_TRUE(text.contains("<IMG SRC=\"pict1.jpg\""));
    EXPECT_TRUE(text.contains("\r\nKari's notes<BR>\r\n"));
    EXPECT_TRUE(QFile::exists(QDir(site.path()).filePath("pict2.jpg")));
    EXPECT_EQ(ola->PictureFile.str(), "pics\\ola.jpg");  // reading never changes what is stored
    EXPECT_EQ(ola->NotesFile.str(), "C:\\Slekt\\NOTES\\Kari.TXT");

    // Collect copies each file once under its own name; the missing one is named where it was looked for.
    ScriptedPrompts prompts;
    const CollectResult r = collectAllFiles(store, tree.path(), QDir(collected.path()).filePath("copy.kl3"), prompts);
    ASSERT_TRUE(r.saved);
    EXPECT_EQ(ola->PictureFile.str(), "ola.jpg");
    EXPECT_EQ(ola->NotesFile.str(), "kari.txt");
    EXPECT_EQ(kari->PictureFile.str(), "ola.jpg");
    EXPECT_EQ(kari->NotesFile.str(), QDir(tree.path()).filePath("notes/gone.txt").toStdString());
    EXPECT_EQ(r.count, 3);
    EXPECT_EQ(r.notCopied, QStringList{"notes\\gone.txt"});
    EXPECT_EQ(QDir(collected.path()).entryList(QDir::Files, QDir::Name), (QStringList{"copy.kl3", "kari.txt", "ola.jpg"}));
}
