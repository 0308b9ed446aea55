#include "../html_family_fixture.h"
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/html_report_wiring.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "reports/html_report.h"
#include "reports/ui/background_dialog.h"
#include "reports/ui/html_report_dialog.h"
#include "reports/ui/presentation_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace kinloom;

class HtmlReportDialogTest : public QObject {
    Q_OBJECT
private slots:
    void controlsSettingsAndEstimate();
    void generateWritesTheSiteAfterTheQualityCheck();
    void aFailedWriteIsReported();
    void completionAndBackgroundDialogs();
    void menuEntryTellsAboutAnEmptyTree();
};

void HtmlReportDialogTest::controlsSettingsAndEstimate() {
    MemoryRegistry registry;
    registry.writeString(kHtmlReportKey, "Use_frames", "No");
    ScriptedPrompts prompts;
    ItemStore store;
    HtmlReportHooks hooks;
    hooks.personCount = [] { return 10; };
    HtmlReportDialog dlg(store, registry, prompts, nullptr, hooks);
    QCOMPARE(dlg.windowTitle(), QString("Create HTML Presentation"));
    QCOMPARE(dlg.pages->count(), 3);
    QCOMPARE(dlg.pages->tabText(0), QString("Generate HTML"));
    QCOMPARE(dlg.pages->tabText(1), QString("Content"));
    QCOMPARE(dlg.pages->tabText(2), QString("Visual design"));
    QCOMPARE(dlg.generateButton->text(), QString("&Generate!"));
    QVERIFY(dlg.generateButton->isDefault());
    QCOMPARE(dlg.charsetBox->count(), 46);
    QCOMPARE(dlg.charsetBox->currentText(), QString("English (en): iso-8859-1"));
    QVERIFY(!dlg.framesBox->isChecked());
    QVERIFY(dlg.siblingsBox->isChecked());
    dlg.show();
    QCOMPARE(dlg.sizeLabel->text(), QString("Approxiomately 32.2KB"));
    QVERIFY(!dlg.qualityCheckButton->isEnabled());  // no check given

    // Choices are stored when the dialog closes.
    dlg.charsetBox->setCurrentText("Unicode: utf-8");
    dlg.siblingsBox->setChecked(false);
    prompts.answerColor(QColor(255, 0, 0));
    dlg.chooseTextColor(0);
    dlg.reject();
    QCOMPARE(registry.readString(kHtmlReportKey, "Charset", {}), QString("Unicode: utf-8"));
    QCOMPARE(registry.readString(kHtmlReportKey, "Use_siblings", {}), QString("No"));
    QCOMPARE(registry.readString(kHtmlReportKey, "Text_color", {}), QString("255"));
    QCOMPARE(registry.readString(kHtmlReportItemKey, "Font_name", {}), QString("Small Fonts"));
}

void HtmlReportDialogTest::generateWritesTheSiteAfterTheQualityCheck() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    ItemStore store;
    QTemporaryDir tree, out;
    kinloom::test::buildHtmlFamily(store, QDir(tree.path()));
    int problems = 2, shown = 0, saved = 0;
    QString completedIn;
    HtmlReportHooks hooks;
    hooks.qualityCheck = [&problems] { return problems; };
    hooks.showQualityCheck = [&shown] { ++shown; };
    hooks.saveTree = [&saved] { ++saved; };
    hooks.treeFolder = [&tree] { return tree.path(); };
    hooks.showCompleted = [&completedIn](const QString& folder) { completedIn = folder; };
    HtmlReportDialog dlg(store, registry, prompts, nullptr, hooks);
    dlg.show();
    dlg.setOutputFolder(out.path());
    QCOMPARE(dlg.outputFolder(), out.path());
    QVERIFY(dlg.qualityCheckButton->isEnabled());

    // Problems found: OK shows the details and stops.
    prompts.answerButton(PromptAnswer::Ok);
    dlg.generateButton->click();
    QCOMPARE(prompts.records().back().text, QString("Quality check failed. Press OK to see the details"));
    QCOMPARE(prompts.records().back().buttons, PromptButtons::OkIgnore);
    QCOMPARE(dlg.processLabel->text(), QString("Quality Check Result: 2 error(s)"));
    QCOMPARE(shown, 1);
    QVERIFY(!QFile::exists(QDir(out.path()).filePath("index.html")));

    // Ignore goes on: the tree is saved, the pages are written, the completion is shown.
    prompts.answerButton(PromptAnswer::Ignore);
    dlg.generateButton->click();
    QCOMPARE(saved, 1);
    QCOMPARE(completedIn, out.path());
    QCOMPARE(dlg.processLabel->text(), QString("Done."));
    QCOMPARE(dlg.progressBar->value(), 16);
    QVERIFY(QFile::exists(QDir(out.path()).filePath("left.html")));
    QVERIFY(QFile::exists(QDir(out.path()).filePath("pict1.jpg")));
    QVERIFY(!dlg.isVisible());

    // "&Quality Check" shows the window; a clean check disables the button.
    dlg.show();
    problems = 0;
    dlg.qualityCheckButton->click();
    QCOMPARE(shown, 2);
    QVERIFY(!dlg.qualityCheckButton->isEnabled());

    // "&New Folder" makes a folder inside the selected one and selects it.
    prompts.answerText(QString("site"));
    dlg.newFolderButton->click();
    QCOMPARE(prompts.records().back().caption, QString("New folder"));
    QCOMPARE(prompts.records().back().text, QString("Enter the name of the new folder"));
    QCOMPARE(dlg.outputFolder(), QDir(out.path()).filePath("site"));
    QVERIFY(QDir(out.path()).exists("site"));
}

void HtmlReportDialogTest::aFailedWriteIsReported() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    ItemStore store;
    QTemporaryDir tree, out;
    kinloom::test::buildHtmlFamily(store, QDir(tree.path()));
    QVERIFY(QDir(out.path()).mkdir("1.gif"));
    HtmlReportHooks hooks;
    bool completed = false;
    hooks.showCompleted = [&completed](const QString&) { completed = true; };
    HtmlReportDialog dlg(store, registry, prompts, nullptr, hooks);
    dlg.show();
    dlg.setOutputFolder(out.path());
    dlg.generateButton->click();
    QCOMPARE(prompts.messageTexts().back(), kHtmlExportFailed);
    QCOMPARE(QString(kHtmlExportFailed),
             QString("An error occured while exporting to HTML. Please check that you have enough disk space available and try again."));
    QVERIFY(!completed);
    QVERIFY(dlg.isVisible());
    QVERIFY(dlg.pages->isEnabled());
}

void HtmlReportDialogTest::completionAndBackgroundDialogs() {
    ScriptedPrompts prompts;
    QString opened;
    bool browser = false;
    PresentationDialog done("/sites/family", prompts, [&](const QString& address) {
        opened = address;
        return browser;
    });
    QCOMPARE(done.windowTitle(), QString("Presentation created"));
    QCOMPARE(done.viewButton->text(), QString("&View in browser"));
    done.viewButton->click();
    QCOMPARE(opened, QString("file:///sites/family/index.html"));
    QCOMPARE(prompts.messageTexts().back(), QString("Kinloom could not find your default internet browser."));
    browser = true;
    prompts.clear();
    done.viewButton->click();
    QVERIFY(prompts.records().empty());

    BackgroundDialog bg(prompts, Qt::white, "old.gif");
    QCOMPARE(bg.windowTitle(), QString("Background"));
    prompts.answerText(QString("/pics/paper.jpg"));
    bg.openWallpaperButton->click();
    QCOMPARE(bg.wallpaper(), QString("/pics/paper.jpg"));
    QVERIFY(prompts.records().back().file.filter.startsWith("Internet images (*.jpg;*.jpeg;*.gif)|"));
    prompts.answerColor(QColor(1, 2, 3));
    bg.chooseColorButton->click();
    QCOMPARE(bg.color(), QColor(1, 2, 3));
    bg.noWallpaperButton->click();
    QVERIFY(bg.wallpaper().isEmpty());
}

void HtmlReportDialogTest::menuEntryTellsAboutAnEmptyTree() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    MainWindow w(registry, prompts, "/opt/k/kinloom", {});
    connectHtmlReport(w);
    QVERIFY(w.commands().action(CommandId::Html)->isEnabled());
    QCOMPARE(w.commands().action(CommandId::Html)->text(), QString("&HTML - Generate web pages"));
    w.commands().action(CommandId::Html)->trigger();
    QCOMPARE(prompts.messageTexts().back(), QString("Your Kinloom tree is empty"));

    // An unsaved tree asks first; Cancel ends the command before the dialog opens.
    w.state().store.createItem();
    w.state().store.modified = true;
    prompts.answerButton(PromptAnswer::Cancel);
    w.commands().action(CommandId::Html)->trigger();
    QCOMPARE(prompts.records().back().buttons, PromptButtons::YesNoCancel);
    auto* dialog = w.findChild<HtmlReportDialog*>("htmlReportDialog");
    QVERIFY(dialog);
    QVERIFY(!dialog->isVisible());
}

QTEST_MAIN(HtmlReportDialogTest)
#include "html_report_dialog_test.moc"
