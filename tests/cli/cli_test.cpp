#include "document/tree_record_codec.h"
#include "support/test_support.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;
using namespace kinloom::test;
namespace r = kinloom::tree_record;

namespace {

using Bytes = std::vector<unsigned char>;

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

CliRun cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KINLOOM_CLI_PATH), args);
    CliRun run;
    if (!p.waitForFinished(60000)) return run;
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.out = p.readAllStandardOutput();
    run.err = p.readAllStandardError();
    return run;
}

QList<QJsonObject> jsonLines(const QByteArray& out) {
    QList<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n'))
        if (!line.isEmpty()) objects << QJsonDocument::fromJson(line).object();
    return objects;
}

QJsonArray repeat(const QJsonValue& v) {
    QJsonArray a;
    for (int i = 0; i < 8; ++i) a.append(v);
    return a;
}

// The JSON of an item whose fields are all empty, for the test to fill in.
QJsonObject emptyItem(int id) {
    QJsonObject o;
    for (const char* key : {"FirstName", "LastName", "BornDate", "DiedDate", "Sex", "PictureFile",
                            "NotesFile", "Kind", "BornPlace", "DiedPlace", "BaptizedDate",
                            "BaptizedPlace", "Occupation", "PictureText", "Source", "GedcomId",
                            "ChildFamilyRef", "SpareRef"})
        o.insert(key, "");
    for (const char* key : {"Father", "Mother", "X", "Y", "ChildCount", "GedcomPos"}) o.insert(key, 0);
    o.insert("Id", id);
    o.insert("Selected", false);
    o.insert("Spouse", repeat(0));
    o.insert("SpouseType", repeat(""));
    o.insert("MarriageDate", repeat(""));
    o.insert("MarriagePlace", repeat(""));
    return o;
}

}  // namespace

TEST(KinloomCli, DumpAndInfoGiveBackAHandBuiltTreeFile) {
    QTemporaryDir dir;
    Bytes home(kTreeRecordSize, 0), wife(kTreeRecordSize, 0);
    putInt32(home, r::Next, 1);
    putInt32(home, r::Id, 3);
    putShortString(home, r::FirstName, "J\xC3\xB8rgen");  // UTF-8
    putShortString(home, r::LastName, "M\xF8ller");        // Windows-1252
    putShortString(home, r::BornDate, "1 Jan 1900");
    putShortString(home, r::Sex, "M");
    putShortString(home, r::Occupation, "Say \"hi\"\\");
    putInt32(home, r::spouseIdAt(2), 8);
    home[r::spouseTypeAt(2)] = 'P';
    putShortString(home, r::marriageDateAt(2), "1925");
    putShortString(home, r::marriagePlaceAt(2), "Oslo");
    putInt32(home, r::X, -15);
    putInt32(home, r::Y, 40);
    home[r::Selected] = 1;
    putShortString(home, r::GedcomId, "@I3@");
    putInt32(home, r::ChildCount, 2);
    putInt32(home, r::GedcomPos, 77);
    putInt32(wife, r::Id, 8);
    putShortString(wife, r::Kind, "REF");
    putShortString(wife, r::FirstName, "Alias");
    putInt32(wife, r::FatherId, 3);
    putInt32(wife, r::MotherId, 42);  // points nowhere
    Bytes file = home;
    file.insert(file.end(), wife.begin(), wife.end());
    const QString path = dir.filePath("Tree.KL3");
    ASSERT_TRUE(writeBytes(path, file));

    const CliRun dump = cli({"dump", path});
    ASSERT_EQ(dump.status, 0) << dump.err.toStdString();
    const QList<QJsonObject> items = jsonLines(dump.out);
    ASSERT_EQ(items.size(), 2);
    QJsonObject first = emptyItem(3);
    first["FirstName"] = QStringLiteral("J\u00f8rgen");
    first["LastName"] = QStringLiteral("M\u00f8ller");
    first["BornDate"] = "1 Jan 1900";
    first["Sex"] = "M";
    first["Occupation"] = "Say \"hi\"\\";
    QJsonArray spouse = repeat(0), type = repeat(""), date = repeat(""), place = repeat("");
    spouse[1] = 8;
    type[1] = "P";
    date[1] = "1925";
    place[1] = "Oslo";
    first["Spouse"] = spouse;
    first["SpouseType"] = type;
    first["MarriageDate"] = date;
    first["MarriagePlace"] = place;
    first["X"] = -15;
    first["Y"] = 40;
    first["GedcomId"] = "@I3@";
    first["ChildCount"] = 2;
    first["GedcomPos"] = 77;
    EXPECT_EQ(items[0], first);
    QJsonObject second = emptyItem(8);
    second["Kind"] = "REF";
    second["FirstName"] = "Alias";
    second["Father"] = 3;
    EXPECT_EQ(items[1], second);

    const CliRun info = cli({"info", path});
    ASSERT_EQ(info.status, 0);
    QJsonObject expected{{"items", 2}, {"persons", 1}, {"LastId", 8}, {"home", 3}};
    EXPECT_EQ(QJsonDocument::fromJson(info.out).object(), expected);

    // An empty file is an empty tree.
    ASSERT_TRUE(writeBytes(dir.filePath("empty.kl3"), {}));
    const CliRun none = cli({"info", dir.filePath("empty.kl3")});
    EXPECT_EQ(QJsonDocument::fromJson(none.out).object(),
              (QJsonObject{{"items", 0}, {"persons", 0}, {"LastId", 0}, {"home", 0}}));
}

TEST(KinloomCli, ConvertReadsOldFilesAndWritesATreeFile) {
    QTemporaryDir dir;
    Bytes rec(1372, 0);
    putShortString(rec, 0, "Old");
    putShortString(rec, 202, "12/25/1900");
    putInt32(rec, 464, 4);
    ASSERT_TRUE(writeBytes(dir.filePath("old.kl2"), rec));

    const CliRun run = cli({"convert", dir.filePath("old.kl2"), dir.filePath("new.kl3")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const Bytes out = readBytes(dir.filePath("new.kl3"));
    ASSERT_EQ(out.size(), static_cast<size_t>(kTreeRecordSize));
    EXPECT_EQ(getInt32(out, r::Id), 4);
    EXPECT_EQ(getShortString(out, r::FirstName), "Old");
    EXPECT_EQ(getShortString(out, r::BornDate), "25 Dec 1900");

    ASSERT_EQ(cli({"convert", "--no-date-standardization", dir.filePath("old.kl2"), dir.filePath("raw.kl3")})
                  .status,
              0);
    EXPECT_EQ(getShortString(readBytes(dir.filePath("raw.kl3")), r::BornDate), "12/25/1900");
    const CliRun dumped = cli({"dump", "--no-date-standardization", dir.filePath("old.kl2")});
    EXPECT_EQ(jsonLines(dumped.out).value(0).value("BornDate").toString(), "12/25/1900");
}

TEST(KinloomCli, FailuresSayWhyAndLeaveNoFile) {
    QTemporaryDir dir;
    Bytes ragged(kTreeRecordSize + 100, 0);
    ASSERT_TRUE(writeBytes(dir.filePath("bad.kl3"), ragged));
    ASSERT_TRUE(writeBytes(dir.filePath("good.kl3"), Bytes(kTreeRecordSize, 0)));
    Bytes cut(1372 + 10, 0);
    ASSERT_TRUE(writeBytes(dir.filePath("cut.kl2"), cut));
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);

    const CliRun bad = cli({"convert", dir.filePath("bad.kl3"), dir.filePath("out.kl3")});
    EXPECT_EQ(bad.status, 1);
    // A batch command never offers to work on part of a file cut short.
    EXPECT_EQ(QString::fromUtf8(bad.err), "Error: Kinloom did not recognize the file\n" + dir.filePath("bad.kl3") +
                           " is cut short after record 1.\n");
    const CliRun cutRun = cli({"convert", dir.filePath("cut.kl2"), dir.filePath("out.kl3")});
    EXPECT_EQ(cutRun.status, 1);
    EXPECT_EQ(cutRun.err, "There was an error opening the file\n");
    // ".ged" is a GEDCOM export now; other names that do not end in kl3 are still refused.
    const CliRun wrong = cli({"convert", dir.filePath("good.kl3"), dir.filePath("out.kl2")});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, "kinloom-cli convert: " + dir.filePath("out.kl2").toUtf8() +
                             ": the output file must end in .kl3 or .ged\n");
    const CliRun dumpBad = cli({"dump", dir.filePath("bad.kl3")});
    EXPECT_EQ(dumpBad.status, 1);
    EXPECT_TRUE(dumpBad.out.isEmpty());
    EXPECT_EQ(cli({"info", dir.filePath("missing.kl3")}).status, 1);
    EXPECT_EQ(cli({"dump", dir.filePath("tree.txt")}).status, 1);
    EXPECT_EQ(cli({"dump"}).status, 1);
    EXPECT_EQ(cli({"convert", "--bogus", "a.kl3", "b.kl3"}).status, 1);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), before);
}

TEST(KinloomCli, DateAndHelp) {
    const CliRun run = cli({"date", "12/25/1900", "12 jan", "abt 1900"});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "25 Dec 1900\n12 Jan \nabt 1900\n");
    EXPECT_EQ(cli({"date", "--off", "12/25/1900"}).out, "12/25/1900\n");
    EXPECT_EQ(cli({"date"}).status, 1);
    for (const char* command : {"dump", "info", "convert", "date"}) {
        const CliRun help = cli({command, "--help"});
        EXPECT_EQ(help.status, 0) << command;
        EXPECT_TRUE(help.out.startsWith(QByteArray("usage: kinloom-cli ") + command)) << command;
    }
    const CliRun list = cli({"--help"});
    EXPECT_TRUE(list.out.contains("convert"));
}
