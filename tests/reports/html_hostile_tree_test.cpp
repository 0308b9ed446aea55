// The page writer against a hostile tree and a hostile output folder: links planted where its
// files go, a run that fails half way, alias boxes whose original is gone, control characters.
#include "canvas/canvas_test_support.h"
#include "document/item_store.h"
#include "platform/imagecodec.h"
#include "platform/save_file.h"
#include "reports/html_report.h"
#include "support/test_support.h"

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <functional>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace kinloom;

namespace {

QByteArray readAll(const QString& path) { return test::fileContents(path); }

bool isLink(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISLNK(info.st_mode);
}

// Every HREF and SRC of every page names a file that was written.
QStringList deadAddresses(const QString& folder) {
    static const QRegularExpression address(QStringLiteral("(?:HREF|SRC)=\"([^\"#]*)\""));
    QStringList dead;
    QDirIterator pages(folder, {QStringLiteral("*.html")});
    while (pages.hasNext()) {
        const QString page = pages.next();
        auto it = address.globalMatch(QString::fromLatin1(readAll(page)));
        while (it.hasNext()) {
            const QString target = it.next().captured(1);
            if (!target.isEmpty() && !target.startsWith(QLatin1String("https://")) && !QFile::exists(QDir(folder).filePath(target)))
                dead << QFileInfo(page).fileName() + QStringLiteral(" -> ") + target;
        }
    }
    return dead;
}

struct Site {
    ItemStore store;
    QTemporaryDir tree, out, elsewhere;
    HtmlReportJob job;
    QString victim;  // a file outside the output folder that no run may touch

    Site() {
        victim = QDir(elsewhere.path()).filePath("victim.txt");
        QFile f(victim);
        if (f.open(QIODevice::WriteOnly)) f.write("keep me");
        job.treeFolder = tree.path();
        job.outputFolder = out.path();
    }
    QString outPath(const QString& name) const { return QDir(out.path()).filePath(name); }
    void plantLink(const QString& name) const {
        ASSERT_EQ(::symlink(QFile::encodeName(victim).constData(), QFile::encodeName(outPath(name)).constData()), 0);
    }
    void picture(PersonItem* p, const char* file) const {
        QImage image(30, 20, QImage::Format_RGB32);
        image.fill(Qt::blue);
        ASSERT_TRUE(writeFileAtomically(QDir(tree.path()).filePath(file), encodeJpeg(image)));
        p->PictureFile = file;
    }
    QStringList written() const { return QDir(out.path()).entryList(QDir::Files | QDir::System, QDir::Name); }
};

// Ann (1), Bo (2), Cy (3) and Di (4), children of Ann and Bo; Ann and Di have pictures.
void family(Site& s) {
    PersonItem* ann = test::addPerson(s.store, "Ann", "Lee");
    PersonItem* bo = test::addPerson(s.store, "Bo", "Lee");
    PersonItem* child = nullptr;
    for (const char* given : {"Cy", "Di"}) {
        child = test::addPerson(s.store, given, "Lee");
        child->Father = bo;
        child->Mother = ann;
    }
    s.store.addMarriage(ann, bo);
    s.picture(ann, "ann.jpg");
    s.picture(child, "di.jpg");
    s.store.currentItem = nullptr;
}

struct Case {
    const char* name;
    std::function<void(Site&)> prepare;
    std::function<void(const Site&, const HtmlReportResult&)> check;
};

const Case kCases[] = {
    {"a link planted as a page's temporary file is removed, not written through",
     [](Site& s) {
         family(s);
         s.plantLink("2.html.part");
     },
     [](const Site& s, const HtmlReportResult& r) {
         ASSERT_TRUE(r.ok) << r.error.toStdString();
         EXPECT_EQ(readAll(s.victim), "keep me");
         EXPECT_FALSE(isLink(s.outPath("2.html")));
         EXPECT_TRUE(readAll(s.outPath("2.html")).contains("<TITLE>The genealogical tree of Bo Lee</TITLE>"));
         EXPECT_FALSE(QFile::exists(s.outPath("2.html.part")));
     }},
    {"a page is never renamed over a link",
     [](Site& s) {
         family(s);
         s.plantLink("3.html");
     },
     [](const Site& s, const HtmlReportResult& r) {
         EXPECT_FALSE(r.ok);
         EXPECT_EQ(r.error, QStringLiteral("Could not write ") + s.outPath("3.html"));
         EXPECT_EQ(readAll(s.victim), "keep me");
         EXPECT_TRUE(isLink(s.outPath("3.html")));
         EXPECT_EQ(r.pages, 2);
         EXPECT_EQ(s.written(), QStringList({"1.gif", "1.html", "2.gif", "2.html", "3.gif", "3.html", "arrow.gif", "blank.gif",
                                             "pict1.jpg"}));
     }},
    {"a site written again over its old pages replaces each one whole, never writing into it",
     [](Site& s) {
         family(s);
         HtmlReportProgress quiet;
         s.job.personCount = s.store.personCount();
         ASSERT_TRUE(writeHtmlReport(s.store, s.job, quiet).ok);
         // A reader that has the old page open (here: a second name for it) keeps the old page.
         for (const char* name : {"2.html", "2.gif", "pict1.jpg", "index.html"})
             ASSERT_EQ(::link(QFile::encodeName(s.outPath(name)).constData(),
                              QFile::encodeName(QDir(s.elsewhere.path()).filePath(name)).constData()), 0);
         s.store.firstItem()->Next->FirstName = "Bob";
     },
     [](const Site& s, const HtmlReportResult& r) {
         ASSERT_TRUE(r.ok) << r.error.toStdString();
         const QString kept = QDir(s.elsewhere.path()).filePath("2.html");
         EXPECT_TRUE(readAll(kept).contains("<TITLE>The genealogical tree of Bo Lee</TITLE>"));
         EXPECT_TRUE(readAll(s.outPath("2.html")).contains("<TITLE>The genealogical tree of Bob Lee</TITLE>"));
         for (const char* name : {"2.html", "2.gif", "pict1.jpg", "index.html"}) {
             struct stat old {}, now {};
             ASSERT_EQ(::stat(QFile::encodeName(QDir(s.elsewhere.path()).filePath(name)).constData(), &old), 0);
             ASSERT_EQ(::stat(QFile::encodeName(s.outPath(name)).constData(), &now), 0);
             EXPECT_NE(old.st_ino, now.st_ino) << name;
             EXPECT_EQ(old.st_nlink, 1U) << name;  // the folder holds no second name of the old page
         }
         EXPECT_EQ(readAll(QDir(s.elsewhere.path()).filePath("pict1.jpg")), readAll(s.outPath("pict1.jpg")));
         EXPECT_EQ(s.written(), QStringList({"1.gif", "1.html", "2.gif", "2.html", "3.gif", "3.html", "4.gif", "4.html",
                                             "arrow.gif", "blank.gif", "index.html", "left.html", "pict1.jpg", "pict4.jpg"}));
     }},
    {"a picture copy that a link stands in for is left out of its page",
     [](Site& s) {
         family(s);
         s.plantLink("pict1.jpg");
     },
     [](const Site& s, const HtmlReportResult& r) {
         ASSERT_TRUE(r.ok) << r.error.toStdString();
         EXPECT_EQ(readAll(s.victim), "keep me");
         EXPECT_FALSE(readAll(s.outPath("1.html")).contains("pict1.jpg"));
         EXPECT_TRUE(readAll(s.outPath("4.html")).contains("<IMG SRC=\"pict4.jpg\" ALT=\"pict4.jpg [80x20]\""));
     }},
    {"a failed run leaves no picture copy of a later person",
     [](Site& s) {
         family(s);
         ASSERT_TRUE(QDir(s.out.path()).mkdir("2.html"));  // a folder where Bo's page must go
         // Without threads every person is made before the first file is renamed.
         s.job.startThread = [](const std::function<void()>&) -> std::thread {
             throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
         };
     },
     [](const Site& s, const HtmlReportResult& r) {
         EXPECT_FALSE(r.ok);
         EXPECT_EQ(r.error, QStringLiteral("Could not write ") + s.outPath("2.html"));
         EXPECT_EQ(s.written(), QStringList({"1.gif", "1.html", "2.gif", "arrow.gif", "blank.gif", "pict1.jpg"}));
     }},
    {"an alias box whose original is missing counts as a missing relative, even as the home item",
     [](Site& s) {
         PersonItem* ghost = test::addPerson(s.store, "Ghost", "Box");  // the home item
         ghost->Kind = "REF";
         PersonItem* ann = test::addPerson(s.store, "Ann", "Lee");
         ann->Father = ghost;
         s.store.addMarriage(ann, ghost);
         PersonItem* cy = test::addPerson(s.store, "Cy", "Lee");
         cy->Mother = ann;
         cy->Father = ghost;
         s.store.currentItem = nullptr;
     },
     [](const Site& s, const HtmlReportResult& r) {
         ASSERT_TRUE(r.ok) << r.error.toStdString();
         EXPECT_EQ(deadAddresses(s.out.path()), QStringList());
         const QByteArray ann = readAll(s.outPath("2.html"));
         EXPECT_FALSE(ann.contains("Married"));
         EXPECT_TRUE(ann.contains("Children:<BR><A HREF=\"3.html\">Cy Lee</A>\r\n"));
         EXPECT_TRUE(readAll(s.outPath("index.html")).contains("<TITLE>The family of Ann Lee</TITLE>"));
         EXPECT_TRUE(readAll(s.outPath("index.html")).contains("<FRAME SRC=\"2.html\" NAME=\"right\""));
         EXPECT_TRUE(readAll(s.outPath("left.html")).contains("<B>The family of<BR><A HREF=\"2.html\" TARGET=\"right\">Ann Lee</A>"));
         EXPECT_FALSE(QFile::exists(s.outPath("1.html")));
     }},
    {"C1 control characters are left out of pages in a single-byte set, kept in UTF-8",
     [](Site& s) {
         test::addPerson(s.store, "Ann\xC2\x85" "Eve", "L\xC2\x96" "ee\xC2\x80");  // U+0085, U+0096, U+0080
         test::addPerson(s.store, "\xC2\x9F", "Bo");
         s.store.currentItem = nullptr;
         s.job.settings.charset = QStringLiteral("English (en): iso-8859-1");
     },
     [](const Site& s, const HtmlReportResult& r) {
         ASSERT_TRUE(r.ok) << r.error.toStdString();
         for (const QString& name : {QStringLiteral("1.html"), QStringLiteral("2.html"), QStringLiteral("left.html")}) {
             const QByteArray page = readAll(s.outPath(name));
             for (const char c : page) EXPECT_FALSE(uchar(c) >= 0x80 && uchar(c) <= 0x9F) << name.toStdString();
             EXPECT_FALSE(QString::fromLatin1(page).contains(QRegularExpression(QStringLiteral("&#(12[89]|1[3-5][0-9]);"))));
         }
         EXPECT_TRUE(readAll(s.outPath("1.html")).contains("<TITLE>The genealogical tree of AnnEve Lee</TITLE>"));
         EXPECT_TRUE(readAll(s.outPath("left.html")).contains("<!--LeeAnnEve--><A HREF=\"1.html\" TARGET=\"right\">Lee AnnEve</A>"));

         // A UTF-8 page can carry them as they are.
         Site utf8;
         test::addPerson(utf8.store, "Ann\xC2\x85" "Eve", "Lee");
         utf8.job.settings.charset = QStringLiteral("Unicode: utf-8");
         HtmlReportProgress quiet;
         ASSERT_TRUE(writeHtmlReport(utf8.store, utf8.job, quiet).ok);
         EXPECT_TRUE(readAll(utf8.outPath("1.html")).contains("<TITLE>The genealogical tree of Ann\xC2\x85" "Eve Lee</TITLE>"));
     }},
};

}  // namespace

TEST(HtmlHostileTree, NothingOutsideTheFolderIsWrittenAndEveryPageLinksWhatIsThere) {
    test::ensureGuiApplication();
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        Site site;
        c.prepare(site);
        site.job.personCount = site.store.personCount();
        HtmlReportProgress quiet;
        c.check(site, writeHtmlReport(site.store, site.job, quiet));
        for (const QString& name : site.written()) EXPECT_FALSE(name.endsWith(QLatin1String(".part"))) << name.toStdString();
    }
}

TEST(HtmlHostileTree, RefusedWorkerThreadsGiveTheSameSite) {
    test::ensureGuiApplication();
    auto build = [](Site& s, const ThreadStarter& start) {
        family(s);
        for (int i = 0; i < 40; ++i) test::addPerson(s.store, "Child " + std::to_string(i), "Lee")->Mother = s.store.firstItem();
        s.job.personCount = s.store.personCount();
        s.job.startThread = start;
        HtmlReportProgress quiet;
        return writeHtmlReport(s.store, s.job, quiet);
    };
    Site plain;
    ASSERT_TRUE(build(plain, {}).ok);
    const QStringList names = plain.written();
    ASSERT_EQ(names.size(), 2 * 44 + 6);  // box image and page each, two pictures, blank, arrow, index, left

    // The system refuses every thread, only the first one, or every other one.
    for (const int refuseEvery : {1, -1, 2}) {
        SCOPED_TRACE(refuseEvery);
        int asked = 0;
        const ThreadStarter start = [&](const std::function<void()>& task) {
            const int n = asked++;
            if (refuseEvery == 1 || (refuseEvery == -1 && n == 0) || (refuseEvery == 2 && n % 2 == 0))
                throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            return std::thread(task);
        };
        Site refused;
        const HtmlReportResult r = build(refused, start);
        ASSERT_TRUE(r.ok) << r.error.toStdString();
        EXPECT_GT(asked, 0);
        EXPECT_EQ(r.pages, 44);
        ASSERT_EQ(refused.written(), names);
        for (const QString& name : names)
            EXPECT_EQ(readAll(refused.outPath(name)), readAll(plain.outPath(name))) << name.toStdString();
    }
}
