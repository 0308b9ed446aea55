#include "platform/charsets.h"

#include <gtest/gtest.h>

using namespace kinloom;

TEST(DisplayCharset, EntriesAndFontCharsets) {
    const QStringList names = DisplayCharset::entryNames();
    ASSERT_EQ(names.size(), 19);
    EXPECT_EQ(names[0], "ANSI");
    EXPECT_EQ(names[1], "Arabic characters ");
    EXPECT_EQ(names[14], "System Default");
    EXPECT_EQ(names[18], "Vietnamese characters ");
    EXPECT_EQ(DisplayCharset::fontCharsetOf(15), 1);
    EXPECT_EQ(DisplayCharset::fontCharsetOf(5), 204);
    EXPECT_EQ(DisplayCharset::fontCharsetOf(0), 0);
    EXPECT_EQ(DisplayCharset::fontCharsetOf(20), 0);
}

TEST(DisplayCharset, SystemDefaultReadsUtf8AndOldWindowsBytes) {
    const DisplayCharset sys;
    EXPECT_EQ(sys.decode("J\xc3\xb8rgen"), QString::fromUtf8("Jørgen"));
    EXPECT_EQ(sys.decode("J\xf8rgen"), QString::fromUtf8("Jørgen"));  // Windows-1252
    EXPECT_EQ(sys.encode(QString::fromUtf8("Jørgen"), 100), "J\xc3\xb8rgen");
    // A cut never splits the two bytes of ø.
    EXPECT_EQ(sys.encode(QString::fromUtf8("Jø"), 2), "J");
    EXPECT_EQ(decodeUtf8OrWindows1252("\x80"), QString::fromUtf8("€"));
}

TEST(DisplayCharset, CodePagesEncodeAndReplaceWhatTheyCannotHold) {
    const DisplayCharset cyrillic(5);
    EXPECT_EQ(cyrillic.decode("\xc8\xe2\xe0\xed"), QString::fromUtf8("Иван"));
    EXPECT_EQ(cyrillic.encode(QString::fromUtf8("Иван ø"), 100), "\xc8\xe2\xe0\xed ?");
    const DisplayCharset sjis(8);
    EXPECT_EQ(sjis.encode(QString::fromUtf8("日本"), 3), "\x93\xfa");  // two bytes each, no half
    EXPECT_EQ(sjis.decode("\x93\xfa\x96\x7b"), QString::fromUtf8("日本"));
    const DisplayCharset outOfRange(42);  // behaves as ANSI
    EXPECT_EQ(outOfRange.decode("\xe9"), QString::fromUtf8("é"));
}
