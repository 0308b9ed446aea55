// The page writer shares the persons out among threads; these cases check that what comes out
// and what the progress shows is still as if written one by one in store order.
#include "canvas/canvas_test_support.h"
#include "document/item_store.h"
#include "reports/html_report.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <unistd.h>

#include <gtest/gtest.h>

using namespace kinloom;

namespace {

class RecordingProgress : public HtmlReportProgress {
public:
    void status(const QString& text) override { statuses << text; }
    void advance(int done, int total) override { advances.emplace_back(done, total); }
    QStringList statuses;
    std::vector<std::pair<int, int>> advances;
};

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class HtmlReportWorkersTest : public ::testing::Test {
protected:
    static constexpr int kCount = 300;

    void SetUp() override {
        kinloom::test::ensureGuiApplication();
        for (int i = 0; i < kCount; ++i) {
            // Every seventh surname is Windows-1252 ("Andr\xE9"), read through iconv, not as UTF-8.
            const std::string surname = i % 7 == 0 ? std::string("Andr\xE9") : "Family" + std::to_string(i % 13);
            PersonItem* p = kinloom::test::addPerson(store, ("Given" + std::to_string(i)).c_str(), surname.c_str());
            if (i >= 2) {
                p->Father = persons[static_cast<size_t>(i / 2)];
                p->Mother = persons[static_cast<size_t>(i / 2 - 1)];
            }
            persons.push_back(p);
        }
    }
    HtmlReportResult run(const QString& folder, RecordingProgress& progress) {
        HtmlReportJob job;
        job.outputFolder = folder;
        job.personCount = store.personCount();
        return writeHtmlReport(store, job, progress);
    }
    static QString given(int i) { return QStringLiteral("Given%1").arg(i); }

    ItemStore store;
    std::vector<PersonItem*> persons;
};

TEST_F(HtmlReportWorkersTest, PagesAndProgressComeInStoreOrderAndAlike) {
    QTemporaryDir a, b;
    RecordingProgress first, second;
    ASSERT_TRUE(run(a.path(), first).ok);
    ASSERT_TRUE(run(b.path(), second).ok);

    ASSERT_EQ(first.statuses.size(), kCount + 2);
    for (int i = 0; i < kCount; ++i) {
        EXPECT_TRUE(first.statuses[i].startsWith(QStringLiteral("Generating files for ") + given(i) + QLatin1Char(' ')))
            << first.statuses[i].toStdString();
        EXPECT_EQ(first.advances[static_cast<size_t>(i)], std::make_pair(i + 1, kCount));
        // Each page is the page of its own person.
        const QByteArray page = readAll(QDir(a.path()).filePath(QStringLiteral("%1.html").arg(persons[static_cast<size_t>(i)]->Id)));
        EXPECT_TRUE(page.contains("<TITLE>The genealogical tree of " + given(i).toLatin1() + ' ')) << i;
    }
    EXPECT_EQ(first.statuses.mid(kCount), QStringList({QStringLiteral("Creating index..."), QStringLiteral("Done.")}));
    EXPECT_EQ(first.statuses, second.statuses);

    // Two runs give the same files, byte for byte.
    const QStringList names = QDir(a.path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(names.size(), 2 * kCount + 4);  // box image and page each, blank, arrow, index, left
    EXPECT_EQ(names, QDir(b.path()).entryList(QDir::Files, QDir::Name));
    for (const QString& name : names)
        EXPECT_EQ(readAll(QDir(a.path()).filePath(name)), readAll(QDir(b.path()).filePath(name))) << name.toStdString();
    // The name read as Windows-1252 ("é" in ISO-8859-1) in page and index.
    EXPECT_TRUE(readAll(QDir(a.path()).filePath(QStringLiteral("%1.html").arg(persons[7]->Id))).contains("Given7 Andr\xE9"));
}

TEST_F(HtmlReportWorkersTest, AFailureLeavesNothingOfLaterPersons) {
    QTemporaryDir out;
    const int failing = 5;
    const int id = persons[failing]->Id;
    ASSERT_TRUE(QDir(out.path()).mkdir(QStringLiteral("%1.html").arg(id)));  // a folder where the page must go
    RecordingProgress progress;
    const HtmlReportResult r = run(out.path(), progress);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, QStringLiteral("Could not write %1").arg(QDir::toNativeSeparators(QDir(out.path()).filePath(QStringLiteral("%1.html").arg(id)))));
    EXPECT_EQ(r.pages, failing);
    ASSERT_FALSE(progress.advances.empty());
    EXPECT_EQ(progress.advances.back(), std::make_pair(failing, kCount));
    EXPECT_EQ(progress.statuses.size(), failing + 1);  // the last one names the person that failed
    EXPECT_TRUE(progress.statuses.back().startsWith(QStringLiteral("Generating files for ") + given(failing) + QLatin1Char(' ')));

    // The persons before keep both files, the failing one keeps its box image (written before
    // the page, as always); no later person's file and no temporary file is left.
    QStringList expected = {QStringLiteral("arrow.gif"), QStringLiteral("blank.gif")};
    for (int i = 0; i <= failing; ++i) {
        expected << QStringLiteral("%1.gif").arg(persons[static_cast<size_t>(i)]->Id);
        if (i < failing) expected << QStringLiteral("%1.html").arg(persons[static_cast<size_t>(i)]->Id);
    }
    expected.sort();
    QStringList written = QDir(out.path()).entryList(QDir::Files);
    written.sort();
    EXPECT_EQ(written, expected);
}

}  // namespace

TEST_F(HtmlReportWorkersTest, ASiteWrittenAgainIntoItsFolderIsTheSiteWrittenAfresh) {
    QTemporaryDir old, fresh, elsewhere;
    RecordingProgress quiet;
    ASSERT_TRUE(run(old.path(), quiet).ok);
    // Pages grow and shrink: names of other lengths, and new children on some pages.
    for (int i = 0; i < kCount; ++i) {
        PersonItem* p = persons[static_cast<size_t>(i)];
        p->FirstName = (given(i) + QString(i % 40, QLatin1Char(i % 2 ? 'x' : ' '))).toStdString();
        if (i % 3 == 0) p->Father = nullptr;
    }
    // A reader holds one page under a second name; that name keeps the old page.
    const QString page = QDir(old.path()).filePath(QStringLiteral("%1.html").arg(persons[100]->Id));
    const QString second = QDir(elsewhere.path()).filePath("kept.html");
    const QByteArray oldPage = readAll(page);
    ASSERT_EQ(::link(QFile::encodeName(page).constData(), QFile::encodeName(second).constData()), 0);

    ASSERT_TRUE(run(old.path(), quiet).ok);
    ASSERT_TRUE(run(fresh.path(), quiet).ok);
    const QStringList names = QDir(fresh.path()).entryList(QDir::Files | QDir::System, QDir::Name);
    EXPECT_EQ(QDir(old.path()).entryList(QDir::Files | QDir::System, QDir::Name), names);
    for (const QString& name : names)
        EXPECT_EQ(readAll(QDir(old.path()).filePath(name)), readAll(QDir(fresh.path()).filePath(name))) << name.toStdString();
    EXPECT_EQ(readAll(second), oldPage);
}
