// Putting a site's files in place over an older site: the bytes are always the new ones, the old
// files are reused as the next files' temporary files only while nothing else can see them.
#include "reports/site_files.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <random>
#include <set>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace kinloom;

namespace {

QByteArray readAll(const QString& path) { return test::fileContents(path); }

ino_t inodeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

QStringList namesIn(const QTemporaryDir& dir) { return QDir(dir.path()).entryList(QDir::Files | QDir::System, QDir::Name); }

}  // namespace

TEST(SiteFileReplacer, FilesWrittenOverOlderOnesHoldExactlyTheNewBytes) {
    QTemporaryDir dir;
    std::mt19937 random(7);
    // Sizes about the file system's block size, where a file cut shorter or grown longer changes blocks.
    const int sizes[] = {0, 1, 100, 4095, 4096, 4097, 9000, 20000};
    const int kFiles = 20;
    QStringList expectedNames;
    for (int f = 0; f < kFiles; ++f) expectedNames << QStringLiteral("%1.html").arg(f);
    expectedNames.sort();
    std::set<ino_t> inodesBefore;
    for (int round = 0; round < 4; ++round) {
        std::vector<QByteArray> data(kFiles);
        SiteFileReplacer files;
        for (int f = 0; f < kFiles; ++f) {
            QByteArray& d = data[static_cast<size_t>(f)];
            d.resize(sizes[random() % std::size(sizes)]);
            for (char& c : d) c = static_cast<char>('a' + round * 5 + random() % 5);  // each round its own letters
            QString error;
            ASSERT_TRUE(files.write(QDir(dir.path()).filePath(QStringLiteral("%1.html").arg(f)), d, error)) << error.toStdString();
        }
        files.finish();
        EXPECT_EQ(namesIn(dir), expectedNames) << "round " << round;
        std::set<ino_t> inodes;
        for (int f = 0; f < kFiles; ++f) {
            const QString path = QDir(dir.path()).filePath(QStringLiteral("%1.html").arg(f));
            EXPECT_EQ(readAll(path), data[static_cast<size_t>(f)]) << "round " << round << ", file " << f;
            inodes.insert(inodeOf(path));
        }
        // Over an older site every file but the first goes into an old file's place.
        if (round > 0) {
            size_t fresh = 0;
            for (ino_t i : inodes) fresh += !inodesBefore.contains(i);
            EXPECT_LE(fresh, 1U) << "round " << round;
        }
        inodesBefore = inodes;
    }
}

TEST(SiteFileReplacer, NothingThatAnotherNameCanReachIsWrittenInto) {
    QTemporaryDir dir, elsewhere;
    auto in = [&](const char* name) { return QDir(dir.path()).filePath(QString::fromLatin1(name)); };
    const QString victim = QDir(elsewhere.path()).filePath("victim.txt");
    const QString secondName = QDir(elsewhere.path()).filePath("second.html");
    {
        QFile f(victim);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("keep me");
    }
    QString error;
    {
        SiteFileReplacer first;
        for (const char* name : {"a.html", "b.html", "c.html", "d.html"})
            ASSERT_TRUE(first.write(in(name), QByteArray("old ") + name, error));
    }
    ASSERT_EQ(namesIn(dir), QStringList({"a.html", "b.html", "c.html", "d.html"}));

    SiteFileReplacer files;
    // The old a.html is now the spare "a.html.part"; it is swapped for a link to a file elsewhere.
    ASSERT_TRUE(files.write(in("a.html"), "new a", error));
    ASSERT_EQ(readAll(in("a.html.part")), "old a.html");
    ASSERT_EQ(::unlink(QFile::encodeName(in("a.html.part")).constData()), 0);
    ASSERT_EQ(::symlink(QFile::encodeName(victim).constData(), QFile::encodeName(in("a.html.part")).constData()), 0);
    ASSERT_TRUE(files.write(in("b.html"), "new b", error)) << error.toStdString();
    EXPECT_EQ(readAll(victim), "keep me");
    // The old b.html, the spare now, gets a second name elsewhere: it is not written into either.
    ASSERT_EQ(::link(QFile::encodeName(in("b.html.part")).constData(), QFile::encodeName(secondName).constData()), 0);
    ASSERT_TRUE(files.write(in("c.html"), "new c", error)) << error.toStdString();
    EXPECT_EQ(readAll(secondName), "old b.html");
    // A page with a second name elsewhere is replaced, and the other name keeps the old page.
    ASSERT_EQ(::link(QFile::encodeName(in("d.html")).constData(),
                     QFile::encodeName(QDir(elsewhere.path()).filePath("d.html")).constData()), 0);
    ASSERT_TRUE(files.write(in("d.html"), "new d", error)) << error.toStdString();
    ASSERT_TRUE(files.write(in("e.html"), "new e", error)) << error.toStdString();
    EXPECT_EQ(readAll(QDir(elsewhere.path()).filePath("d.html")), "old d.html");
    // Never over a link or a folder; the message names the file, and no temporary file stays.
    ASSERT_EQ(::symlink(QFile::encodeName(victim).constData(), QFile::encodeName(in("f.html")).constData()), 0);
    EXPECT_FALSE(files.write(in("f.html"), "new f", error));
    EXPECT_EQ(error, QStringLiteral("Could not write ") + in("f.html"));
    ASSERT_TRUE(QDir(dir.path()).mkdir("g.html"));
    EXPECT_FALSE(files.write(in("g.html"), "new g", error));
    EXPECT_EQ(error, QStringLiteral("Could not write ") + in("g.html"));
    files.finish();

    EXPECT_EQ(readAll(victim), "keep me");
    for (const char* name : {"a.html", "b.html", "c.html", "d.html", "e.html"})
        EXPECT_EQ(readAll(in(name)), QByteArray("new ") + name[0]) << name;
    EXPECT_EQ(namesIn(dir), QStringList({"a.html", "b.html", "c.html", "d.html", "e.html", "f.html"}));
    EXPECT_EQ(readAll(secondName), "old b.html");
}
