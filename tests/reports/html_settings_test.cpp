#include "../layout/random_family.h"
#include "platform/registry.h"
#include "reports/family_index.h"
#include "reports/html_settings.h"
#include "reports/page_encoder.h"

#include <gtest/gtest.h>

using namespace kinloom;

TEST(HtmlSettings, ColoursEstimatesAndCharsetLabels) {
    EXPECT_EQ(colorToHtml(255), QStringLiteral("#FF0000"));
    EXPECT_EQ(colorToHtml(128), QStringLiteral("#800000"));
    EXPECT_EQ(colorToHtml(15794175), QStringLiteral("#FFFFF0"));
    EXPECT_EQ(colorToHtml(8388608), QStringLiteral("#000080"));
    EXPECT_EQ(colorToHtml(0x12ABCDEF), QStringLiteral("#EFCDAB"));  // only the last six digits count

    EXPECT_EQ(sizeEstimateText(10), QStringLiteral("Approxiomately 32.2KB"));
    EXPECT_EQ(sizeEstimateText(2000), QStringLiteral("Approxiomately 6.3MB"));
    EXPECT_EQ(sizeEstimateText(0), QStringLiteral("Approxiomately 0.0KB"));
    EXPECT_EQ(sizeEstimateText(400000), QStringLiteral("Approxiomately 1,258.5MB"));

    EXPECT_EQ(charsetLabel(QStringLiteral("English (en): iso-8859-1")), QStringLiteral("iso-8859-1"));
    EXPECT_EQ(charsetLabel(QStringLiteral("  utf-8 ")), QStringLiteral("utf-8"));
    EXPECT_EQ(charsetLabel(QStringLiteral("a: b: c")), QStringLiteral("b: c"));
    EXPECT_EQ(charsetLabel(QStringLiteral("x:") + QString(60, QLatin1Char('y'))), QString(50, QLatin1Char('y')));
    const QStringList entries = htmlCharsetEntries();
    EXPECT_EQ(entries.size(), 46);
    EXPECT_TRUE(entries.contains(kDefaultHtmlCharset));
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end()));

    EXPECT_EQ(htmlEscape(QStringLiteral("Tom & \"Jerry\" <script>")),
              QStringLiteral("Tom &amp; &quot;Jerry&quot; &lt;script&gt;"));
}

TEST(HtmlSettings, StoredUnderTheirKeysWithDefaults) {
    MemoryRegistry registry;
    const HtmlReportSettings defaults = HtmlReportSettings::load(registry);
    EXPECT_EQ(defaults.backgroundColor, 15794175u);
    EXPECT_EQ(defaults.hyperlinkColor, 8388608u);
    EXPECT_EQ(defaults.linksHeaderTextColor, 16777215u);
    EXPECT_TRUE(defaults.useFrames && defaults.useSiblings);
    EXPECT_EQ(defaults.charset, QStringLiteral("English (en): iso-8859-1"));
    EXPECT_EQ(defaults.box.fontName, QStringLiteral("Small Fonts"));
    EXPECT_EQ(defaults.box.fontSize, 7);

    HtmlReportSettings s = defaults;
    s.textColor = 255;
    s.useSiblings = false;
    s.backgroundImage = QStringLiteral("/pics/paper.jpg");
    s.box.bold = true;
    s.box.fontSize = 9;
    ASSERT_TRUE(s.save(registry));
    const QString k = QStringLiteral("Software\\Kinloom.2.0\\Html_report");
    EXPECT_EQ(registry.readString(k, QStringLiteral("Text_color"), {}), QStringLiteral("255"));
    EXPECT_EQ(registry.readString(k, QStringLiteral("Use_siblings"), {}), QStringLiteral("No"));
    EXPECT_EQ(registry.readString(k, QStringLiteral("Background_image_url"), {}), QStringLiteral("/pics/paper.jpg"));
    EXPECT_EQ(registry.readString(k + QStringLiteral("\\Item"), QStringLiteral("Font_bold"), {}), QStringLiteral("Yes"));
    EXPECT_EQ(registry.readString(k + QStringLiteral("\\Item"), QStringLiteral("Font_size"), {}), QStringLiteral("9"));
    const HtmlReportSettings back = HtmlReportSettings::load(registry);
    EXPECT_EQ(back.textColor, 255u);
    EXPECT_FALSE(back.useSiblings);
    EXPECT_TRUE(back.box.bold);

    // The newer picture value wins over the older one; "yes" is not "Yes".
    registry.writeString(k, QStringLiteral("background_image"), QStringLiteral("old.gif"));
    registry.writeString(k, QStringLiteral("Background_image_url"), QStringLiteral("new.gif"));
    registry.writeString(k, QStringLiteral("Use_frames"), QStringLiteral("yes"));
    registry.writeString(k, QStringLiteral("Text_color"), QStringLiteral("blue"));
    const HtmlReportSettings odd = HtmlReportSettings::load(registry);
    EXPECT_EQ(odd.backgroundImage, QStringLiteral("new.gif"));
    EXPECT_FALSE(odd.useFrames);
    EXPECT_EQ(odd.textColor, 0u);
}

// The index gives exactly the lists of a walk over the whole store.
TEST(FamilyIndex, SameListsAsAWalkOverTheStore) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        ItemStore store;
        test::fillRandomFamily(store, seed);
        const FamilyIndex index(store);
        for (const PersonItem* p = store.firstItem(); p; p = p->Next) {
            std::vector<const PersonItem*> children, siblings;
            for (const PersonItem* q = store.firstItem(); q; q = q->Next) {
                if (q->Father == p || q->Mother == p) children.push_back(q);
                if (q != p && !q->isAlias() && ((p->Father && q->Father == p->Father) || (p->Mother && q->Mother == p->Mother)))
                    siblings.push_back(q);
            }
            ASSERT_EQ(index.childrenOf(p), children) << "seed " << seed << " item " << p->Id;
            ASSERT_EQ(index.siblingsOf(*p), siblings) << "seed " << seed << " item " << p->Id;
        }
    }
}
