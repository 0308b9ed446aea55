#include "reports/quality_check.h"

#include "document/item_store.h"
#include "platform/scripted_prompts.h"
#include "platform/file_references.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

namespace {

void touch(const QString& path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
}

// Changes the process's current folder for one test and puts it back.
struct CurrentFolder {
    QString old = QDir::currentPath();
    explicit CurrentFolder(const QString& dir) { QDir::setCurrent(dir); }
    ~CurrentFolder() { QDir::setCurrent(old); }
};

std::vector<QString> describe(const QualityCheckResult& r) {
    std::vector<QString> out;
    for (const QualityProblem& p : r.rows) out.push_back(p.person + " | " + p.message);
    return out;
}

}  // namespace

TEST(QualityCheck, RelativeNamesAreTakenInTheTreeFolderNotTheCurrentOne) {
    QTemporaryDir treeDir, processDir;
    QDir(treeDir.path()).mkdir("notes");
    touch(treeDir.filePath("notes/anna.txt"));
    touch(processDir.filePath("anna.jpg"));
    QDir(treeDir.path()).mkdir("folder.jpg");  // a folder is not a picture
    const QString absolute = processDir.filePath("abs.jpg");
    touch(absolute);

    ItemStore store;
    PersonItem* anna = test::addPerson(store, "Anna", "Berg");
    anna->NotesFile = "notes/anna.txt";
    anna->PictureFile = "anna.jpg";
    PersonItem* carl = test::addPerson(store, "Carl", "Dahl");
    carl->PictureFile = absolute.toStdString();
    carl->NotesFile = "folder.jpg";

    CurrentFolder cd(processDir.path());
    const QualityCheckResult inTree = runQualityCheck(store, treeFolderOf(treeDir.filePath("tree.kl3")));
    EXPECT_EQ(describe(inTree), (std::vector<QString>{"Berg Anna | Image file not found: anna.jpg",
                                                      "Dahl Carl | Text file not found: folder.jpg"}));
    EXPECT_EQ(inTree.count, 2);
    EXPECT_EQ(QDir::currentPath(), QDir(processDir.path()).canonicalPath());  // left alone

    // An untitled tree looks in the current folder.
    const QualityCheckResult untitled = runQualityCheck(store, treeFolderOf(QString()));
    EXPECT_EQ(describe(untitled), (std::vector<QString>{"Berg Anna | Text file not found: notes/anna.txt",
                                                        "Dahl Carl | Text file not found: folder.jpg"}));
}

TEST(QualityCheck, RowsSortedByPersonKeepTheOrderFoundAndATreeWithoutFilesIsClean) {
    QTemporaryDir dir;
    ItemStore store;
    EXPECT_EQ(runQualityCheck(store, dir.path()).count, 0);
    test::addPerson(store, "No", "Files");
    const QualityCheckResult clean = runQualityCheck(store, dir.path());
    EXPECT_EQ(clean.count, 0);
    EXPECT_TRUE(clean.rows.empty());
    EXPECT_EQ(qualityCheckSummary(clean.count), "Quality check complete: 0 error(s)");

    PersonItem* z = test::addPerson(store, "zoe", "");
    z->PictureFile = "z.jpg";
    PersonItem* b = test::addPerson(store, "Bo", "berg");
    b->NotesFile = "b.txt";
    b->PictureFile = "b.gif";
    PersonItem* a = test::addPerson(store, "", "Adams");
    a->PictureFile = "a.bmp";
    PersonItem* b2 = test::addPerson(store, "Bo", "Berg");  // the same caption but another case
    b2->NotesFile = "b2.txt";
    const QualityCheckResult r = runQualityCheck(store, dir.path());
    EXPECT_EQ(describe(r), (std::vector<QString>{"Adams | Image file not found: a.bmp", "berg Bo | Text file not found: b.txt",
                                                 "berg Bo | Image file not found: b.gif", "Berg Bo | Text file not found: b2.txt",
                                                 "zoe | Image file not found: z.jpg"}));
    EXPECT_EQ(r.rows[1].item, b);
    EXPECT_EQ(r.rows[2].kind, ReferenceKind::PictureFile);
    EXPECT_EQ(qualityCheckSummary(r.count), "Quality check complete: 5 error(s)");
}

TEST(QualityCheck, ResolveByChoosingRemovingOrKeeping) {
    struct Case {
        ReferenceKind kind;
        std::optional<QString> chosen;
        PromptAnswer answer;  // to the removal question
        std::string after;
        bool changed;
    };
    const Case cases[] = {
        {ReferenceKind::NotesFile, QString("/found/anna.txt"), PromptAnswer::No, "/found/anna.txt", true},
        {ReferenceKind::NotesFile, std::nullopt, PromptAnswer::Yes, "", true},
        {ReferenceKind::NotesFile, std::nullopt, PromptAnswer::No, "lost/anna.txt", false},
        {ReferenceKind::PictureFile, QString("/found/anna.jpg"), PromptAnswer::No, "/found/anna.jpg", true},
        {ReferenceKind::PictureFile, std::nullopt, PromptAnswer::Yes, "", true},
        {ReferenceKind::PictureFile, std::nullopt, PromptAnswer::No, "lost/anna.txt", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.kind == ReferenceKind::NotesFile ? "notes " : "picture ") << c.after);
        QTemporaryDir dir;
        ItemStore store;
        PersonItem* anna = test::addPerson(store, "Anna", "Berg");
        (c.kind == ReferenceKind::NotesFile ? anna->NotesFile : anna->PictureFile) = "lost/anna.txt";
        store.modified = false;
        QualityCheckResult r = runQualityCheck(store, dir.path());
        ASSERT_EQ(r.count, 1);
        const QString message = r.rows[0].message;

        ScriptedPrompts prompts;
        prompts.answerText(c.chosen);
        prompts.answerButton(c.answer);
        EXPECT_EQ(resolveQualityProblem(store, r.rows[0], dir.path(), prompts), c.changed);
        const auto& field = c.kind == ReferenceKind::NotesFile ? anna->NotesFile : anna->PictureFile;
        EXPECT_EQ(field.str(), c.after);
        EXPECT_EQ(store.modified, c.changed);
        EXPECT_EQ(r.rows[0].message, c.changed ? QString() : message);

        const auto& dialog = prompts.records().at(0);
        EXPECT_EQ(dialog.kind, "open");
        EXPECT_EQ(dialog.file.fileName, QDir(dir.path()).filePath("lost/anna.txt"));
        if (c.kind == ReferenceKind::NotesFile) {
            EXPECT_EQ(dialog.file.title, "Find text file");
            EXPECT_EQ(dialog.file.filter, "Text files|*.txt");
        } else {
            EXPECT_EQ(dialog.file.title, "Find image file");
            EXPECT_TRUE(dialog.file.filter.startsWith("All (*.jpg;*.jpeg;*.gif;*.bmp;*.ico;*.emf;*.wmf)|"));
        }
        if (!c.chosen) {
            ASSERT_EQ(prompts.records().size(), 2u);
            EXPECT_EQ(prompts.records()[1].text,
                      QString("No %1 file was selected. Would you like to remove the reference to lost/anna.txt?")
                          .arg(c.kind == ReferenceKind::NotesFile ? "text" : "image"));
            EXPECT_EQ(prompts.records()[1].buttons, PromptButtons::YesNo);
        }
        // A resolved row is not resolved again.
        if (c.changed) {
            EXPECT_FALSE(resolveQualityProblem(store, r.rows[0], dir.path(), prompts));
        }
    }
}

TEST(QualityCheck, ResolveKeepsALongChosenPathRelativeToTheTreeOrSaysItIsTooLong) {
    QTemporaryDir dir;
    const QString tree = QDir(dir.path()).filePath("tree");
    ASSERT_TRUE(QDir().mkpath(tree));
    const QString nested = QString(40, 'd') + "/" + QString(40, 'e') + "/anna.jpg";  // 90 characters
    const QString below = QDir(tree).filePath(nested);
    ASSERT_GT(below.toUtf8().size(), 100);
    const QString outside = QDir(dir.path()).filePath(QString(100, 'x') + "/anna.jpg");

    struct Case {
        QString chosen;
        std::string stored;  // empty: refused
    };
    const Case cases[] = {
        {QDir(tree).filePath("anna.jpg"), QDir(tree).filePath("anna.jpg").toStdString()},  // fits as it is
        {below, nested.toStdString()},
        {outside, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        ItemStore store;
        PersonItem* anna = test::addPerson(store, "Anna", "Berg");
        anna->PictureFile = "lost.jpg";
        store.modified = false;
        QualityCheckResult r = runQualityCheck(store, tree);
        ASSERT_EQ(r.count, 1);
        ScriptedPrompts prompts;
        prompts.answerText(c.chosen);
        const bool refused = c.stored.empty();
        EXPECT_EQ(resolveQualityProblem(store, r.rows[0], tree, prompts), !refused);
        EXPECT_EQ(anna->PictureFile.str(), refused ? std::string("lost.jpg") : c.stored);
        EXPECT_EQ(store.modified, !refused);
        EXPECT_EQ(r.rows[0].message.isEmpty(), !refused);
        if (refused) {
            ASSERT_EQ(prompts.records().size(), 2u);
            EXPECT_EQ(prompts.records()[1].caption, "Kinloom 2.0");
            EXPECT_EQ(prompts.records()[1].icon, PromptIcon::Warning);
            EXPECT_EQ(prompts.records()[1].text,
                      "The path \"" + outside +
                          "\" is too long to be kept in the tree, even relative to the tree's folder (at most 100 bytes). "
                          "Move the file nearer to the tree file and try again.");
        } else {
            EXPECT_EQ(prompts.records().size(), 1u);
        }
    }
}
