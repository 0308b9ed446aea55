// GEDCOM files written by other programs, read where they lie (never copied into the project).
#include "support/gedcom_fixture.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

QString corpus(const QString& relative = {}) {
    return QDir(QStringLiteral(KINLOOM_CORPUS_DIR)).filePath(relative);
}

struct CorpusRead {
    test::GedcomFixture f;
    GedcomImportResult r;
    explicit CorpusRead(const QString& relative) {
        r = readGedcomFile(f.store, corpus(relative), f.user, f.prompts);
    }
    PersonItem* byId(const char* id) const {
        for (PersonItem* p = f.store.firstItem(); p; p = p->Next)
            if (p->GedcomId == id) return p;
        return nullptr;
    }
};

#define REQUIRE_CORPUS()                                                   \
    if (!QFileInfo(corpus()).isDir()) GTEST_SKIP() << "no corpus at " << KINLOOM_CORPUS_DIR

TEST(GedcomCorpus, EveryFileReadsWithTheRecordCountsOfItsIndex) {
    REQUIRE_CORPUS();
    // Files of every line end, with and without a byte-order mark, UTF-16 too; counts from the index.
    const struct { const char* file; int individuals; int families; } files[] = {
        {"arbre-public-gedcoms/pres2020.ged", 2322, 1115},
        {"arbre-public-gedcoms/royal92.ged", 3010, 1422},
        {"mdf-others/royal92.ged", 3010, 1422},
        {"mdf-others/allged.ged", 8, 4},
        {"findmypast-gedcom-samples/Queen.ged", 4683, 2863},
        {"findmypast-gedcom-samples/Torture Test/TGC551.ged", 15, 7},
        {"findmypast-gedcom-samples/Torture Test/TGC55CLF.ged", 15, 7},
        {"gedcom.org-555-samples/555SAMPLE.GED", 3, 2},
        {"gedcom.org-555-samples/555SAMPLE16LE.GED", 3, 2},
        {"gedcom.org-555-samples/555SAMPLE16BE.GED", 3, 2},
        {"d-jeffrey-gedcom-samples/famous family trees/US presidents/US+Presidents+Trees+I.ged", 2145, 1042},
        {"familysearch-gedcom.io/gedcom70/maximal70.ged", 4, 2},
    };
    for (const auto& c : files) {
        CorpusRead read(c.file);
        EXPECT_TRUE(read.r.ok) << c.file;
        EXPECT_EQ(read.r.individuals, c.individuals) << c.file;
        EXPECT_EQ(read.r.families, c.families) << c.file;
        EXPECT_EQ(read.f.store.itemCount(), c.individuals) << c.file;
        EXPECT_EQ(read.f.user.lastPercent, 100) << c.file;
    }
}

TEST(GedcomCorpus, NothingInTheCorpusCrashesAndHtmlGivesNothing) {
    REQUIRE_CORPUS();
    int files = 0;
    QDirIterator it(corpus(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (!path.endsWith(".ged", Qt::CaseInsensitive) && !path.endsWith(".ged.html")) continue;
        ++files;
        test::GedcomFixture f;
        const auto r = readGedcomFile(f.store, path, f.user, f.prompts);
        EXPECT_TRUE(r.ok) << qPrintable(path) << " line " << r.lines;
        if (path.contains("_not-gedcom-html")) {
            // A web page is no GEDCOM: its lines are skipped and nothing is read.
            EXPECT_GT(r.skippedLines, 0) << qPrintable(path);
            EXPECT_EQ(r.individuals, 0) << qPrintable(path);
        } else {
            EXPECT_EQ(r.skippedLines, 0) << qPrintable(path) << " line " << r.firstSkippedLine;
        }
    }
    EXPECT_GT(files, 150);
}

TEST(GedcomCorpus, RealFamiliesAreLinked) {
    REQUIRE_CORPUS();
    CorpusRead read("gedcom.org-555-samples/555SAMPLE.GED");
    ASSERT_TRUE(read.r.ok);
    PersonItem* robert = read.byId("@I1@");
    PersonItem* mary = read.byId("@I2@");
    PersonItem* joe = read.byId("@I3@");
    ASSERT_TRUE(robert && mary && joe);
    EXPECT_EQ(robert->FirstName.str(), "Robert Eugene");
    EXPECT_EQ(robert->LastName.str(), "Williams");
    EXPECT_EQ(robert->Sex.str(), "M");
    EXPECT_EQ(robert->BornDate.str(), "2 Oct 1822");
    EXPECT_EQ(joe->Father, robert);
    EXPECT_EQ(joe->Mother, mary);
    EXPECT_EQ(robert->Spouse[1], mary);
    EXPECT_EQ(robert->MarriageDate[1].str(), "Dec 1859");

    // A first lady's birth name stays, though her nickname follows it.
    CorpusRead presidents("arbre-public-gedcoms/pres2020.ged");
    ASSERT_TRUE(presidents.r.ok);
    PersonItem* mamie = presidents.byId("@I1489@");
    ASSERT_TRUE(mamie);
    EXPECT_EQ(mamie->FirstName.str(), "Mary Geneva");
    EXPECT_EQ(mamie->LastName.str(), "Doud");

    // Its families come before its individuals: their parents are linked all the same.
    CorpusRead bourbon("d-jeffrey-gedcom-samples/sample-bourbon/bourbon.ged");
    ASSERT_TRUE(bourbon.r.ok);
    int fathers = 0, mothers = 0;
    for (const PersonItem* p = bourbon.f.store.firstItem(); p; p = p->Next) {
        fathers += p->Father != nullptr;
        mothers += p->Mother != nullptr;
    }
    EXPECT_EQ(bourbon.f.store.itemCount(), 303);
    EXPECT_EQ(fathers, 186);
    EXPECT_EQ(mothers, 167);

    CorpusRead same("findmypast-gedcom-samples/Gedcom Permutations/Male Male Marriage.ged");
    ASSERT_TRUE(same.r.ok);
    ASSERT_EQ(same.f.store.itemCount(), 2);
    EXPECT_EQ(same.f.item(0)->Spouse[1], same.f.item(1));
    EXPECT_EQ(same.f.item(0)->Sex.str(), same.f.item(1)->Sex.str());
}

}  // namespace
}  // namespace kinloom
