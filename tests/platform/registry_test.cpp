#include "platform/registry.h"
#include "support/test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace kinloom;

TEST(Registry, IniFileKeepsValuesAndDefaultsApplyToMissingOrEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kinloom.ini");
    {
        auto reg = openIniRegistry(path);
        EXPECT_EQ(reg->readString(kSettingsKey, "ScreenFontName", "Times New Roman"), "Times New Roman");
        EXPECT_TRUE(reg->writeString(kSettingsKey, "ScreenFontSize", "12"));
        EXPECT_TRUE(reg->writeString("kinloom2_file\\shell\\open\\command", "", "\"/x/kinloom\" %1"));
        EXPECT_TRUE(reg->writeString(kSettingsKey, "Empty", ""));
        EXPECT_TRUE(reg->writeString(kSettingsKey, "Date_Standardization", "yes"));
    }
    auto reg = openIniRegistry(path);
    EXPECT_EQ(reg->readString(kSettingsKey, "ScreenFontSize", "16"), "12");
    EXPECT_EQ(reg->readString("kinloom2_file\\shell\\open\\command", "", "x"), "\"/x/kinloom\" %1");
    EXPECT_EQ(reg->readString(kSettingsKey, "Empty", "dflt"), "dflt");
    EXPECT_FALSE(reg->readYesNo(kSettingsKey, "Date_Standardization", true));  // only "Yes" is on
    EXPECT_TRUE(reg->readYesNo(kSettingsKey, "Show_Name_Hints", true));
}

TEST(Registry, ACorruptIniFileIsRewrittenAndItsWritesSucceed) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kinloom.ini");
    ASSERT_TRUE(test::writeBytes(path, {'[', 0xFF, 0x00, '\n', '=', '=', '\n', 'S', 'c', 'r', 0xC3}));
    {
        auto reg = openIniRegistry(path);
        EXPECT_EQ(reg->readString(kSettingsKey, "ScreenFontSize", "16"), "16");
        EXPECT_TRUE(reg->writeString(".kl3", "", "kinloom2_file"));
        EXPECT_TRUE(reg->writeString("kinloom2_file", "", "Kinloom 2.0 Family Tree"));
    }
    auto reg = openIniRegistry(path);
    EXPECT_EQ(reg->readString(".kl3", "", ""), "kinloom2_file");
    EXPECT_EQ(reg->readString("kinloom2_file", "", ""), "Kinloom 2.0 Family Tree");
}
