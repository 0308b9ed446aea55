#include "app/program_options.h"
#include "app/app_state.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

TEST(ProgramOptions, DefaultsYesCountsOnlyExactlyAndWritesAllFour) {
    MemoryRegistry registry;
    ProgramOptions o = readProgramOptions(registry);
    EXPECT_TRUE(o.dateStandardization);
    EXPECT_TRUE(o.showNameHints);
    EXPECT_FALSE(o.qualityCheckOnOpen);
    EXPECT_FALSE(o.qualityCheckOnSave);

    registry.writeString(kSettingsKey, "Date_Standardization", "yes");
    registry.writeString(kSettingsKey, "Show_Name_Hints", "");
    registry.writeString(kSettingsKey, "quality_check_on_open", "Yes");
    o = readProgramOptions(registry);
    EXPECT_FALSE(o.dateStandardization);  // "yes" is off
    EXPECT_TRUE(o.showNameHints);         // empty takes the default
    EXPECT_TRUE(o.qualityCheckOnOpen);

    QTemporaryDir dir;
    {
        auto ini = openIniRegistry(dir.filePath("k.ini"));
        writeProgramOptions(*ini, o);
    }
    auto ini = openIniRegistry(dir.filePath("k.ini"));
    EXPECT_EQ(ini->readString(kSettingsKey, "Date_Standardization", ""), "No");
    EXPECT_EQ(ini->readString(kSettingsKey, "Show_Name_Hints", ""), "Yes");
    EXPECT_EQ(ini->readString(kSettingsKey, "quality_check_on_open", ""), "Yes");
    EXPECT_EQ(ini->readString(kSettingsKey, "quality_check_on_save", ""), "No");
}

TEST(ProgramOptions, TreeFontChoiceAndCharsetChange) {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    prompts.answerFont(std::nullopt);
    EXPECT_FALSE(chooseTreeFont(state));
    EXPECT_EQ(state.screenFontName, "Times New Roman");
    QFont f("DejaVu Sans");
    f.setPointSize(20);
    prompts.answerFont(f);
    EXPECT_TRUE(chooseTreeFont(state));
    EXPECT_EQ(state.screenFontName, "DejaVu Sans");
    EXPECT_EQ(state.screenFontSize, 20);

    int changes = 0;
    state.hooks.charsetChanged = [&] { ++changes; };
    applyCharset(state, 5);  // Cyrillic
    EXPECT_EQ(state.screenCharset, 5);
    EXPECT_EQ(state.charset.decode("\xC0"), QString::fromUtf8("А"));
    applyCharset(state, 0);
    EXPECT_EQ(state.screenCharset, 0);
    EXPECT_EQ(DisplayCharset::fontCharsetOf(0), 0);
    EXPECT_EQ(changes, 2);
}
