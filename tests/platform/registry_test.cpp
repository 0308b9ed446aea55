#include "platform/registry.h"
#include "support/test_support.h"

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

TEST(Registry, ACorruptIniFileIsRewrittenAndItsWritesSucceed) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kinloom.ini");
    ASSERT_TRUE(test::WriteBytes(path, {'[', 0xFF, 0x00, '\n', '=', '=', '\n', 'S', 'c', 'r', 0xC3}));
    {
        auto reg = OpenIniRegistry(path);
        EXPECT_EQ(reg->ReadString(kSettingsKey, "ScreenFontSize", "16"), "16");
        EXPECT_TRUE(reg->WriteString(".kl3", "", "kinloom2_file"));
        EXPECT_TRUE(reg->WriteString("kinloom2_file", "", "Kinloom 2.0 Family Tree"));
    }
    auto reg = OpenIniRegistry(path);
    EXPECT_EQ(reg->ReadString(".kl3", "", ""), "kinloom2_file");
    EXPECT_EQ(reg->ReadString("kinloom2_file", "", ""), "Kinloom 2.0 Family Tree");
}
