#include "app/app_state.h"
#include "gedcom/options.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

TEST(ProgramOptions, DefaultsYesCountsOnlyExactlyAndWritesAllFour) {
    MemoryRegistry registry;
    ProgramOptions o = ReadProgramOptions(registry);
    EXPECT_TRUE(o.DateStandardization);
    EXPECT_TRUE(o.ShowNameHints);
    EXPECT_FALSE(o.QualityCheckOnOpen);
    EXPECT_FALSE(o.QualityCheckOnSave);

    registry.WriteString(kSettingsKey, "Date_Standardization", "yes");
    registry.WriteString(kSettingsKey, "Show_Name_Hints", "");
    registry.WriteString(kSettingsKey, "quality_check_on_open", "Yes");
    o = ReadProgramOptions(registry);
    EXPECT_FALSE(o.DateStandardization);  // "yes" is off
    EXPECT_TRUE(o.ShowNameHints);         // empty takes the default
    EXPECT_TRUE(o.QualityCheckOnOpen);

    QTemporaryDir dir;
    {
        auto ini = OpenIniRegistry(dir.filePath("k.ini"));
        WriteProgramOptions(*ini, o);
    }
    auto ini = OpenIniRegistry(dir.filePath("k.ini"));
    EXPECT_EQ(ini->ReadString(kSettingsKey, "Date_Standardization", ""), "No");
    EXPECT_EQ(ini->ReadString(kSettingsKey, "Show_Name_Hints", ""), "Yes");
    EXPECT_EQ(ini->ReadString(kSettingsKey, "quality_check_on_open", ""), "Yes");
    EXPECT_EQ(ini->ReadString(kSettingsKey, "quality_check_on_save", ""), "No");
}

TEST(ProgramOptions, TreeFontChoiceAndCharsetChange) {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    prompts.AnswerFont(std::nullopt);
    EXPECT_FALSE(ChooseTreeFont(state));
    EXPECT_EQ(state.ScreenFontName, "Times New Roman");
    QFont f("DejaVu Sans");
    f.setPointSize(20);
    prompts.AnswerFont(f);
    EXPECT_TRUE(ChooseTreeFont(state));
    EXPECT_EQ(state.ScreenFontName, "DejaVu Sans");
    EXPECT_EQ(state.ScreenFontSize, 20);

    int changes = 0;
    state.hooks.CharsetChanged = [&] { ++changes; };
    ApplyCharset(state, 5);  // Cyrillic
    EXPECT_EQ(state.ScreenCharset, 5);
    EXPECT_EQ(state.Charset.decode("\xC0"), QString::fromUtf8("А"));
    ApplyCharset(state, 0);
    EXPECT_EQ(state.ScreenCharset, 0);
    EXPECT_EQ(DisplayCharset::FontCharsetOf(0), 0);
    EXPECT_EQ(changes, 2);
}
