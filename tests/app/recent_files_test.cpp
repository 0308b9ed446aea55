#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/recent_files.h"
#include "document/tree_file.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kinloom;

namespace {

const QString kRecentKey = "Software\\Kinloom.2.0\\Recent files";

TEST(RecentFiles, NewestFirstAtMostEightKeptInTheSettings) {
    MemoryRegistry registry;
    RecentFiles recent;
    for (int i = 1; i <= 10; ++i) recent.add(QString("/t/tree%1.kl3").arg(i));
    recent.add("/t/tree5.kl3");        // moves to the top, not listed twice
    recent.add("/t/x/../tree9.kl3");   // the same file by another path
    recent.add(QString());
    EXPECT_EQ(recent.files(), QStringList({"/t/tree9.kl3", "/t/tree5.kl3", "/t/tree10.kl3", "/t/tree8.kl3",
                                           "/t/tree7.kl3", "/t/tree6.kl3", "/t/tree4.kl3", "/t/tree3.kl3"}));
    recent.save(registry);
    EXPECT_EQ(registry.readString(kRecentKey, "File1", ""), "/t/tree9.kl3");
    EXPECT_EQ(registry.readString(kRecentKey, "File8", ""), "/t/tree3.kl3");

    recent.remove("/t/tree10.kl3");
    recent.save(registry);
    EXPECT_EQ(registry.readString(kRecentKey, "File8", "none"), "none");  // emptied
    RecentFiles again;
    again.load(registry);
    EXPECT_EQ(again.files(), recent.files());
    EXPECT_EQ(again.files().size(), 7);
}

// Opening, saving and choosing from the list, through the real tree-file reader and writer.
TEST(RecentFiles, FollowOpenSaveAndDropAMissingFile) {
    QTemporaryDir dir;
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    bindTreeFiles(state);
    int fits = 0;
    state.hooks.showWholeTreeIfLarge = [&fits] { ++fits; };
    const QString first = dir.filePath("first.kl3"), second = dir.filePath("second.kl3");
    test::addPerson(state.store, "Ann");
    state.currentFileName = first;
    saveTree(state);
    state.currentFileName = second;
    saveTree(state);
    EXPECT_EQ(state.recentFiles.files(), QStringList({second, first}));

    // Chosen from the list: the unsaved-changes question first, then the file; it comes to the top.
    state.store.modified = true;
    prompts.answerButton(PromptAnswer::No);
    openRecentTree(state, first);
    EXPECT_EQ(prompts.messageTexts(), std::vector<QString>{"Save changes to your Kinloom file?"});
    EXPECT_EQ(state.currentFileName, first);
    EXPECT_EQ(state.store.itemCount(), 1);
    EXPECT_EQ(fits, 1);
    EXPECT_EQ(state.recentFiles.files(), QStringList({first, second}));

    // A file gone since: told as Open tells it, taken off the list (also in the settings), the tree
    // and the changes left alone and no question asked.
    ASSERT_TRUE(QFile::remove(second));
    state.store.modified = true;
    prompts.clear();
    openRecentTree(state, second);
    EXPECT_EQ(prompts.messageTexts(),
              std::vector<QString>{"Kinloom could not open the file " + second + ".\nNo such file or directory"});
    EXPECT_EQ(state.recentFiles.files(), QStringList({first}));
    EXPECT_EQ(registry.readString(kRecentKey, "File2", ""), "");
    EXPECT_EQ(state.store.itemCount(), 1);
    EXPECT_TRUE(state.store.modified);

    // A restart finds the list in the settings.
    AppState restarted(registry, prompts);
    setUpState(restarted, StartupInfo{"/opt/k/kinloom", {}, 1024});
    EXPECT_EQ(restarted.recentFiles.files(), QStringList({first}));
}

TEST(DroppedFiles, TreesOpenGedcomImportsOthersAreRefused) {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    QStringList log;
    state.files.read = [&log](ItemStore&, const QString& name, ViewState&, WindowSize, Prompts&) {
        log << "read " + name;
        return ReadStatus::Ok;
    };
    state.hooks.importGedcom = [&log](const QString& name) { log << "import " + name; };
    test::addPerson(state.store, "Ann");
    state.store.modified = true;
    prompts.answerButton(PromptAnswer::Cancel);  // the user keeps the tree
    EXPECT_TRUE(openDroppedFile(state, "/t/a.KL3"));
    EXPECT_TRUE(log.isEmpty());
    prompts.answerButton(PromptAnswer::No);
    EXPECT_TRUE(openDroppedFile(state, "/t/a.kl3"));
    EXPECT_TRUE(openDroppedFile(state, "/t/b.ged"));
    EXPECT_FALSE(openDroppedFile(state, "/t/c.png"));
    EXPECT_FALSE(openDroppedFile(state, "/t/d.kl2"));
    EXPECT_EQ(log, QStringList({"read /t/a.kl3", "import /t/b.ged"}));
    EXPECT_EQ(prompts.messageTexts().size(), 2u);
}

}  // namespace
