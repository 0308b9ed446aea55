#include "app/app_state.h"
#include "app/file_commands.h"
#include "app/toolbar_settings.h"
#include "document/tree_file.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace kinloom;

namespace {

// An application state whose hooks and file binding write every step into one log, so that the
// tests see the order of steps as well as the texts.
struct Shell {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state{registry, prompts};
    std::vector<QString> log;
    int qcheckResult = -1;  // < 0: no quality check bound

    Shell() {
        state.hooks.repaint = [this] { log.push_back("repaint"); };
        state.hooks.setStatus = [this](const QString& t) { log.push_back("status:" + t); };
        state.hooks.setBusyCursor = [this](bool b) { log.push_back(b ? "busy" : "normal"); };
        state.hooks.windowOuterSize = [] { return WindowSize{800, 600}; };
        state.hooks.focusMainWindow = [this] { log.push_back("focus"); };
        state.hooks.forgetHover = [this] { log.push_back("forget"); };
        state.hooks.showQualityCheck = [this](bool modal) { log.push_back(modal ? "qc-modal" : "qc-show"); };
        state.files.save = [this](ItemStore& store, const QString& name, Prompts&) {
            log.push_back("save:" + name);
            if (!name.endsWith("kl3", Qt::CaseInsensitive)) store.modified = true;
            return name.endsWith("kl3", Qt::CaseInsensitive) && !name.startsWith("/readonly/");
        };
        state.files.read = [this](ItemStore& store, const QString& name, ViewState& view, WindowSize w, Prompts&) {
            log.push_back("read:" + name + QString(" %1x%2").arg(w.width).arg(w.height));
            // As the reader: a file that cannot be read leaves the store as it was.
            if (name.contains("missing")) return ReadStatus::IoError;
            if (name.contains("garbage")) return ReadStatus::NotRecognized;
            store.clearMemory();
            view.zoom = 100;
            const bool wasModified = store.modified;  // a reader leaves Modified alone
            test::addPerson(store, "Read", "Item");
            store.modified = wasModified;
            return ReadStatus::Ok;
        };
    }
    void bindQCheck(int n) {
        state.hooks.qualityCheck = [this, n] {
            log.push_back("qcheck");
            return n;
        };
    }
    void modify() {
        test::addPerson(state.store, "Anna");
        state.store.modified = true;
    }
};

const QString kSaveQuestion = "Save changes to your Kinloom file?";

}  // namespace

TEST(Startup, DefaultsWithoutSettingsAndFileAssociationInOrder) {
    Shell s;
    s.state.view.zoom = 35;
    setUpState(s.state, {"/opt/kinloom/bin/kinloom", {}, 1280});
    EXPECT_EQ(s.state.screenFontName, "Times New Roman");
    EXPECT_EQ(s.state.screenFontSize, 16);
    EXPECT_EQ(s.state.screenCharset, 15);
    EXPECT_EQ(s.state.programDir, "/opt/kinloom/bin/");
    EXPECT_EQ(s.state.store.gridSize, 5);
    EXPECT_EQ(s.state.view.zoom, 100);
    EXPECT_EQ(s.state.scrollStep, 100);  // 1280 * 80 / 1024
    EXPECT_TRUE(s.state.currentFileName.isEmpty());
    EXPECT_TRUE(s.state.store.empty());
    EXPECT_FALSE(s.state.store.modified);
    EXPECT_TRUE(s.log.empty());  // nothing read, nothing painted

    const auto& v = s.registry.values();
    EXPECT_EQ(v.at({".kl3", ""}), "kinloom2_file");
    EXPECT_EQ(v.at({"kinloom2_file", ""}), "Kinloom 2.0 Family Tree");
    EXPECT_EQ(v.at({"kinloom2_file\\DefaultIcon", ""}), "/opt/kinloom/bin/kinloom,0");
    EXPECT_EQ(v.at({"kinloom2_file\\shell", ""}), "");
    EXPECT_EQ(v.at({"kinloom2_file\\shell\\open", ""}), "");
    EXPECT_EQ(v.at({"kinloom2_file\\shell\\open\\command", ""}), "\"/opt/kinloom/bin/kinloom\" %1");
    EXPECT_EQ(v.size(), 6u);  // the font settings are only written on close

    EXPECT_EQ(s.state.openDialog.filter, "Kinloom files (*.kl3)|*.kl3");
    EXPECT_EQ(s.state.openDialog.defaultExtension, "kl3");
    EXPECT_FALSE(s.state.openDialog.promptOverwrite);
    for (const auto* d : {&s.state.saveDialog, &s.state.collectFilesDialog}) {
        EXPECT_EQ(d->filter, "Kinloom files (*.kl3)|*.kl3");
        EXPECT_EQ(d->defaultExtension, "kl3");
        EXPECT_TRUE(d->promptOverwrite);
    }
}

TEST(Startup, FontSettingsAndTheirFallBacks) {
    {
        Shell s;
        s.registry.writeString(kSettingsKey, "ScreenFontName", "DejaVu Sans");
        s.registry.writeString(kSettingsKey, "ScreenFontSize", "12");
        s.registry.writeString(kSettingsKey, "ScreenCharset", "5");
        setUpState(s.state, {"/k", {}, 1024});
        EXPECT_EQ(s.state.screenFontName, "DejaVu Sans");
        EXPECT_EQ(s.state.screenFontSize, 12);
        EXPECT_EQ(s.state.screenCharset, 5);
        EXPECT_EQ(s.state.scrollStep, 80);
    }
    {
        // A size that is no number drops the stored name too; a bad charset falls back alone.
        Shell s;
        s.registry.writeString(kSettingsKey, "ScreenFontName", "DejaVu Sans");
        s.registry.writeString(kSettingsKey, "ScreenFontSize", "big");
        s.registry.writeString(kSettingsKey, "ScreenCharset", "x");
        setUpState(s.state, {"/k", {}, 0});
        EXPECT_EQ(s.state.screenFontName, "Times New Roman");
        EXPECT_EQ(s.state.screenFontSize, 16);
        EXPECT_EQ(s.state.screenCharset, 15);
    }
    {
        // An out-of-range charset is kept as it is: it shows texts as ANSI.
        Shell s;
        s.registry.writeString(kSettingsKey, "ScreenCharset", "42");
        setUpState(s.state, {"/k", {}, 0});
        EXPECT_EQ(s.state.screenCharset, 42);
        applyCharset(s.state, s.state.screenCharset);
        EXPECT_EQ(DisplayCharset::fontCharsetOf(s.state.screenCharset), 0);
        EXPECT_EQ(s.state.charset.decode("\xE9"), QString::fromUtf8("é"));
    }
}

TEST(Startup, CommandLinePathIsRejoinedAndOpenedUnmodified) {
    Shell s;
    setUpState(s.state, {"/k", {"/home/ann/My", "Tree.kl3"}, 1024});
    EXPECT_EQ(s.state.currentFileName, "/home/ann/My Tree.kl3");
    ASSERT_EQ(s.log.size(), 1u);
    EXPECT_EQ(s.log[0], "read:/home/ann/My Tree.kl3 800x600");
    EXPECT_EQ(s.state.store.itemCount(), 1);
    EXPECT_FALSE(s.state.store.modified);
    EXPECT_EQ(caption(s.state), "Kinloom 2.0 beta 3.6 [/home/ann/My Tree.kl3]");

    Shell bad;
    setUpState(bad.state, {"/k", {"garbage.kl3"}, 1024});
    EXPECT_TRUE(bad.state.currentFileName.isEmpty());  // an unrecognised file leaves an untitled tree
    EXPECT_EQ(caption(bad.state), "Kinloom 2.0 beta 3.6");
}

TEST(Startup, FailedAssociationWriteSkipsTheRest) {
    struct FailingRegistry : MemoryRegistry {
        int writes = 0;
        bool writeString(const QString& k, const QString& n, const QString& t) override {
            ++writes;
            if (k == "kinloom2_file\\DefaultIcon") return false;
            return MemoryRegistry::writeString(k, n, t);
        }
    } registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    setUpState(state, {"/k", {}, 0});
    EXPECT_EQ(registry.writes, 3);
    EXPECT_TRUE(prompts.records().empty());  // no message
    EXPECT_EQ(state.screenFontSize, 16);
}

TEST(FileCommands, NewWithEachAnswerOfTheSaveQuestion) {
    {   // Cancel: nothing happens
        Shell s;
        s.modify();
        s.state.currentFileName = "/t/a.kl3";
        s.prompts.answerButton(PromptAnswer::Cancel);
        newTree(s.state);
        EXPECT_EQ(s.state.store.itemCount(), 1);
        EXPECT_EQ(s.state.currentFileName, "/t/a.kl3");
        EXPECT_TRUE(s.log.empty());
        ASSERT_EQ(s.prompts.records().size(), 1u);
        EXPECT_EQ(s.prompts.records()[0].caption, "Kinloom 2.0");
        EXPECT_EQ(s.prompts.records()[0].text, kSaveQuestion);
        EXPECT_EQ(s.prompts.records()[0].buttons, PromptButtons::YesNoCancel);
    }
    {   // No: cleared without saving
        Shell s;
        s.modify();
        s.state.currentFileName = "/t/a.kl3";
        s.prompts.answerButton(PromptAnswer::No);
        newTree(s.state);
        EXPECT_TRUE(s.state.store.empty());
        EXPECT_TRUE(s.state.currentFileName.isEmpty());
        EXPECT_FALSE(s.state.store.modified);
        EXPECT_EQ(s.log, (std::vector<QString>{"repaint", "forget", "status:New tree"}));
    }
    {   // Yes on a titled tree saves it first
        Shell s;
        s.modify();
        s.state.currentFileName = "/t/a.kl3";
        s.prompts.answerButton(PromptAnswer::Yes);
        newTree(s.state);
        EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/t/a.kl3", "repaint", "normal", "status:OK", "repaint",
                                               "forget", "status:New tree"}));
        EXPECT_TRUE(s.state.store.empty());
    }
    {   // Yes on an untitled tree opens Save As; cancelling it keeps the tree
        Shell s;
        s.modify();
        s.prompts.answerButton(PromptAnswer::Yes);
        s.prompts.answerText(std::nullopt);
        newTree(s.state);
        ASSERT_EQ(s.prompts.records().size(), 2u);
        EXPECT_EQ(s.prompts.records()[1].kind, "save");
        EXPECT_EQ(s.prompts.records()[1].file.filter, "");  // startUp did not run here
        EXPECT_EQ(s.log, (std::vector<QString>{"status:OK", "status:OK"}));
        EXPECT_EQ(s.state.store.itemCount(), 1);
        EXPECT_TRUE(s.state.store.modified);
    }
}

TEST(FileCommands, OpenSaveAndSaveAsKeepCaptionAndModified) {
    Shell s;
    setUpState(s.state, {"/k", {}, 1024});
    s.log.clear();

    s.prompts.answerText(QString("/t/family.kl3"));
    openTree(s.state);
    EXPECT_EQ(s.prompts.records().back().kind, "open");
    EXPECT_EQ(s.prompts.records().back().file.filter, "Kinloom files (*.kl3)|*.kl3");
    EXPECT_EQ(s.prompts.records().back().file.fileName, "");
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "read:/t/family.kl3 800x600", "repaint", "forget", "normal", "focus",
                                           "status:OK"}));
    EXPECT_EQ(caption(s.state), "Kinloom 2.0 beta 3.6 [/t/family.kl3]");
    EXPECT_FALSE(s.state.store.modified);

    s.state.store.modified = true;
    s.log.clear();
    saveTree(s.state);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/t/family.kl3", "repaint", "normal", "status:OK"}));
    EXPECT_FALSE(s.state.store.modified);

    s.state.store.modified = true;
    s.log.clear();
    s.prompts.answerText(QString("/t/copy.kl3"));
    saveTreeAs(s.state);
    EXPECT_EQ(s.prompts.records().back().file.fileName, "/t/family.kl3");  // preset with the current name
    EXPECT_TRUE(s.prompts.records().back().file.promptOverwrite);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/t/copy.kl3", "repaint", "normal", "status:OK"}));
    EXPECT_EQ(caption(s.state), "Kinloom 2.0 beta 3.6 [/t/copy.kl3]");
    EXPECT_FALSE(s.state.store.modified);

    // Cancelling Save As changes nothing but still says OK.
    s.state.store.modified = true;
    s.log.clear();
    s.prompts.answerText(std::nullopt);
    saveTreeAs(s.state);
    EXPECT_EQ(s.log, (std::vector<QString>{"status:OK"}));
    EXPECT_TRUE(s.state.store.modified);
    EXPECT_EQ(s.state.currentFileName, "/t/copy.kl3");

    // Cancelling Open changes nothing.
    s.state.store.modified = false;
    s.log.clear();
    s.prompts.answerText(std::nullopt);
    openTree(s.state);
    EXPECT_TRUE(s.log.empty());
    EXPECT_EQ(s.state.currentFileName, "/t/copy.kl3");
}

TEST(FileCommands, RefusedAndFailedSavesKeepModified) {
    Shell s;
    s.modify();
    s.prompts.answerText(QString("/t/tree.ged"));
    saveTreeAs(s.state);
    // A refused type keeps the name, so the next Save refuses again.
    EXPECT_EQ(s.state.currentFileName, "/t/tree.ged");
    EXPECT_TRUE(s.state.store.modified);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/t/tree.ged", "repaint", "normal", "status:OK"}));
    s.log.clear();
    saveTree(s.state);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/t/tree.ged", "repaint", "normal", "status:OK"}));
    EXPECT_TRUE(s.state.store.modified);

    // A disk error ends the command: no repaint, no "OK".
    s.state.currentFileName = "/readonly/tree.kl3";
    s.log.clear();
    saveTree(s.state);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/readonly/tree.kl3", "normal"}));
    EXPECT_TRUE(s.state.store.modified);
    EXPECT_EQ(s.state.store.itemCount(), 1);
}

TEST(FileCommands, ASaveThatFailsOnTheDiskKeepsTheTreeItWasAskedToSave) {
    // Yes in the save question, then the disk refuses: New, Open, an import and closing all end
    // there, and the tree stays as it was.
    Shell s;
    s.modify();
    s.state.currentFileName = "/readonly/tree.kl3";
    for (int command = 0; command < 4; ++command) {
        s.prompts.clear();
        s.prompts.answerButton(PromptAnswer::Yes);
        s.log.clear();
        bool closed = false;
        switch (command) {
        case 0: newTree(s.state); break;
        case 1: openTree(s.state); break;
        case 2:
            s.state.files.readVersion10 = [](AppState& state, const QString&) { state.store.clearMemory(); };
            importVersion10(s.state);
            break;
        case 3: closed = canClose(s.state); break;
        }
        EXPECT_FALSE(closed);
        EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/readonly/tree.kl3", "normal"})) << command;
        ASSERT_EQ(s.prompts.records().size(), 1u) << command;  // no file dialog after the failure
        EXPECT_EQ(s.state.store.itemCount(), 1) << command;
        EXPECT_TRUE(s.state.store.modified);
        EXPECT_EQ(s.state.currentFileName, "/readonly/tree.kl3");
    }

    // The same through Save As on an untitled tree.
    s.state.currentFileName.clear();
    s.prompts.clear();
    s.prompts.answerButton(PromptAnswer::Yes);
    s.prompts.answerText(QString("/readonly/new.kl3"));
    newTree(s.state);
    EXPECT_EQ(s.state.store.itemCount(), 1);
    EXPECT_TRUE(s.state.store.modified);
}

TEST(FileCommands, OpenFailures) {
    Shell s;
    s.prompts.answerText(QString("/t/garbage.kl3"));
    openTree(s.state);
    EXPECT_TRUE(s.state.currentFileName.isEmpty());
    EXPECT_EQ(s.log.back(), "status:Could not open /t/garbage.kl3");  // not "OK"

    // The tree that was open stays, with its name and its changes.
    s.modify();
    s.state.currentFileName = "/t/mine.kl3";
    s.log.clear();
    s.prompts.answerButton(PromptAnswer::No);  // no, do not save the changes
    s.prompts.answerText(QString("/t/missing.kl3"));
    openTree(s.state);
    EXPECT_TRUE(s.state.store.modified);
    EXPECT_EQ(s.state.store.itemCount(), 1);
    EXPECT_EQ(s.state.currentFileName, "/t/mine.kl3");
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "read:/t/missing.kl3 800x600", "normal",
                                           "status:Could not open /t/missing.kl3"}));

    Shell cmdline;
    setUpState(cmdline.state, {"/k", {"/t/missing.kl3"}, 1024});
    EXPECT_TRUE(cmdline.state.currentFileName.isEmpty());

    // Cancel in the save question stops Open before its dialog.
    s.modify();
    s.log.clear();
    s.prompts.clear();
    s.prompts.answerButton(PromptAnswer::Cancel);
    openTree(s.state);
    ASSERT_EQ(s.prompts.records().size(), 1u);
    EXPECT_EQ(s.prompts.records()[0].text, kSaveQuestion);
    EXPECT_TRUE(s.log.empty());
}

TEST(FileCommands, QualityCheckSteps) {
    {   // Off: skipped even when a check is bound
        Shell s;
        s.bindQCheck(3);
        s.state.currentFileName = "/t/a.kl3";
        saveTree(s.state);
        EXPECT_EQ(s.log.front(), "busy");
    }
    {   // On open with no errors: only the status line
        Shell s;
        s.bindQCheck(0);
        s.state.options.qualityCheckOnOpen = true;
        s.prompts.answerText(QString("/t/a.kl3"));
        openTree(s.state);
        EXPECT_EQ(s.log, (std::vector<QString>{"busy", "read:/t/a.kl3 800x600", "repaint", "forget",
                                               "status:Performing Quality Check...", "qcheck",
                                               "status:Quality Check Result: 0 error(s)", "normal", "focus",
                                               "status:OK"}));
        EXPECT_TRUE(s.prompts.messageTexts().empty());
    }
    {   // On open with errors: the question, and Yes shows the details without waiting
        Shell s;
        s.bindQCheck(2);
        s.state.options.qualityCheckOnOpen = true;
        s.prompts.answerText(QString("/t/a.kl3"));
        s.prompts.answerButton(PromptAnswer::Yes);
        openTree(s.state);
        ASSERT_EQ(s.prompts.messageTexts().size(), 1u);
        const auto& r = s.prompts.records().back();
        EXPECT_EQ(r.text, "Quality Check Result: 2 error(s). Would you like to see the details?");
        EXPECT_EQ(r.buttons, PromptButtons::YesNo);
        EXPECT_EQ(r.icon, PromptIcon::Error);
        EXPECT_NE(std::find(s.log.begin(), s.log.end(), "qc-show"), s.log.end());
    }
    {   // Save of an untitled tree checks twice; the details are modal; the save goes on after No
        Shell s;
        s.bindQCheck(1);
        s.state.options.qualityCheckOnSave = true;
        s.modify();
        s.prompts.answerButton(PromptAnswer::Yes);
        s.prompts.answerButton(PromptAnswer::No);
        s.prompts.answerText(QString("/t/new.kl3"));
        saveTree(s.state);
        EXPECT_EQ(s.log, (std::vector<QString>{"status:Performing Quality Check...", "qcheck",
                                               "status:Quality Check Result: 1 error(s)", "qc-modal",
                                               "status:Performing Quality Check...", "qcheck",
                                               "status:Quality Check Result: 1 error(s)", "busy", "save:/t/new.kl3",
                                               "repaint", "normal", "status:OK", "status:OK"}));
        EXPECT_FALSE(s.state.store.modified);
    }
}

TEST(Closing, FontSettingsWrittenEvenWhenCancelled) {
    Shell s;
    setUpState(s.state, {"/k", {}, 0});
    s.state.screenFontName = "DejaVu Serif";
    s.state.screenFontSize = 11;
    s.state.screenCharset = 4;
    s.modify();
    s.prompts.answerButton(PromptAnswer::Cancel);
    EXPECT_FALSE(canClose(s.state));
    EXPECT_EQ(s.registry.readString(kSettingsKey, "ScreenFontName", ""), "DejaVu Serif");
    EXPECT_EQ(s.registry.readString(kSettingsKey, "ScreenFontSize", ""), "11");
    EXPECT_EQ(s.registry.readString(kSettingsKey, "ScreenCharset", ""), "4");
    EXPECT_EQ(s.state.store.itemCount(), 1);  // still running with the tree

    bool welcomeClosed = false;
    s.state.hooks.closeWelcome = [&] { welcomeClosed = true; };
    s.prompts.answerButton(PromptAnswer::No);
    EXPECT_TRUE(canClose(s.state));
    EXPECT_TRUE(s.state.store.empty());
    EXPECT_TRUE(welcomeClosed);

    // The next start reads them back.
    Shell next;
    for (const auto& [key, value] : s.registry.values()) next.registry.writeString(key.first, key.second, value);
    setUpState(next.state, {"/k", {}, 0});
    EXPECT_EQ(next.state.screenFontName, "DejaVu Serif");
    EXPECT_EQ(next.state.screenFontSize, 11);
    EXPECT_EQ(next.state.screenCharset, 4);
}

TEST(Closing, ToolbarPositionLivesBelowTheCurrentUser) {
    MemoryRegistry registry;
    bool found = true;
    ToolbarPosition p = loadToolbarPosition(registry, "Toolbar1", &found);
    EXPECT_FALSE(found);
    EXPECT_TRUE(p.visible);
    p.dockedTo = "Left";
    p.dockRow = 1;
    p.visible = false;
    p.windowState = QByteArray("\x00\x01state", 7);
    saveToolbarPosition(registry, "Toolbar1", p);
    EXPECT_EQ(registry.values().at({"HKEY_CURRENT_USER\\KL_TB1\\Toolbar1", "DockedTo"}), "Left");
    EXPECT_EQ(registry.readString(Registry::Root::CurrentUser, "KL_TB1\\Toolbar1", "Visible", ""), "0");
    EXPECT_EQ(registry.readString("KL_TB1\\Toolbar1", "Visible", "none"), "none");  // not below the classes root
    const ToolbarPosition back = loadToolbarPosition(registry, "Toolbar1", &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(back.dockedTo, "Left");
    EXPECT_EQ(back.dockRow, 1);
    EXPECT_FALSE(back.visible);
    EXPECT_EQ(back.windowState, p.windowState);
}

TEST(Startup, CorruptOrUnwritableSettingsFileFallsBackAndKeepsRunning) {
    QTemporaryDir dir;
    {
        const QString corrupt = dir.filePath("corrupt.ini");
        ASSERT_TRUE(test::writeBytes(corrupt, {'[', 0xFF, 0x00, '\n', '=', '=', '\n', 'S', 'c', 'r', 0xC3}));
        auto registry = openIniRegistry(corrupt);
        ScriptedPrompts prompts;
        AppState state(*registry, prompts);
        setUpState(state, {"/k", {}, 1024});
        EXPECT_EQ(state.screenFontName, "Times New Roman");
        EXPECT_EQ(state.screenFontSize, 16);
        EXPECT_EQ(state.screenCharset, 15);
        EXPECT_TRUE(canClose(state));
    }
    {
        // The settings folder is a plain file: nothing can be written there.
        const QString blocker = dir.filePath("blocker");
        ASSERT_TRUE(test::writeBytes(blocker, {'x'}));
        auto registry = openIniRegistry(blocker + "/kinloom.ini");
        ScriptedPrompts prompts;
        AppState state(*registry, prompts);
        EXPECT_FALSE(writeFileAssociation(state, "/k"));
        setUpState(state, {"/k", {}, 1024});
        EXPECT_EQ(state.screenFontSize, 16);
        EXPECT_TRUE(canClose(state));
        EXPECT_TRUE(prompts.records().empty());
    }
}

TEST(FileCommands, ImportsOfOlderVersionsLeaveAnUntitledUnmodifiedTree) {
    Shell s;
    setUpState(s.state, {"/k", {}, 1024});
    s.state.files.readVersion15 = [&s](AppState& state, const QString& name) {
        s.log.push_back("v15:" + name);
        state.store.clearMemory();
        test::addPerson(state.store, "Old");
        state.store.modified = true;
    };
    s.state.files.readVersion10 = [&s](AppState&, const QString& name) { s.log.push_back("v1:" + name); };
    s.state.currentFileName = "/t/current.kl3";
    s.log.clear();

    s.prompts.answerText(QString("/t/old.kl2"));
    importVersion15(s.state);
    const auto& r = s.prompts.records().back();
    EXPECT_EQ(r.caption, "Import from version 1.5.x");
    EXPECT_EQ(r.file.filter, "Kinloom version 1.5.x (*.kl2)|*.kl2");
    EXPECT_EQ(r.file.defaultExtension, "kl");
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "v15:/t/old.kl2", "normal", "repaint", "forget", "status:Imported /t/old.kl2"}));
    EXPECT_TRUE(s.state.currentFileName.isEmpty());
    EXPECT_FALSE(s.state.store.modified);
    EXPECT_EQ(s.state.store.itemCount(), 1);

    s.log.clear();
    s.prompts.answerText(QString("/t/older.kl"));
    importVersion10(s.state);
    EXPECT_EQ(s.prompts.records().back().caption, "Import from version 1.0");
    EXPECT_EQ(s.prompts.records().back().file.filter, "Kinloom version 1.0 (*.kl)|*.kl");
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "v1:/t/older.kl", "normal", "repaint", "forget", "status:Imported /t/older.kl"}));

    // The save question comes first; Cancel ends the import before its dialog.
    s.state.store.modified = true;
    s.log.clear();
    const size_t asked = s.prompts.records().size();
    s.prompts.answerButton(PromptAnswer::Cancel);
    importVersion10(s.state);
    EXPECT_EQ(s.prompts.records().size(), asked + 1);
    EXPECT_EQ(s.prompts.records().back().text, kSaveQuestion);
    EXPECT_TRUE(s.log.empty());

    // A cancelled dialog changes nothing.
    s.state.store.modified = false;
    s.state.currentFileName = "/t/keep.kl3";
    s.prompts.answerText(std::nullopt);
    importVersion15(s.state);
    EXPECT_EQ(s.state.currentFileName, "/t/keep.kl3");
    EXPECT_TRUE(s.log.empty());
}

TEST(FileCommands, RealTreeFilesOpenFromTheCommandLineAndMenuAndSaveBackUnchanged) {
    QTemporaryDir dir;
    const QString original = dir.filePath("My Family.kl3");
    {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        ItemStore store(&prompts);
        PersonItem* father = test::addPerson(store, "Ola", "Nordmann", 100, 50);
        PersonItem* child = test::addPerson(store, "Kari", "Nordmann", 100, 200);
        child->Father = father;
        test::addPerson(store, "Anne", "Hansen", 300, 50);
        ASSERT_TRUE(saveToFile(store, original, prompts));
    }
    const std::vector<unsigned char> bytes = test::readBytes(original);
    ASSERT_EQ(bytes.size(), 3u * 2560u);

    // From the command line, the path split at its blank.
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    bindTreeFiles(state);
    setUpState(state, {"/k", {dir.filePath("My"), "Family.kl3"}, 1024});
    EXPECT_EQ(state.currentFileName, original);
    EXPECT_EQ(state.store.itemCount(), 3);
    EXPECT_FALSE(state.store.modified);
    saveTree(state);
    EXPECT_EQ(test::readBytes(original), bytes);

    // From the File menu, then saved under another name.
    newTree(state);
    EXPECT_TRUE(state.store.empty());
    prompts.answerText(original);
    openTree(state);
    EXPECT_EQ(state.store.itemCount(), 3);
    EXPECT_EQ(state.store.firstItem()->Next->Father, state.store.firstItem());
    const QString copy = dir.filePath("copy.kl3");
    prompts.answerText(copy);
    state.store.modified = true;
    saveTreeAs(state);
    EXPECT_FALSE(state.store.modified);
    EXPECT_EQ(test::readBytes(copy), bytes);
    EXPECT_TRUE(prompts.messageTexts().empty());

    // A refused type shows the writer's message and keeps Modified.
    state.store.modified = true;
    prompts.answerText(dir.filePath("tree.ged"));
    saveTreeAs(state);
    EXPECT_EQ(prompts.messageTexts(), std::vector<QString>{"Incorrect file type. Kinloom did not save the file."});
    EXPECT_TRUE(state.store.modified);
    EXPECT_FALSE(QFile::exists(dir.filePath("tree.ged")));

    // A tree cut short on the command line: No leaves an empty untitled document, Yes its whole
    // records, untitled and modified.
    const QString broken = dir.filePath("broken.kl3");
    ASSERT_TRUE(test::writeBytes(broken, std::vector<unsigned char>(2560 + 100, 0)));
    for (const PromptAnswer answer : {PromptAnswer::No, PromptAnswer::Yes}) {
        ScriptedPrompts prompts2;
        prompts2.answerButton(answer);
        AppState fresh(registry, prompts2);
        bindTreeFiles(fresh);
        setUpState(fresh, {"/k", {broken}, 1024});
        EXPECT_EQ(prompts2.messageTexts(), std::vector<QString>{broken + " is cut short after record 1.\n\nOnly 1 of "
                                                                         "its items could be read. Open them?"});
        EXPECT_TRUE(fresh.currentFileName.isEmpty());
        EXPECT_EQ(fresh.store.itemCount(), answer == PromptAnswer::Yes ? 1 : 0);
        EXPECT_EQ(fresh.store.modified, answer == PromptAnswer::Yes);
    }
}

// Opening files that are no tree, or a tree cut short, from the File menu through the real reader.
TEST(FileCommands, AFailedOpenKeepsTheTreeAndACutShortFileOpensUntitled) {
    QTemporaryDir dir;
    const QString mine = dir.filePath("mine.kl3");
    const QString cutShort = dir.filePath("cut.kl3");
    const QString text = dir.filePath("notes.kl3");
    {
        ScriptedPrompts prompts;
        ItemStore store(&prompts);
        for (const char* name : {"Ola", "Kari", "Per"}) test::addPerson(store, name);
        ASSERT_TRUE(saveToFile(store, mine, prompts));
        ASSERT_TRUE(saveToFile(store, cutShort, prompts));
    }
    ASSERT_TRUE(QFile::resize(cutShort, 2 * 2560 + 700));
    const std::vector<unsigned char> damaged = test::readBytes(cutShort);
    ASSERT_TRUE(test::writeBytes(text, std::vector<unsigned char>(2 * 2560, 'x')));

    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    bindTreeFiles(state);
    std::vector<QString> statuses;
    state.hooks.setStatus = [&](const QString& t) { statuses.push_back(t); };
    prompts.answerText(mine);
    openTree(state);
    test::addPerson(state.store, "Anna");
    state.store.modified = true;
    state.view.zoom = 60;

    const auto expectMineStillOpen = [&] {
        EXPECT_EQ(state.store.itemCount(), 4);
        EXPECT_EQ(state.store.lastItem()->FirstName, "Anna");
        EXPECT_EQ(state.currentFileName, mine);
        EXPECT_TRUE(state.store.modified);
        EXPECT_EQ(state.view.zoom, 60.0);
        EXPECT_EQ(state.recentFiles.files(), QStringList{mine});
    };
    // Not a tree file.
    prompts.clear();
    prompts.answerButton(PromptAnswer::No);  // do not save the changes
    prompts.answerText(text);
    openTree(state);
    expectMineStillOpen();
    EXPECT_EQ(prompts.messageTexts().back(),
              "Error: Kinloom did not recognize the file\n" + text + " is not a Kinloom tree file.");
    EXPECT_EQ(statuses.back(), "Could not open " + text);

    // Cut short, and not opened.
    const QString question = cutShort + " is cut short after record 2.\n\nOnly 2 of its items could be read. Open them?";
    prompts.clear();
    prompts.answerButton(PromptAnswer::No);
    prompts.answerText(cutShort);
    prompts.answerButton(PromptAnswer::No);
    openTree(state);
    expectMineStillOpen();
    EXPECT_EQ(prompts.messageTexts().back(), question);

    // Cut short, and opened: untitled and modified, so that Save asks for a name.
    prompts.clear();
    prompts.answerButton(PromptAnswer::No);
    prompts.answerText(cutShort);
    prompts.answerButton(PromptAnswer::Yes);
    openTree(state);
    EXPECT_EQ(state.store.itemCount(), 2);
    EXPECT_EQ(state.store.firstItem()->FirstName, "Ola");
    EXPECT_TRUE(state.currentFileName.isEmpty());
    EXPECT_TRUE(state.store.modified);
    EXPECT_EQ(state.recentFiles.files(), QStringList{mine});
    EXPECT_EQ(statuses.back(), "Read 2 items of " + cutShort + " into an untitled tree");
    prompts.clear();
    prompts.answerText(std::nullopt);
    saveTree(state);
    ASSERT_EQ(prompts.records().size(), 1u);
    EXPECT_EQ(prompts.records()[0].kind, "save");
    EXPECT_TRUE(state.store.modified);
    EXPECT_EQ(test::readBytes(cutShort), damaged);
}

TEST(FileCommands, ASaveThatDidNotHappenKeepsTheTree) {
    // Yes in the save question, then the save is refused for its file type or its Save As is
    // cancelled: New, Open, the imports and closing all stop and keep the tree.
    for (const bool refused : {true, false}) {
        for (int command = 0; command < 5; ++command) {
            Shell s;
            s.modify();
            s.prompts.answerButton(PromptAnswer::Yes);
            if (refused)
                s.state.currentFileName = "/t/tree.ged";
            else
                s.prompts.answerText(std::nullopt);  // Save As of the untitled tree cancelled
            bool closed = false, chooserRan = false;
            switch (command) {
            case 0: newTree(s.state); break;
            case 1: openTree(s.state); break;
            case 2:
                s.state.files.readVersion10 = [](AppState& state, const QString&) { state.store.clearMemory(); };
                importVersion10(s.state);
                break;
            case 3: closed = canClose(s.state); break;
            case 4:
                EXPECT_FALSE(replaceTreeWith(s.state, [&] {
                    chooserRan = true;
                    return std::optional<QString>("/t/in.ged");
                }));
                break;
            }
            EXPECT_FALSE(closed);
            EXPECT_FALSE(chooserRan);
            EXPECT_EQ(s.prompts.records().size(), refused ? 1u : 2u) << command;  // no open dialog follows
            EXPECT_EQ(s.state.store.itemCount(), 1) << refused << command;
            EXPECT_TRUE(s.state.store.modified);
        }
    }
}

TEST(FileCommands, ReplacingTheTreeAsksForTheFileBeforeEmptyingIt) {
    Shell s;
    s.modify();
    s.state.currentFileName = "/t/a.kl3";
    // No, then the file dialog cancelled: the tree stays.
    s.prompts.answerButton(PromptAnswer::No);
    EXPECT_FALSE(replaceTreeWith(s.state, [] { return std::optional<QString>(); }));
    EXPECT_EQ(s.state.store.itemCount(), 1);
    EXPECT_EQ(s.state.currentFileName, "/t/a.kl3");
    EXPECT_TRUE(s.log.empty());
    // No, then a file: the tree is emptied once the file is known.
    s.prompts.answerButton(PromptAnswer::No);
    int itemsWhenAsked = -1;
    EXPECT_EQ(replaceTreeWith(s.state, [&] {
                  itemsWhenAsked = s.state.store.itemCount();
                  return std::optional<QString>("/t/in.ged");
              }),
              std::optional<QString>("/t/in.ged"));
    EXPECT_EQ(itemsWhenAsked, 1);
    EXPECT_TRUE(s.state.store.empty());
    EXPECT_TRUE(s.state.currentFileName.isEmpty());
    EXPECT_FALSE(s.state.store.modified);
    EXPECT_EQ(s.log, (std::vector<QString>{"repaint", "forget", "status:New tree"}));
}

TEST(FileCommands, AGedcomFileOpenedByMistakeGoesToTheImport) {
    Shell s;
    QStringList imported;
    s.state.hooks.importGedcom = [&](const QString& file) { imported << file; };
    s.state.files.read = [&](ItemStore&, const QString&, ViewState&, WindowSize, Prompts&) {
        return ReadStatus::ImportAsGedcom;
    };
    s.modify();
    s.state.currentFileName = "/t/mine.kl3";
    s.prompts.answerButton(PromptAnswer::No);
    s.prompts.answerText(QString("/t/family.ged"));
    size_t itemsAtImport = 99;
    s.state.hooks.importGedcom = [&](const QString& file) {
        imported << file;
        itemsAtImport = static_cast<size_t>(s.state.store.itemCount());
    };
    openTree(s.state);
    EXPECT_EQ(imported, QStringList{"/t/family.ged"});
    EXPECT_EQ(itemsAtImport, 0u);  // the import starts from an empty tree
    EXPECT_TRUE(s.state.currentFileName.isEmpty());
    EXPECT_FALSE(s.state.store.modified);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "normal", "repaint", "forget", "status:New tree"}));
}
