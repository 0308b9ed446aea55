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
        state.hooks.Repaint = [this] { log.push_back("repaint"); };
        state.hooks.SetStatus = [this](const QString& t) { log.push_back("status:" + t); };
        state.hooks.SetBusyCursor = [this](bool b) { log.push_back(b ? "busy" : "normal"); };
        state.hooks.WindowOuterSize = [] { return WindowSize{800, 600}; };
        state.hooks.FocusMainWindow = [this] { log.push_back("focus"); };
        state.hooks.ShowQualityCheck = [this](bool modal) { log.push_back(modal ? "qc-modal" : "qc-show"); };
        state.files.Save = [this](TItemStore& store, const QString& name, Prompts&) {
            log.push_back("save:" + name);
            if (!name.endsWith("kl3", Qt::CaseInsensitive)) store.Modified = true;
            return name.endsWith("kl3", Qt::CaseInsensitive) && !name.startsWith("/readonly/");
        };
        state.files.Read = [this](TItemStore& store, const QString& name, ViewState& view, WindowSize w, Prompts&) {
            log.push_back("read:" + name + QString(" %1x%2").arg(w.Width).arg(w.Height));
            store.ClearMemory();
            view.Zoom = 100;
            if (name.contains("missing")) return ReadStatus::IoError;
            if (name.contains("garbage")) return ReadStatus::NotRecognized;
            const bool wasModified = store.Modified;  // a reader leaves Modified alone
            test::AddPerson(store, "Read", "Item");
            store.Modified = wasModified;
            return ReadStatus::Ok;
        };
    }
    void bindQCheck(int n) {
        state.hooks.QCheck = [this, n] {
            log.push_back("qcheck");
            return n;
        };
    }
    void modify() {
        test::AddPerson(state.Store, "Anna");
        state.Store.Modified = true;
    }
};

const QString kSaveQuestion = "Save changes to your Kinloom file?";

}  // namespace

TEST(Startup, DefaultsWithoutSettingsAndFileAssociationInOrder) {
    Shell s;
    s.state.View.Zoom = 35;
    FormCreate(s.state, {"/opt/kinloom/bin/kinloom", {}, 1280});
    EXPECT_EQ(s.state.ScreenFontName, "Times New Roman");
    EXPECT_EQ(s.state.ScreenFontSize, 16);
    EXPECT_EQ(s.state.ScreenCharset, 15);
    EXPECT_EQ(s.state.ProgramDir, "/opt/kinloom/bin/");
    EXPECT_EQ(s.state.Store.GridSize, 5);
    EXPECT_EQ(s.state.View.Zoom, 100);
    EXPECT_EQ(s.state.ScrollStep, 100);  // 1280 * 80 / 1024
    EXPECT_TRUE(s.state.CurrentFileName.isEmpty());
    EXPECT_TRUE(s.state.Store.empty());
    EXPECT_FALSE(s.state.Store.Modified);
    EXPECT_TRUE(s.log.empty());  // nothing read, nothing painted

    const auto& v = s.registry.values();
    EXPECT_EQ(v.at({".kl3", ""}), "kinloom2_file");
    EXPECT_EQ(v.at({"kinloom2_file", ""}), "Kinloom 2.0 Family Tree");
    EXPECT_EQ(v.at({"kinloom2_file\\DefaultIcon", ""}), "/opt/kinloom/bin/kinloom,0");
    EXPECT_EQ(v.at({"kinloom2_file\\shell", ""}), "");
    EXPECT_EQ(v.at({"kinloom2_file\\shell\\open", ""}), "");
    EXPECT_EQ(v.at({"kinloom2_file\\shell\\open\\command", ""}), "\"/opt/kinloom/bin/kinloom\" %1");
    EXPECT_EQ(v.size(), 6u);  // the font settings are only written on close

    EXPECT_EQ(s.state.OpenDialog1.filter, "Kinloom files (*.kl3)|*.kl3");
    EXPECT_EQ(s.state.OpenDialog1.defaultExtension, "kl3");
    EXPECT_FALSE(s.state.OpenDialog1.promptOverwrite);
    for (const auto* d : {&s.state.SaveDialog1, &s.state.SaveDialog2}) {
        EXPECT_EQ(d->filter, "Kinloom files (*.kl3)|*.kl3");
        EXPECT_EQ(d->defaultExtension, "kl3");
        EXPECT_TRUE(d->promptOverwrite);
    }
}

TEST(Startup, FontSettingsAndTheirFallBacks) {
    {
        Shell s;
        s.registry.WriteString(kSettingsKey, "ScreenFontName", "DejaVu Sans");
        s.registry.WriteString(kSettingsKey, "ScreenFontSize", "12");
        s.registry.WriteString(kSettingsKey, "ScreenCharset", "5");
        FormCreate(s.state, {"/k", {}, 1024});
        EXPECT_EQ(s.state.ScreenFontName, "DejaVu Sans");
        EXPECT_EQ(s.state.ScreenFontSize, 12);
        EXPECT_EQ(s.state.ScreenCharset, 5);
        EXPECT_EQ(s.state.ScrollStep, 80);
    }
    {
        // A size that is no number drops the stored name too; a bad charset falls back alone.
        Shell s;
        s.registry.WriteString(kSettingsKey, "ScreenFontName", "DejaVu Sans");
        s.registry.WriteString(kSettingsKey, "ScreenFontSize", "big");
        s.registry.WriteString(kSettingsKey, "ScreenCharset", "x");
        FormCreate(s.state, {"/k", {}, 0});
        EXPECT_EQ(s.state.ScreenFontName, "Times New Roman");
        EXPECT_EQ(s.state.ScreenFontSize, 16);
        EXPECT_EQ(s.state.ScreenCharset, 15);
    }
    {
        // An out-of-range charset is kept as it is: it shows texts as ANSI.
        Shell s;
        s.registry.WriteString(kSettingsKey, "ScreenCharset", "42");
        FormCreate(s.state, {"/k", {}, 0});
        EXPECT_EQ(s.state.ScreenCharset, 42);
        ApplyCharset(s.state, s.state.ScreenCharset);
        EXPECT_EQ(DisplayCharset::FontCharsetOf(s.state.ScreenCharset), 0);
        EXPECT_EQ(s.state.Charset.decode("\xE9"), QString::fromUtf8("é"));
    }
}

TEST(Startup, CommandLinePathIsRejoinedAndOpenedUnmodified) {
    Shell s;
    FormCreate(s.state, {"/k", {"/home/ann/My", "Tree.kl3"}, 1024});
    EXPECT_EQ(s.state.CurrentFileName, "/home/ann/My Tree.kl3");
    ASSERT_EQ(s.log.size(), 1u);
    EXPECT_EQ(s.log[0], "read:/home/ann/My Tree.kl3 800x600");
    EXPECT_EQ(s.state.Store.ItemCount(), 1);
    EXPECT_FALSE(s.state.Store.Modified);
    EXPECT_EQ(Caption(s.state), "Kinloom 2.0 beta 3.6 [/home/ann/My Tree.kl3]");

    Shell bad;
    FormCreate(bad.state, {"/k", {"garbage.kl3"}, 1024});
    EXPECT_TRUE(bad.state.CurrentFileName.isEmpty());  // an unrecognised file leaves an untitled tree
    EXPECT_EQ(Caption(bad.state), "Kinloom 2.0 beta 3.6");
}

TEST(Startup, FailedAssociationWriteSkipsTheRest) {
    struct FailingRegistry : MemoryRegistry {
        int writes = 0;
        bool WriteString(const QString& k, const QString& n, const QString& t) override {
            ++writes;
            if (k == "kinloom2_file\\DefaultIcon") return false;
            return MemoryRegistry::WriteString(k, n, t);
        }
    } registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    FormCreate(state, {"/k", {}, 0});
    EXPECT_EQ(registry.writes, 3);
    EXPECT_TRUE(prompts.records().empty());  // no message
    EXPECT_EQ(state.ScreenFontSize, 16);
}

TEST(FileCommands, NewWithEachAnswerOfTheSaveQuestion) {
    {   // Cancel: nothing happens
        Shell s;
        s.modify();
        s.state.CurrentFileName = "/t/a.kl3";
        s.prompts.AnswerButton(PromptAnswer::Cancel);
        New1Click(s.state);
        EXPECT_EQ(s.state.Store.ItemCount(), 1);
        EXPECT_EQ(s.state.CurrentFileName, "/t/a.kl3");
        EXPECT_TRUE(s.log.empty());
        ASSERT_EQ(s.prompts.records().size(), 1u);
        EXPECT_EQ(s.prompts.records()[0].caption, "Kinloom 2.0");
        EXPECT_EQ(s.prompts.records()[0].text, kSaveQuestion);
        EXPECT_EQ(s.prompts.records()[0].buttons, PromptButtons::YesNoCancel);
    }
    {   // No: cleared without saving
        Shell s;
        s.modify();
        s.state.CurrentFileName = "/t/a.kl3";
        s.prompts.AnswerButton(PromptAnswer::No);
        New1Click(s.state);
        EXPECT_TRUE(s.state.Store.empty());
        EXPECT_TRUE(s.state.CurrentFileName.isEmpty());
        EXPECT_FALSE(s.state.Store.Modified);
        EXPECT_EQ(s.log, (std::vector<QString>{"repaint"}));
    }
    {   // Yes on a titled tree saves it first
        Shell s;
        s.modify();
        s.state.CurrentFileName = "/t/a.kl3";
        s.prompts.AnswerButton(PromptAnswer::Yes);
        New1Click(s.state);
        EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/t/a.kl3", "repaint", "normal", "status:OK", "repaint"}));
        EXPECT_TRUE(s.state.Store.empty());
    }
    {   // Yes on an untitled tree opens Save As; cancelling it still clears the tree
        Shell s;
        s.modify();
        s.prompts.AnswerButton(PromptAnswer::Yes);
        s.prompts.AnswerText(std::nullopt);
        New1Click(s.state);
        ASSERT_EQ(s.prompts.records().size(), 2u);
        EXPECT_EQ(s.prompts.records()[1].kind, "save");
        EXPECT_EQ(s.prompts.records()[1].file.filter, "");  // FormCreate did not run here
        EXPECT_EQ(s.log, (std::vector<QString>{"status:OK", "status:OK", "repaint"}));
        EXPECT_TRUE(s.state.Store.empty());
        EXPECT_FALSE(s.state.Store.Modified);
    }
}

TEST(FileCommands, OpenSaveAndSaveAsKeepCaptionAndModified) {
    Shell s;
    FormCreate(s.state, {"/k", {}, 1024});
    s.log.clear();

    s.prompts.AnswerText(QString("/t/family.kl3"));
    Open1Click(s.state);
    EXPECT_EQ(s.prompts.records().back().kind, "open");
    EXPECT_EQ(s.prompts.records().back().file.filter, "Kinloom files (*.kl3)|*.kl3");
    EXPECT_EQ(s.prompts.records().back().file.fileName, "");
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "read:/t/family.kl3 800x600", "repaint", "normal", "focus",
                                           "status:OK"}));
    EXPECT_EQ(Caption(s.state), "Kinloom 2.0 beta 3.6 [/t/family.kl3]");
    EXPECT_FALSE(s.state.Store.Modified);

    s.state.Store.Modified = true;
    s.log.clear();
    Save1Click(s.state);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/t/family.kl3", "repaint", "normal", "status:OK"}));
    EXPECT_FALSE(s.state.Store.Modified);

    s.state.Store.Modified = true;
    s.log.clear();
    s.prompts.AnswerText(QString("/t/copy.kl3"));
    SaveAs1Click(s.state);
    EXPECT_EQ(s.prompts.records().back().file.fileName, "/t/family.kl3");  // preset with the current name
    EXPECT_TRUE(s.prompts.records().back().file.promptOverwrite);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/t/copy.kl3", "repaint", "normal", "status:OK"}));
    EXPECT_EQ(Caption(s.state), "Kinloom 2.0 beta 3.6 [/t/copy.kl3]");
    EXPECT_FALSE(s.state.Store.Modified);

    // Cancelling Save As changes nothing but still says OK.
    s.state.Store.Modified = true;
    s.log.clear();
    s.prompts.AnswerText(std::nullopt);
    SaveAs1Click(s.state);
    EXPECT_EQ(s.log, (std::vector<QString>{"status:OK"}));
    EXPECT_TRUE(s.state.Store.Modified);
    EXPECT_EQ(s.state.CurrentFileName, "/t/copy.kl3");

    // Cancelling Open changes nothing.
    s.state.Store.Modified = false;
    s.log.clear();
    s.prompts.AnswerText(std::nullopt);
    Open1Click(s.state);
    EXPECT_TRUE(s.log.empty());
    EXPECT_EQ(s.state.CurrentFileName, "/t/copy.kl3");
}

TEST(FileCommands, RefusedAndFailedSavesKeepModified) {
    Shell s;
    s.modify();
    s.prompts.AnswerText(QString("/t/tree.ged"));
    SaveAs1Click(s.state);
    // A refused type keeps the name, so the next Save refuses again.
    EXPECT_EQ(s.state.CurrentFileName, "/t/tree.ged");
    EXPECT_TRUE(s.state.Store.Modified);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/t/tree.ged", "repaint", "normal", "status:OK"}));
    s.log.clear();
    Save1Click(s.state);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/t/tree.ged", "repaint", "normal", "status:OK"}));
    EXPECT_TRUE(s.state.Store.Modified);

    // A disk error ends the command: no repaint, no "OK".
    s.state.CurrentFileName = "/readonly/tree.kl3";
    s.log.clear();
    Save1Click(s.state);
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/readonly/tree.kl3", "normal"}));
    EXPECT_TRUE(s.state.Store.Modified);
    EXPECT_EQ(s.state.Store.ItemCount(), 1);
}

TEST(FileCommands, ASaveThatFailsOnTheDiskKeepsTheTreeItWasAskedToSave) {
    // Yes in the save question, then the disk refuses: New, Open, an import and closing all end
    // there, and the tree stays as it was.
    Shell s;
    s.modify();
    s.state.CurrentFileName = "/readonly/tree.kl3";
    for (int command = 0; command < 4; ++command) {
        s.prompts.clear();
        s.prompts.AnswerButton(PromptAnswer::Yes);
        s.log.clear();
        bool closed = false;
        switch (command) {
        case 0: New1Click(s.state); break;
        case 1: Open1Click(s.state); break;
        case 2:
            s.state.files.ReadV1 = [](AppState& state, const QString&) { state.Store.ClearMemory(); };
            Version101Click(s.state);
            break;
        case 3: closed = FormCloseQuery(s.state); break;
        }
        EXPECT_FALSE(closed);
        EXPECT_EQ(s.log, (std::vector<QString>{"busy", "save:/readonly/tree.kl3", "normal"})) << command;
        ASSERT_EQ(s.prompts.records().size(), 1u) << command;  // no file dialog after the failure
        EXPECT_EQ(s.state.Store.ItemCount(), 1) << command;
        EXPECT_TRUE(s.state.Store.Modified);
        EXPECT_EQ(s.state.CurrentFileName, "/readonly/tree.kl3");
    }

    // The same through Save As on an untitled tree.
    s.state.CurrentFileName.clear();
    s.prompts.clear();
    s.prompts.AnswerButton(PromptAnswer::Yes);
    s.prompts.AnswerText(QString("/readonly/new.kl3"));
    New1Click(s.state);
    EXPECT_EQ(s.state.Store.ItemCount(), 1);
    EXPECT_TRUE(s.state.Store.Modified);
}

TEST(FileCommands, OpenFailures) {
    Shell s;
    s.prompts.AnswerText(QString("/t/garbage.kl3"));
    Open1Click(s.state);
    EXPECT_TRUE(s.state.CurrentFileName.isEmpty());
    EXPECT_EQ(s.log.back(), "status:OK");

    s.log.clear();
    s.state.Store.Modified = true;
    s.prompts.AnswerButton(PromptAnswer::No);  // no, do not save the changes
    s.prompts.AnswerText(QString("/t/missing.kl3"));
    Open1Click(s.state);
    EXPECT_TRUE(s.state.Store.Modified);  // an input/output error does not clear it
    // The command ends after the reader's message, leaving an empty untitled document: a later
    // Save must not write the empty tree over the file that could not be read.
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "read:/t/missing.kl3 800x600", "repaint", "normal"}));
    EXPECT_TRUE(s.state.CurrentFileName.isEmpty());

    Shell cmdline;
    FormCreate(cmdline.state, {"/k", {"/t/missing.kl3"}, 1024});
    EXPECT_TRUE(cmdline.state.CurrentFileName.isEmpty());

    // Cancel in the save question stops Open before its dialog.
    s.modify();
    s.log.clear();
    s.prompts.clear();
    s.prompts.AnswerButton(PromptAnswer::Cancel);
    Open1Click(s.state);
    ASSERT_EQ(s.prompts.records().size(), 1u);
    EXPECT_EQ(s.prompts.records()[0].text, kSaveQuestion);
    EXPECT_TRUE(s.log.empty());
}

TEST(FileCommands, QualityCheckSteps) {
    {   // Off: skipped even when a check is bound
        Shell s;
        s.bindQCheck(3);
        s.state.CurrentFileName = "/t/a.kl3";
        Save1Click(s.state);
        EXPECT_EQ(s.log.front(), "busy");
    }
    {   // On open with no errors: only the status line
        Shell s;
        s.bindQCheck(0);
        s.state.Options.QualityCheckOnOpen = true;
        s.prompts.AnswerText(QString("/t/a.kl3"));
        Open1Click(s.state);
        EXPECT_EQ(s.log, (std::vector<QString>{"busy", "read:/t/a.kl3 800x600", "repaint",
                                               "status:Performing Quality Check...", "qcheck",
                                               "status:Quality Check Result: 0 error(s)", "normal", "focus",
                                               "status:OK"}));
        EXPECT_TRUE(s.prompts.messageTexts().empty());
    }
    {   // On open with errors: the question, and Yes shows the details without waiting
        Shell s;
        s.bindQCheck(2);
        s.state.Options.QualityCheckOnOpen = true;
        s.prompts.AnswerText(QString("/t/a.kl3"));
        s.prompts.AnswerButton(PromptAnswer::Yes);
        Open1Click(s.state);
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
        s.state.Options.QualityCheckOnSave = true;
        s.modify();
        s.prompts.AnswerButton(PromptAnswer::Yes);
        s.prompts.AnswerButton(PromptAnswer::No);
        s.prompts.AnswerText(QString("/t/new.kl3"));
        Save1Click(s.state);
        EXPECT_EQ(s.log, (std::vector<QString>{"status:Performing Quality Check...", "qcheck",
                                               "status:Quality Check Result: 1 error(s)", "qc-modal",
                                               "status:Performing Quality Check...", "qcheck",
                                               "status:Quality Check Result: 1 error(s)", "busy", "save:/t/new.kl3",
                                               "repaint", "normal", "status:OK", "status:OK"}));
        EXPECT_FALSE(s.state.Store.Modified);
    }
}

TEST(Closing, FontSettingsWrittenEvenWhenCancelled) {
    Shell s;
    FormCreate(s.state, {"/k", {}, 0});
    s.state.ScreenFontName = "DejaVu Serif";
    s.state.ScreenFontSize = 11;
    s.state.ScreenCharset = 4;
    s.modify();
    s.prompts.AnswerButton(PromptAnswer::Cancel);
    EXPECT_FALSE(FormCloseQuery(s.state));
    EXPECT_EQ(s.registry.ReadString(kSettingsKey, "ScreenFontName", ""), "DejaVu Serif");
    EXPECT_EQ(s.registry.ReadString(kSettingsKey, "ScreenFontSize", ""), "11");
    EXPECT_EQ(s.registry.ReadString(kSettingsKey, "ScreenCharset", ""), "4");
    EXPECT_EQ(s.state.Store.ItemCount(), 1);  // still running with the tree

    bool welcomeClosed = false;
    s.state.hooks.CloseWelcome = [&] { welcomeClosed = true; };
    s.prompts.AnswerButton(PromptAnswer::No);
    EXPECT_TRUE(FormCloseQuery(s.state));
    EXPECT_TRUE(s.state.Store.empty());
    EXPECT_TRUE(welcomeClosed);

    // The next start reads them back.
    Shell next;
    for (const auto& [key, value] : s.registry.values()) next.registry.WriteString(key.first, key.second, value);
    FormCreate(next.state, {"/k", {}, 0});
    EXPECT_EQ(next.state.ScreenFontName, "DejaVu Serif");
    EXPECT_EQ(next.state.ScreenFontSize, 11);
    EXPECT_EQ(next.state.ScreenCharset, 4);
}

TEST(Closing, ToolbarPositionLivesBelowTheCurrentUser) {
    MemoryRegistry registry;
    bool found = true;
    ToolbarPosition p = LoadToolbarPosition(registry, "Toolbar1", &found);
    EXPECT_FALSE(found);
    EXPECT_TRUE(p.Visible);
    p.DockedTo = "Left";
    p.DockRow = 1;
    p.Visible = false;
    p.WindowState = QByteArray("\x00\x01state", 7);
    SaveToolbarPosition(registry, "Toolbar1", p);
    EXPECT_EQ(registry.values().at({"HKEY_CURRENT_USER\\KL_TB1\\Toolbar1", "DockedTo"}), "Left");
    EXPECT_EQ(registry.ReadString(Registry::Root::CurrentUser, "KL_TB1\\Toolbar1", "Visible", ""), "0");
    EXPECT_EQ(registry.ReadString("KL_TB1\\Toolbar1", "Visible", "none"), "none");  // not below the classes root
    const ToolbarPosition back = LoadToolbarPosition(registry, "Toolbar1", &found);
    EXPECT_TRUE(found);
    EXPECT_EQ(back.DockedTo, "Left");
    EXPECT_EQ(back.DockRow, 1);
    EXPECT_FALSE(back.Visible);
    EXPECT_EQ(back.WindowState, p.WindowState);
}

TEST(Startup, CorruptOrUnwritableSettingsFileFallsBackAndKeepsRunning) {
    QTemporaryDir dir;
    {
        const QString corrupt = dir.filePath("corrupt.ini");
        ASSERT_TRUE(test::WriteBytes(corrupt, {'[', 0xFF, 0x00, '\n', '=', '=', '\n', 'S', 'c', 'r', 0xC3}));
        auto registry = OpenIniRegistry(corrupt);
        ScriptedPrompts prompts;
        AppState state(*registry, prompts);
        FormCreate(state, {"/k", {}, 1024});
        EXPECT_EQ(state.ScreenFontName, "Times New Roman");
        EXPECT_EQ(state.ScreenFontSize, 16);
        EXPECT_EQ(state.ScreenCharset, 15);
        EXPECT_TRUE(FormCloseQuery(state));
    }
    {
        // The settings folder is a plain file: nothing can be written there.
        const QString blocker = dir.filePath("blocker");
        ASSERT_TRUE(test::WriteBytes(blocker, {'x'}));
        auto registry = OpenIniRegistry(blocker + "/kinloom.ini");
        ScriptedPrompts prompts;
        AppState state(*registry, prompts);
        EXPECT_FALSE(WriteFileAssociation(state, "/k"));
        FormCreate(state, {"/k", {}, 1024});
        EXPECT_EQ(state.ScreenFontSize, 16);
        EXPECT_TRUE(FormCloseQuery(state));
        EXPECT_TRUE(prompts.records().empty());
    }
}

TEST(FileCommands, ImportsOfOlderVersionsLeaveAnUntitledUnmodifiedTree) {
    Shell s;
    FormCreate(s.state, {"/k", {}, 1024});
    s.state.files.ReadV15 = [&s](AppState& state, const QString& name) {
        s.log.push_back("v15:" + name);
        state.Store.ClearMemory();
        test::AddPerson(state.Store, "Old");
        state.Store.Modified = true;
    };
    s.state.files.ReadV1 = [&s](AppState&, const QString& name) { s.log.push_back("v1:" + name); };
    s.state.CurrentFileName = "/t/current.kl3";
    s.log.clear();

    s.prompts.AnswerText(QString("/t/old.kl2"));
    Openversion1531Click(s.state);
    const auto& r = s.prompts.records().back();
    EXPECT_EQ(r.caption, "Import from version 1.5.x");
    EXPECT_EQ(r.file.filter, "Kinloom version 1.5.x (*.kl2)|*.kl2");
    EXPECT_EQ(r.file.defaultExtension, "kl");
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "v15:/t/old.kl2", "normal", "repaint"}));
    EXPECT_TRUE(s.state.CurrentFileName.isEmpty());
    EXPECT_FALSE(s.state.Store.Modified);
    EXPECT_EQ(s.state.Store.ItemCount(), 1);

    s.log.clear();
    s.prompts.AnswerText(QString("/t/older.kl"));
    Version101Click(s.state);
    EXPECT_EQ(s.prompts.records().back().caption, "Import from version 1.0");
    EXPECT_EQ(s.prompts.records().back().file.filter, "Kinloom version 1.0 (*.kl)|*.kl");
    EXPECT_EQ(s.log, (std::vector<QString>{"busy", "v1:/t/older.kl", "normal", "repaint"}));

    // The save question comes first; Cancel ends the import before its dialog.
    s.state.Store.Modified = true;
    s.log.clear();
    const size_t asked = s.prompts.records().size();
    s.prompts.AnswerButton(PromptAnswer::Cancel);
    Version101Click(s.state);
    EXPECT_EQ(s.prompts.records().size(), asked + 1);
    EXPECT_EQ(s.prompts.records().back().text, kSaveQuestion);
    EXPECT_TRUE(s.log.empty());

    // A cancelled dialog changes nothing.
    s.state.Store.Modified = false;
    s.state.CurrentFileName = "/t/keep.kl3";
    s.prompts.AnswerText(std::nullopt);
    Openversion1531Click(s.state);
    EXPECT_EQ(s.state.CurrentFileName, "/t/keep.kl3");
    EXPECT_TRUE(s.log.empty());
}

TEST(FileCommands, RealTreeFilesOpenFromTheCommandLineAndMenuAndSaveBackUnchanged) {
    QTemporaryDir dir;
    const QString original = dir.filePath("My Family.kl3");
    {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        TItemStore store(&prompts);
        TPersonItem* father = test::AddPerson(store, "Ola", "Nordmann", 100, 50);
        TPersonItem* child = test::AddPerson(store, "Kari", "Nordmann", 100, 200);
        child->Father = father;
        test::AddPerson(store, "Anne", "Hansen", 300, 50);
        ASSERT_TRUE(SavetoFile(store, original, prompts));
    }
    const std::vector<unsigned char> bytes = test::ReadBytes(original);
    ASSERT_EQ(bytes.size(), 3u * 2560u);

    // From the command line, the path split at its blank.
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    BindTreeFiles(state);
    FormCreate(state, {"/k", {dir.filePath("My"), "Family.kl3"}, 1024});
    EXPECT_EQ(state.CurrentFileName, original);
    EXPECT_EQ(state.Store.ItemCount(), 3);
    EXPECT_FALSE(state.Store.Modified);
    Save1Click(state);
    EXPECT_EQ(test::ReadBytes(original), bytes);

    // From the File menu, then saved under another name.
    New1Click(state);
    EXPECT_TRUE(state.Store.empty());
    prompts.AnswerText(original);
    Open1Click(state);
    EXPECT_EQ(state.Store.ItemCount(), 3);
    EXPECT_EQ(state.Store.FirstItem()->Next->Father, state.Store.FirstItem());
    const QString copy = dir.filePath("copy.kl3");
    prompts.AnswerText(copy);
    state.Store.Modified = true;
    SaveAs1Click(state);
    EXPECT_FALSE(state.Store.Modified);
    EXPECT_EQ(test::ReadBytes(copy), bytes);
    EXPECT_TRUE(prompts.messageTexts().empty());

    // A refused type shows the writer's message and keeps Modified.
    state.Store.Modified = true;
    prompts.AnswerText(dir.filePath("tree.ged"));
    SaveAs1Click(state);
    EXPECT_EQ(prompts.messageTexts(), std::vector<QString>{"Incorrect file type. Kinloom did not save the file."});
    EXPECT_TRUE(state.Store.Modified);
    EXPECT_FALSE(QFile::exists(dir.filePath("tree.ged")));

    // An unreadable tree on the command line leaves an empty untitled document.
    const QString broken = dir.filePath("broken.kl3");
    ASSERT_TRUE(test::WriteBytes(broken, std::vector<unsigned char>(2560 + 100, 0)));
    ScriptedPrompts prompts2;
    AppState fresh(registry, prompts2);
    BindTreeFiles(fresh);
    FormCreate(fresh, {"/k", {broken}, 1024});
    EXPECT_EQ(prompts2.messageTexts(), std::vector<QString>{"Error: Kinloom did not recognize the file"});
    EXPECT_TRUE(fresh.CurrentFileName.isEmpty());
    EXPECT_TRUE(fresh.Store.empty());
}
