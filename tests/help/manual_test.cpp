#include "help/manual.h"
#include "help/tips.h"
#include "platform/registry.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace kinloom;

namespace {

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The ids a page declares as link targets.
std::set<QString> anchorsOf(const QString& html) {
    std::set<QString> ids;
    static const QRegularExpression id(QStringLiteral(R"re((?:id|name)="([^"]+)")re"));
    for (const auto& m : id.globalMatch(html)) ids.insert(m.captured(1));
    return ids;
}

// Empty when `target` ("page.html#anchor", relative to the manual) names a page and an anchor
// that exist; otherwise what is missing.
QString checkTarget(const QDir& manual, const QString& target) {
    const qsizetype hash = target.indexOf(QLatin1Char('#'));
    const QString file = hash < 0 ? target : target.left(hash);
    if (!QFile::exists(manual.filePath(file))) return QStringLiteral("no file ") + file;
    if (hash < 0 || !file.endsWith(QLatin1String(".html"))) return {};
    const QString anchor = target.mid(hash + 1);
    return anchorsOf(readText(manual.filePath(file))).count(anchor) ? QString() : QStringLiteral("no anchor ") + target;
}

}  // namespace

TEST(Manual, EveryLinkAndKeywordResolvesAndEveryPageIsReachable) {
    const QDir manual(QStringLiteral(KINLOOM_MANUAL_BUILD_DIR));
    ASSERT_TRUE(manual.exists(kManualContentsPage));
    static const QRegularExpression link(QStringLiteral(R"re((?:href|src)="([^"]+)")re"));
    std::set<QString> linked{kManualContentsPage};
    int links = 0;
    const QStringList pages = manual.entryList({QStringLiteral("*.html")}, QDir::Files);
    for (const QString& page : pages) {
        for (const auto& m : link.globalMatch(readText(manual.filePath(page)))) {
            QString target = m.captured(1);
            if (target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("mailto:"))) continue;
            if (target.startsWith(QLatin1Char('#'))) target = page + target;
            ++links;
            EXPECT_EQ(checkTarget(manual, target), QString()) << page.toStdString() << " links to " << target.toStdString();
            const qsizetype hash = target.indexOf(QLatin1Char('#'));
            linked.insert(hash < 0 ? target : target.left(hash));
        }
    }
    EXPECT_GT(links, 50);  // the walk really found the pages' links
    for (const QString& page : pages) EXPECT_TRUE(linked.count(page)) << page.toStdString() << " is not linked";
    for (const QString& required : {kWhatsNewPage, kGettingStartedPage})
        EXPECT_TRUE(manual.exists(required)) << required.toStdString();

    const std::vector<ManualKeyword> keywords = readManualKeywords(manual.path());
    EXPECT_GT(keywords.size(), 40u);
    for (const ManualKeyword& k : keywords)
        EXPECT_EQ(checkTarget(manual, k.target), QString()) << k.keyword.toStdString();
}

// What the pages say where a user looks for it (line breaks read as blanks), and no longer claim what the program does not do.
TEST(Manual, PagesDescribeUndoAndRecentTreesAndNoFalseClaims) {
    const QDir manual(QStringLiteral(KINLOOM_MANUAL_BUILD_DIR));
    struct Case {
        const char* page;
        const char* text;
        bool present;
    };
    const Case cases[] = {
        {"canvas.html", "<h2 id=\"undo\">Undo and Redo</h2>", true},
        {"canvas.html", "<b>Ctrl+Z</b>", true},
        {"files.html", "<p id=\"recent\"><i>File › Open Recent</i>", true},
        {"menus.html", "Zoom (Zoom to Item, Zoom In, Zoom Out, Zoom to Area, Fit Whole Tree, Fit Selection)", true},
        {"printing.html", "Places are not printed.", true},
        {"printing.html", "the places", false},  // the boxes show names and dates only
        {"cli.html", "it never leaves a half-written output file", false},
        {"cli.html", "takes the place of the old one only when it is complete", true},
    };
    for (const Case& c : cases) {
        const QString html = readText(manual.filePath(QString::fromLatin1(c.page))).simplified();
        ASSERT_FALSE(html.isEmpty()) << c.page;
        EXPECT_EQ(html.contains(QString::fromUtf8(c.text)), c.present) << c.page << ": " << c.text;
    }
    std::set<QString> keywords;
    for (const ManualKeyword& k : readManualKeywords(manual.path())) keywords.insert(k.keyword + "|" + k.target);
    for (const char* k : {"Undo|canvas.html#undo", "Redo|canvas.html#undo", "Open Recent|files.html#recent",
                          "Fit Selection|menus.html#zoom"})
        EXPECT_TRUE(keywords.count(QString::fromLatin1(k))) << k;
}

TEST(Manual, KeywordFilterMatchesEveryTypedWordIgnoringCase) {
    const std::vector<ManualKeyword> index{{"Link to Father", "a.html"}, {"Delete Link to Father", "a.html"},
                                           {"Link to Spouse", "b.html"}, {"Zoom to Area", "c.html"}};
    struct Case {
        const char* typed;
        std::vector<QString> expected;
    };
    const Case cases[] = {
        {"spouse", {"Link to Spouse"}},
        {"FATHER link", {"Link to Father", "Delete Link to Father"}},
        {"  ", {"Link to Father", "Delete Link to Father", "Link to Spouse", "Zoom to Area"}},
        {"area zoom", {"Zoom to Area"}},
        {"mother", {}},
    };
    for (const Case& c : cases) {
        std::vector<QString> found;
        for (const ManualKeyword& k : filterManualKeywords(index, QString::fromUtf8(c.typed))) found.push_back(k.keyword);
        EXPECT_EQ(found, c.expected) << c.typed;
    }
}

TEST(Manual, FoundBesideTheProgramOrUnderTheInstallPrefix) {
    QTemporaryDir root;
    const QDir dir(root.path());
    qunsetenv("KINLOOM_MANUAL_DIR");
    ASSERT_TRUE(dir.mkpath(QStringLiteral("bin")) && dir.mkpath(QStringLiteral("share/kinloom/manual")));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    EXPECT_EQ(findManualFolder(bin), QString());  // the folder alone is not a manual
    QFile installed(dir.filePath(QStringLiteral("share/kinloom/manual/index.html")));
    ASSERT_TRUE(installed.open(QIODevice::WriteOnly));
    installed.close();
    EXPECT_EQ(findManualFolder(bin), dir.filePath(QStringLiteral("share/kinloom/manual")));
    // The build tree's copy beside the program comes first.
    ASSERT_TRUE(dir.mkpath(QStringLiteral("bin/manual")));
    QFile beside(dir.filePath(QStringLiteral("bin/manual/index.html")));
    ASSERT_TRUE(beside.open(QIODevice::WriteOnly));
    beside.close();
    EXPECT_EQ(findManualFolder(bin), dir.filePath(QStringLiteral("bin/manual")));
}

TEST(Tips, SettingsDefaultToShowingTheFirstTipAndKeepTheNextOne) {
    MemoryRegistry registry;
    TipSettings s = readTipSettings(registry);
    EXPECT_TRUE(s.showAtStartup);
    EXPECT_EQ(s.next, 0);
    writeTipSettings(registry, {false, 3});
    EXPECT_EQ(registry.readString(kSettingsKey, kShowTipsValue, {}), QStringLiteral("No"));
    EXPECT_EQ(registry.readString(kSettingsKey, kNextTipValue, {}), QStringLiteral("3"));
    s = readTipSettings(registry);
    EXPECT_FALSE(s.showAtStartup);
    EXPECT_EQ(s.next, 3);
    // A number beyond the list wraps round; anything else starts again at the first tip.
    const int count = static_cast<int>(tipsOfTheDay().size());
    registry.writeString(kSettingsKey, kNextTipValue, QString::number(count + 2));
    EXPECT_EQ(readTipSettings(registry).next, 2);
    for (const char* bad : {"-1", "two", ""}) {
        registry.writeString(kSettingsKey, kNextTipValue, QString::fromLatin1(bad));
        EXPECT_EQ(readTipSettings(registry).next, 0) << bad;
    }
}
