#include "platform/file_references.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kinloom;

namespace {

void put(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

}  // namespace

TEST(FileReferences, NamesWrittenOnWindowsFindTheFileBesideTheTree) {
    QTemporaryDir root;
    const QDir tree(root.filePath("Slekt"));
    for (const char* file : {"Slekt/pics/ola.jpg", "Slekt/Notes/Kari Nordmann.TXT", "Slekt/twins/a.jpg", "Slekt/twins/A.jpg",
                             "Slekt/top.jpg", "Slekt/back\\slash.jpg", "Slekt/Pics/deep/er.gif", "Elsewhere/abs.jpg"})
        put(root.filePath(file));
    ASSERT_TRUE(QDir().mkpath(tree.filePath("folder.jpg")));
    const QString abs = root.filePath("Elsewhere/abs.jpg");
    const QString absWindows = QString(abs).replace(QLatin1Char('/'), QLatin1Char('\\'));

    struct Case {
        QString stored;
        QString found;  // below the tree folder (or absolute); empty: not found
    };
    const Case cases[] = {
        {"pics/ola.jpg", "pics/ola.jpg"},
        {"pics\\ola.jpg", "pics/ola.jpg"},
        {"PICS\\OLA.JPG", "pics/ola.jpg"},
        {".\\pics\\Ola.jpg", "pics/ola.jpg"},
        {"notes\\kari nordmann.txt", "Notes/Kari Nordmann.TXT"},
        {"C:\\Slekt\\pics\\ola.jpg", "pics/ola.jpg"},           // the tree moved off the drive with its files
        {"c:\\Users\\Ola\\Slekt\\PICS\\OLA.JPG", "pics/ola.jpg"},  // the last folder names, inward
        {"D:\\old\\top.jpg", "top.jpg"},
        {"C:/Slekt/Pics/deep/er.gif", "Pics/deep/er.gif"},
        {"\\\\server\\share\\pics\\ola.jpg", "pics/ola.jpg"},
        {"back\\slash.jpg", "back\\slash.jpg"},  // a Linux name with a backslash is taken as it stands
        {"twins\\a.jpg", "twins/a.jpg"},        // the exact name wins
        {"TWINS\\a.JPG", ""},                   // two files match ignoring case: none is taken
        {"C:\\Slekt\\pics\\gone.jpg", ""},
        {"folder.jpg", ""},  // a folder is no file
        {"pics", ""},
        {"C:", ""},
        {"", ""},
        {abs, abs},
        {absWindows, abs},
        {QString(abs).toUpper(), abs},
    };
    const FileReferences references(tree.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        const QString expected = c.found.isEmpty() ? QString() : QDir::isAbsolutePath(c.found) ? c.found : tree.filePath(c.found);
        EXPECT_EQ(references.find(c.stored), expected);
        if (!expected.isEmpty()) {
            EXPECT_EQ(references.path(c.stored), expected);
        }
    }
    // Where a name points when nothing is there: read plainly, in the tree's folder.
    EXPECT_EQ(references.path("gone\\x.txt"), tree.filePath("gone/x.txt"));
    EXPECT_EQ(references.path("/no/such.txt"), "/no/such.txt");
    EXPECT_EQ(references.path(""), "");
    EXPECT_EQ(treeFolderOf(tree.filePath("family.kl3")), tree.path());
}
