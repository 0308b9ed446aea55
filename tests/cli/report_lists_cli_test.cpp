#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

namespace {

struct ReportRun {
    int status = -1;
    QByteArray err;
};

ReportRun report(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(KINLOOM_CLI_PATH), QStringList{"report"} + args);
    ReportRun run;
    if (!p.waitForFinished(60000)) return run;
    run.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.err = p.readAllStandardError();
    return run;
}

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Two Bergs born in Oslo, one citing a source; a Dahl without dates or surname's sources.
QString saveTree(const QTemporaryDir& dir) {
    ScriptedPrompts prompts;
    ItemStore store(&prompts);
    PersonItem* a = test::addPerson(store, "Anna", "Berg");
    a->BornDate = "1801";
    a->BornPlace = "Oslo";
    a->Source = "Parish register";
    a->Sex = "F";
    PersonItem* b = test::addPerson(store, "Bo", "Berg");
    b->BornDate = "1830";
    b->DiedDate = "1899";
    b->BornPlace = "Oslo";
    b->Mother = a;
    test::addPerson(store, "Carl", "");
    const QString tree = dir.filePath("family.kl3");
    EXPECT_TRUE(saveToFile(store, tree, prompts));
    return tree;
}

}  // namespace

TEST(KinloomCliReportLists, EachListWrittenWithCrLf) {
    QTemporaryDir dir;
    const QString tree = saveTree(dir);
    const QString out = dir.filePath("out.txt");
    const struct {
        const char* kind;
        QByteArray expected;
    } table[] = {
        {"surnames", "Berg (2)\r\n"},
        {"places", "Oslo (2)\r\n"},
        {"sources", "Parish register\r\n  Berg Anna (1801 - )\r\n"},
        {"missing-births", "Carl ( - )\r\n"},
        {"missing-deaths", "Berg Anna (1801 - )\r\n"},
        {"missing-surnames", "Carl ( - )\r\n"},
    };
    for (const auto& row : table) {
        const ReportRun run = report({row.kind, tree, out});
        EXPECT_EQ(run.status, 0) << row.kind << run.err.constData();
        EXPECT_EQ(contents(out), row.expected) << row.kind;
    }
}

TEST(KinloomCliReportLists, StatisticsAsTextAndJsonAndBadArguments) {
    QTemporaryDir dir;
    const QString tree = saveTree(dir);
    ASSERT_EQ(report({"statistics", tree, dir.filePath("s.txt")}).status, 0);
    EXPECT_TRUE(contents(dir.filePath("s.txt")).startsWith("Persons: 3\r\nMen: 0\r\nWomen: 1\r\nSex unknown: 2\r\n"));
    ASSERT_EQ(report({"--json", "statistics", tree, dir.filePath("s.json")}).status, 0);
    const QJsonObject json = QJsonDocument::fromJson(contents(dir.filePath("s.json"))).object();
    EXPECT_EQ(json.value("persons").toInt(), 3);
    EXPECT_EQ(json.value("families").toInt(), 1);
    EXPECT_EQ(json.value("earliestYear").toInt(), 1801);
    EXPECT_EQ(json.value("meanLifespan").toDouble(), 69.0);

    ReportRun run = report({"heirs", tree, dir.filePath("x.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("kinloom-cli report: unknown report 'heirs'")) << run.err.constData();
    run = report({"--json", "places", tree, dir.filePath("x.json")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("--json is only for statistics")) << run.err.constData();
    run = report({"places", dir.filePath("none.kl3"), dir.filePath("x.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.txt")));
}
