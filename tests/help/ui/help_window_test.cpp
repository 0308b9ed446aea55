#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "help/tips.h"
#include "help/ui/help_window.h"
#include "help/ui/keyword_search_dialog.h"
#include "help/ui/tips_window.h"
#include "help/web_links.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "platform/shell.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

using namespace kinloom;

namespace {

struct Run {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    std::unique_ptr<KinloomWindows> windows;
    Run() {
        qputenv("KINLOOM_MANUAL_DIR", KINLOOM_MANUAL_BUILD_DIR);
        windows = createWindows(registry, prompts, QStringLiteral("/opt/k/kinloom"), {});
    }
    MainWindow& main() { return *windows->main; }
    QString shownPage() const { return windows->help->browser()->source().fileName(); }
};

}  // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void everyHelpEntryOpensItsPage();
    void keywordSearchFiltersAsYouTypeAndOpensTheTopic();
    void webAddressesOpenInTheBrowserOrSaySoWhenNoneIsFound();
    void tipsAreBrowsedAndCanBeSwitchedOff();
    void menuReferenceNamesEveryMenuEntry();
};

void HelpWindowTest::everyHelpEntryOpensItsPage() {
    Run r;
    struct Entry {
        QAction* action;
        QString page;
        QString title;
    };
    const Entry entries[] = {
        {r.main().commands().action(CommandId::Contents), "index.html", "Kinloom user manual"},
        {r.main().commands().action(CommandId::WhatsNew), "whats-new.html", "What's new"},
        {r.main().commands().action(CommandId::GettingStarted), "getting-started.html", "Getting started"},
    };
    for (const Entry& e : entries) {
        QVERIFY(e.action->isEnabled());
        e.action->trigger();
        QVERIFY(r.windows->help->isVisible());
        QCOMPARE(r.shownPage(), e.page);
        QCOMPARE(r.windows->help->browser()->documentTitle(), e.title);
    }
    // The toolbar's Help button opens the contents too.
    r.windows->help->hide();
    r.main().commands().action(CommandId::WhatsNew)->trigger();
    r.main().commands().toolbarButton(CommandId::Contents)->trigger();
    QCOMPARE(r.shownPage(), QString("index.html"));
    // A link inside the manual is followed within the window.
    r.windows->help->showTopic("index.html");
    QTextBrowser* browser = r.windows->help->browser();
    browser->setSource(browser->source().resolved(QUrl("menus.html#link")));
    QCOMPARE(r.shownPage(), QString("menus.html"));
    QCOMPARE(browser->source().fragment(), QString("link"));
    QVERIFY(r.windows->help->browser()->toPlainText().contains("Link to Father (F)"));
}

void HelpWindowTest::keywordSearchFiltersAsYouTypeAndOpensTheTopic() {
    Run r;
    r.main().commands().action(CommandId::KeywordSearch)->trigger();
    KeywordSearchDialog* search = r.windows->keywordSearch;
    QVERIFY(search->isVisible());
    const int all = search->list()->count();
    QVERIFY(all > 40);
    // The label's "&" is its mnemonic, not a letter: Alt+T moves to the filter.
    QLabel* label = search->findChild<QLabel*>();
    QVERIFY(label);
    QCOMPARE(label->text(), QString("&Type the words you are looking for:"));
    QCOMPARE(label->buddy(), search->filterBox());
    QVERIFY(QTest::qWaitForWindowActive(search));
    search->list()->setFocus();
    QTest::keyClick(search, Qt::Key_T, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), search->filterBox());
    QTest::keyClicks(search->filterBox(), "spouse");
    QStringList shown;
    for (int i = 0; i < search->list()->count(); ++i) shown << search->list()->item(i)->text();
    QCOMPARE(shown, QStringList({"Delete Link to Spouse", "Link to Spouse", "Spouses"}));
    search->list()->setCurrentRow(1);
    QTest::keyClick(search->list(), Qt::Key_Return);
    QVERIFY(!search->isVisible());
    QCOMPARE(r.shownPage(), QString("menus.html"));
    QCOMPARE(r.windows->help->browser()->source().fragment(), QString("link"));
    // Opening it again starts with the whole index.
    r.main().commands().action(CommandId::KeywordSearch)->trigger();
    QCOMPARE(search->filterBox()->text(), QString());
    QCOMPARE(search->list()->count(), all);
}

void HelpWindowTest::webAddressesOpenInTheBrowserOrSaySoWhenNoneIsFound() {
    Run r;
    QStringList opened;
    bool browserFound = true;
    setShellOpener([&](const QString& address) {
        opened << address;
        return browserFound;
    });
    r.main().commands().action(CommandId::HomePage)->trigger();
    r.main().commands().action(CommandId::DiscussionForum)->trigger();
    QCOMPARE(opened, QStringList({kHomePageAddress, kDiscussionForumAddress}));
    QVERIFY(r.prompts.records().empty());
    browserFound = false;
    r.main().commands().action(CommandId::HomePage)->trigger();
    QCOMPARE(int(r.prompts.records().size()), 1);
    QCOMPARE(r.prompts.records()[0].text, QString("Kinloom could not find your default internet browser."));
    setShellOpener({});
}

void HelpWindowTest::tipsAreBrowsedAndCanBeSwitchedOff() {
    Run r;
    TipsWindow* tips = r.windows->tips;
    tips->showAtStartup();
    QVERIFY(tips->isVisible());
    QCOMPARE(tips->tipLabel()->text(), tipsOfTheDay().at(0));
    QVERIFY(tips->showAtStartupBox()->isChecked());
    QTest::mouseClick(tips->findChild<QPushButton*>("nextButton"), Qt::LeftButton);
    QTest::mouseClick(tips->findChild<QPushButton*>("nextButton"), Qt::LeftButton);
    QCOMPARE(tips->tipLabel()->text(), tipsOfTheDay().at(2));
    QTest::mouseClick(tips->findChild<QPushButton*>("previousButton"), Qt::LeftButton);
    QCOMPARE(tips->currentTip(), 1);
    tips->showAtStartupBox()->setChecked(false);
    QTest::mouseClick(tips->findChild<QPushButton*>("closeButton"), Qt::LeftButton);
    QVERIFY(!tips->isVisible());
    // Switched off: no tip at the next start, and the one after the last seen comes next.
    QCOMPARE(r.registry.readString(kSettingsKey, kShowTipsValue, {}), QString("No"));
    Run next;
    next.registry.writeString(kSettingsKey, kShowTipsValue, "No");
    next.windows->tips->showAtStartup();
    QVERIFY(!next.windows->tips->isVisible());
    QCOMPARE(readTipSettings(r.registry).next, 2);
    // Previous from the first tip goes round to the last.
    next.windows->tips->showNextTip();
    next.windows->tips->previous();
    QCOMPARE(next.windows->tips->currentTip(), int(tipsOfTheDay().size()) - 1);
}

// Every entry of the menu bar's menus, as its caption reads without "&", "..." and trailing
// blanks, appears in the manual's menu reference, the fixed zoom steps under their range.
void HelpWindowTest::menuReferenceNamesEveryMenuEntry() {
    Run r;
    QFile page(QDir(KINLOOM_MANUAL_BUILD_DIR).filePath("menus.html"));
    QVERIFY(page.open(QIODevice::ReadOnly));
    QTextDocument reference;
    reference.setHtml(QString::fromUtf8(page.readAll()));
    const QString text = reference.toPlainText();
    QVERIFY(text.contains("200% … 1%"));
    static const QRegularExpression zoomStep(QStringLiteral("^[0-9]+%$"));
    QStringList missing;
    int checked = 0;
    for (const QAction* top : r.main().menuBar()->actions()) {
        for (const QAction* entry : top->menu()->actions()) {
            if (entry->isSeparator() || !entry->isVisible()) continue;
            QString caption = entry->text().remove('&').trimmed();
            if (caption.endsWith("...")) caption.chop(3);
            if (zoomStep.match(caption).hasMatch()) continue;
            ++checked;
            if (!text.contains(caption)) missing << top->text().remove('&') + " › " + caption;
        }
    }
    QVERIFY(checked > 50);
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
}

QTEST_MAIN(HelpWindowTest)
#include "help_window_test.moc"

