#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/report_commands.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

namespace {

struct Fixture {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state{registry, prompts};
    QStringList opened;
    bool viewerFound = true;
    Fixture() {
        setUpState(state, {"/k/kinloom", {}, 1024});
        state.hooks.openWithDefaultProgram = [this](const QString& f) {
            opened << f;
            return viewerFound;
        };
    }
};

}  // namespace

TEST(ReportCommands, AlphabeticalListAsksWritesAndOpensTheViewer) {
    QTemporaryDir dir;
    const QString list = dir.filePath("list.txt");
    for (const bool viewer : {true, false}) {
        Fixture f;
        f.viewerFound = viewer;
        test::addPerson(f.state.store, "Bo", "Berg");
        test::addPerson(f.state.store, "Al", "adams");
        f.prompts.answerText(list);
        alphabeticalListCommand(f.state);
        const auto& dialog = f.prompts.records().at(0).file;
        EXPECT_EQ(dialog.title, "Save alphabetical list");
        EXPECT_EQ(dialog.filter, "Text file (*.txt)|*.txt");
        EXPECT_EQ(dialog.defaultExtension, "txt");
        EXPECT_TRUE(dialog.fileName.isEmpty());
        EXPECT_TRUE(dialog.promptOverwrite);
        QFile file(list);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("adams Al ( - )\r\nBerg Bo ( - )\r\n"));
        EXPECT_EQ(f.opened, QStringList{list});
        EXPECT_EQ(f.prompts.messageTexts(),
                  viewer ? std::vector<QString>{}
                         : std::vector<QString>{"File is saved, but Kinloom could not find your default text viewer."});
    }
    Fixture cancelled;
    cancelled.prompts.answerText(std::nullopt);
    alphabeticalListCommand(cancelled.state);
    EXPECT_TRUE(cancelled.opened.isEmpty());
}

TEST(ReportCommands, CollectMakesTheCopyTheOpenTree) {
    QTemporaryDir source, target;
    {
        QFile notes(source.filePath("anna.txt"));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    }
    Fixture f;
    f.state.currentFileName = source.filePath("family.kl3");  // relative names are taken there
    test::addPerson(f.state.store, "Anna")->NotesFile = "anna.txt";
    f.state.store.modified = false;
    const QString chosen = target.filePath("collected.kl3");
    f.prompts.answerText(chosen);
    collectAllFilesCommand(f.state);

    const auto& dialog = f.prompts.records().at(0);
    EXPECT_EQ(dialog.kind, "save");
    EXPECT_EQ(dialog.file.title, "Collect all files");
    EXPECT_EQ(dialog.file.filter, "Kinloom files (*.kl3)|*.kl3");
    EXPECT_TRUE(dialog.file.promptOverwrite);
    EXPECT_EQ(f.state.currentFileName, chosen);
    EXPECT_TRUE(QFile::exists(target.filePath("anna.txt")));
    ASSERT_EQ(f.prompts.records().size(), 2u);
    EXPECT_EQ(f.prompts.records()[1].caption, "Files saved");
    EXPECT_EQ(f.prompts.records()[1].text, "Collected 2 files to directory " + QDir(target.path()).absolutePath() + "/");
    EXPECT_FALSE(f.state.store.modified);

    Fixture cancelled;
    cancelled.state.currentFileName = "/t/a.kl3";
    cancelled.prompts.answerText(std::nullopt);
    collectAllFilesCommand(cancelled.state);
    EXPECT_EQ(cancelled.state.currentFileName, "/t/a.kl3");
    EXPECT_EQ(cancelled.prompts.records().size(), 1u);
}
