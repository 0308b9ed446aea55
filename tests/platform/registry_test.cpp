#include "platform/registry.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

TEST(Registry, IniFileKeepsValuesAndDefaultsApplyToMissingOrEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kinloom.ini");
    {
        auto reg = OpenIniRegistry(path);
        EXPECT_EQ(reg->ReadString(kSettingsKey, "ScreenFontName", "Times New Roman"), "Times New Roman");
        EXPECT_TRUE(reg->WriteString(kSettingsKey, "ScreenFontSize", "12"));
        EXPECT_TRUE(reg->WriteString("kinloom2_file\\shell\\open\\command", "", "\"/x/kinloom\" %1"));
        EXPECT_TRUE(reg->WriteString(kSettingsKey, "Empty", ""));
        EXPECT_TRUE(reg->WriteString(kSettingsKey, "Date_Standardization", "yes"));
    }
    auto reg = OpenIniRegistry(path);
    EXPECT_EQ(reg->ReadString(kSettingsKey, "ScreenFontSize", "16"), "12");
    EXPECT_EQ(reg->ReadString("kinloom2_file\\shell\\open\\command", "", "x"), "\"/x/kinloom\" %1");
    EXPECT_EQ(reg->ReadString(kSettingsKey, "Empty", "dflt"), "dflt");
    EXPECT_FALSE(reg->ReadYesNo(kSettingsKey, "Date_Standardization", true));  // only "Yes" is on
    EXPECT_TRUE(reg->ReadYesNo(kSettingsKey, "Show_Name_Hints", true));
}
