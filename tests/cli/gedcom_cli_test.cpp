#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace kinloom {
namespace {

struct CliResult {
    int status = -1;
    QByteArray out, err;
};

CliResult cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KINLOOM_CLI_PATH), args);
    CliResult r;
    if (!p.waitForFinished(60000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(GedcomCli, ImportArrangesAndSavesExportWritesItBack) {
    QTemporaryDir dir;
    const QString ged = dir.filePath("in.ged");
    {
        QFile f(ged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF" "0 HEAD\n0 @I1@ INDI\n1 NAME Ola /Nordmann/\n1 SEX M\n0 @I2@ INDI\n"
                "1 NAME Kari /Hansen/\n1 SEX F\n0 @I3@ INDI\n1 NAME Per /Nordmann/\n1 SEX M\n"
                "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 MARR\n2 DATE 1925\n1 CHIL @I3@\n0 TRLR\n");
    }
    const QString kl3 = dir.filePath("out.kl3");
    const CliResult imp = cli({"import", ged, kl3});
    ASSERT_EQ(imp.status, 0) << imp.err.toStdString();
    EXPECT_TRUE(imp.err.isEmpty()) << "no progress when stderr is not a terminal: " << imp.err.toStdString();
    EXPECT_EQ(QFileInfo(kl3).size(), 3 * 2560);

    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    ViewState view;
    ASSERT_EQ(readFromFile(store, kl3, view, WindowSize{}, prompts), ReadStatus::Ok);
    ASSERT_EQ(store.itemCount(), 3);
    const PersonItem* per = store.firstItem();  // the deepest pedigree becomes the home item
    for (const PersonItem* p = store.firstItem(); p; p = p->Next)
        if (p->FirstName == "Per") per = p;
    ASSERT_TRUE(per->Father && per->Mother);
    EXPECT_EQ(per->Father->FirstName.str(), "Ola");
    EXPECT_EQ(per->Father->MarriageDate[1].str(), "1925");

    const QString back = dir.filePath("back.ged");
    const CliResult exp = cli({"export", "--now=2024-03-07T09:05", kl3, back});
    ASSERT_EQ(exp.status, 0) << exp.err.toStdString();
    const QByteArray text = fileBytes(back);
    EXPECT_TRUE(text.startsWith("0 HEAD\r\n1 SOUR KINLOOM_2\r\n1 DATE 7 Mar 2024\r\n1 TIME 9:5\r\n1 CHAR ANSI\r\n"));
    EXPECT_TRUE(text.endsWith("\r\n0 TRLR\r\n"));
    EXPECT_TRUE(text.contains("1 MARR\r\n2 DATE 1925\r\n"));

    // convert takes GEDCOM on either side.
    const QString viaConvert = dir.filePath("convert.kl3");
    ASSERT_EQ(cli({"convert", back, viaConvert}).status, 0);
    EXPECT_EQ(QFileInfo(viaConvert).size(), 3 * 2560);
    const QString gedAgain = dir.filePath("again.ged");
    ASSERT_EQ(cli({"convert", viaConvert, gedAgain}).status, 0);
    EXPECT_EQ(fileBytes(gedAgain).count("0 @I"), 3);
}

// The import arranges as a family chart unless --arrange rows asks for auto arrange's rows.
TEST(GedcomCli, ImportArrangesAsAFamilyChartOrInGenerationRows) {
    QTemporaryDir dir;
    const QString ged = dir.filePath("in.ged");
    {
        QFile f(ged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("0 HEAD\n0 @I1@ INDI\n1 NAME Per /Nordmann/\n1 SEX M\n0 @I2@ INDI\n1 NAME Kari /Hansen/\n1 SEX F\n"
                "0 @I3@ INDI\n1 NAME Ola /Nordmann/\n1 SEX M\n0 @F1@ FAM\n1 HUSB @I3@\n1 WIFE @I2@\n1 CHIL @I1@\n0 TRLR\n");
    }
    auto places = [&](const QStringList& options) {
        const QString kl3 = dir.filePath("out.kl3");
        QFile::remove(kl3);
        const CliResult r = cli(QStringList{"import"} + options + QStringList{ged, kl3});
        EXPECT_EQ(r.status, 0) << r.err.toStdString();
        ScriptedPrompts prompts;
        ItemStore store(&prompts);
        ViewState view;
        EXPECT_EQ(readFromFile(store, kl3, view, WindowSize{}, prompts), ReadStatus::Ok);
        QStringList out;
        for (const PersonItem* p = store.firstItem(); p; p = p->Next)
            out << QStringLiteral("%1 %2,%3").arg(QString::fromStdString(p->FirstName.str())).arg(p->X).arg(p->Y);
        return out;
    };
    const QStringList chart{"Per 80,350", "Kari 160,0", "Ola 0,0"};
    EXPECT_EQ(places({}), chart);
    EXPECT_EQ(places({"--arrange", "chart"}), chart);
    // Auto arrange: the child has the deepest pedigree and becomes home, the parents a row above.
    EXPECT_EQ(places({"--arrange=rows"}), QStringList({"Per 160,0", "Kari 240,-500", "Ola 80,-500"}));
    const CliResult bad = cli({"import", "--arrange", "fan", ged, dir.filePath("bad.kl3")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "kinloom-cli import: --arrange takes chart or rows\n");
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("bad.kl3")));
}

TEST(GedcomCli, FailedImportWritesNothingAndNamesTheLine) {
    QTemporaryDir dir;
    const QString ged = dir.filePath("bad.ged");
    {
        QFile f(ged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("0 HEAD\r\n0 @I1@ INDI\r\n<p> a note </p>\r\n");
    }
    const QString kl3 = dir.filePath("out.kl3");
    // A line that is not GEDCOM is skipped and told; the rest is imported.
    const CliResult skipped = cli({"import", ged, kl3});
    EXPECT_EQ(skipped.status, 0);
    EXPECT_TRUE(skipped.err.contains("1 line could not be read and was skipped (line 3)\n"));
    EXPECT_TRUE(QFileInfo::exists(kl3));
    QFile::remove(kl3);
    // A file that cannot be read at all still ends the import.
    const CliResult r = cli({"import", dir.filePath("missing.ged"), kl3});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("GEDCOM import failed\n"));
    EXPECT_TRUE(r.err.contains("GEDCOM import failed - file possibly corrupted (reached line 0)"));
    EXPECT_FALSE(QFileInfo::exists(kl3));
    EXPECT_EQ(cli({"import", ged}).status, 1);
    EXPECT_EQ(cli({"export", dir.filePath("none.kl3"), dir.filePath("x.ged")}).status, 1);
}

TEST(GedcomCli, ImportRefusesFilesWithoutIndividualsAndCountsRefusedMarriages) {
    QTemporaryDir dir;
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return f.fileName();
    };
    const QString kl3 = dir.filePath("out.kl3");
    // An empty file, a ZIP file's first bytes and a file of families only: no tree is written.
    for (const QString& ged : {write("empty.ged", ""), write("zip.ged", QByteArray("PK\x03\x04\x14\0\0\0\x08\0", 10)),
                               write("fam.ged", "0 HEAD\n0 @F1@ FAM\n1 HUSB @I1@\n0 TRLR\n")}) {
        const CliResult r = cli({"import", ged, kl3});
        EXPECT_EQ(r.status, 1) << qPrintable(ged);
        EXPECT_EQ(r.err, "kinloom-cli import: No individuals found in " + ged.toUtf8() + ".\n");
        EXPECT_FALSE(QFileInfo::exists(kl3));
    }

    // Ten wives: the marriages beyond the eighth are told in one line, and the tree is saved.
    QByteArray text = "0 @I1@ INDI\n1 NAME Many /Wives/\n";
    for (int i = 2; i <= 11; ++i) text += "0 @I" + QByteArray::number(i) + "@ INDI\n";
    for (int i = 2; i <= 11; ++i) text += "0 @F" + QByteArray::number(i) + "@ FAM\n1 HUSB @I1@\n1 WIFE @I" + QByteArray::number(i) + "@\n";
    const CliResult r = cli({"import", write("wives.ged", text), kl3});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Error: Could not create marriage. This version only supports 8 marriages. "
                     "2 marriages could not be created.\n");
    EXPECT_EQ(QFileInfo(kl3).size(), 11 * 2560);
}

TEST(GedcomCli, ExportTakesNotesBesideTheTreeAndCountsUnreadableOnes) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("notes"));
    {
        QFile f(dir.filePath("notes/ola.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Farmer.\r\nFisher.");
    }
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    test::addPerson(store, "Ola")->NotesFile = "notes/ola.txt";
    test::addPerson(store, "Kari")->NotesFile = "notes/kari.txt";
    const QString kl3 = dir.filePath("tree.kl3");
    ASSERT_TRUE(saveToFile(store, kl3, prompts));
    const QString ged = dir.filePath("tree.ged");
    const CliResult r = cli({"export", kl3, ged});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "kinloom-cli export: 1 notes file could not be read; its notes are not in " + ged.toUtf8() + "\n");
    EXPECT_TRUE(fileBytes(ged).contains("1 SEX \r\n1 NOTE Farmer.\r\n2 CONT Fisher.\r\n0 @I2@ INDI"));

    test::addPerson(store, "Per")->NotesFile = "notes";
    ASSERT_TRUE(saveToFile(store, kl3, prompts));
    EXPECT_EQ(cli({"export", kl3, ged}).err,
              "kinloom-cli export: 2 notes files could not be read; their notes are not in " + ged.toUtf8() + "\n");
}

}  // namespace
}  // namespace kinloom
