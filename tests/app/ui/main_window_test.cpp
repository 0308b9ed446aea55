#include "app/toolbar_settings.h"
#include "app/ui/startup.h"
#include "app/ui/about_box.h"
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/welcome_window.h"
#include "app/ui/options_dialog.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"

#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QComboBox>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QToolBar>

using namespace kinloom;

namespace {

// One line per entry: caption, then a tab and the shortcut when there is one; "-" for a
// separator; "[x]" marks a checked entry, "(off)" a disabled one, "(hidden)" a hidden one,
// and a submenu's entries follow indented.
QStringList describe(const QMenu* menu, const QString& indent = {}) {
    QStringList lines;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) {
            lines << indent + "-";
            continue;
        }
        QString line = indent + a->text();
        if (!a->shortcut().isEmpty()) line += "\t" + a->shortcut().toString();
        if (a->isChecked()) line += " [x]";
        if (!a->isEnabled()) line += " (off)";
        if (!a->isVisible()) line += " (hidden)";
        lines << line;
        if (a->menu()) lines << describe(a->menu(), indent + "  ");
    }
    return lines;
}

QMenu* topMenu(MainWindow& w, const QString& title) {
    for (QAction* a : w.menuBar()->actions())
        if (a->text() == title) return a->menu();
    return nullptr;
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void menuBarTitlesInOrder();
    void fileMenu();
    void otherMenus();
    void toolbarButtonsAndHints();
    void startupIsDisabledUntilConfirmed();
    void closingWithCancelKeepsTheWindowAfterWritingFonts();
    void toolbarPositionSurvivesARestart();
    void optionsAndAboutFromTheMenu();
    void newFromTheMenuAsksAboutChanges();
    void selectAllTakesEveryBoxForTheAlignEntries();
};

void MainWindowTest::menuBarTitlesInOrder() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    MainWindow w(registry, prompts, "/opt/k/kinloom", {});
    QStringList titles;
    for (QAction* a : w.menuBar()->actions()) titles << a->text();
    QCOMPARE(titles, QStringList({"&File", "&Edit", "&Search", "&Link", "&Alias", "&View", "&Zoom", "&Tools",
                                  "&Reports", "&Help"}));
    QCOMPARE(w.windowTitle(), QString("Please wait..."));
    QVERIFY(!w.isEnabled());
    QVERIFY(w.windowState() & Qt::WindowMaximized);
}

void MainWindowTest::fileMenu() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    MainWindow w(registry, prompts, "/opt/k/kinloom", {});
    const QStringList bound = describe(topMenu(w, "&File"));
    // Open and Save follow the tree-file binding; the GEDCOM import waits for its dialog (made with
    // the other windows at start-up); everything of other commands is off.
    const bool files = static_cast<bool>(w.state().files.read);
    const QString off = files ? "" : " (off)";
    QCOMPARE(bound, QStringList({"&New", "&Open\tCtrl+O" + off, "Open &Recent (off)", "&Save\tCtrl+S" + off, "Save &As" + off,
                                 "&Collect all files (off)", "-", "Import version 1.&5.x" + off,
                                 "Import version 1.&0" + off, "-", "&Import GEDCOM file (off)",
                                 "&Export to GEDCOM file", "-", "&Print tree (off)", "-", "E&xit"}));
}

void MainWindowTest::otherMenus() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    MainWindow w(registry, prompts, "/opt/k/kinloom", {});
    QCOMPARE(describe(topMenu(w, "&Edit")),
             QStringList({"&Undo\tCtrl+Z (off)", "&Redo\tCtrl+Shift+Z (off)", "-", "&New Item\tCtrl+N (off)", "&Properties\tReturn (off)", "&Delete\tDel (off)", "Select &All (off)", "-",
                          "Align &Top (off)", "Align &Bottom (off)", "Align &Left (off)", "Align &Right (off)", "-",
                          "&Create Ancestor Tree", "  &Compact (off)", "  &Fractal style (off)",
                          "&Organize Ancestor Tree", "  &Compact (off)", "  &Fractal Style (off)", "-",
                          "Make this item &Home\tCtrl+Home (off)"}));
    QCOMPARE(describe(topMenu(w, "&Search")), QStringList({"&Find\tF3 (off)"}));
    QCOMPARE(describe(topMenu(w, "&Link")),
             QStringList({"Link to &Father\tF (off)", "Link to &Mother\tM (off)", "&Link to Spouse\tL (off)", "-",
                          "Delete Link to Father\tCtrl+F (off)", "Delete Link to Mother\tCtrl+M (off)",
                          "Delete Link to Spouse\tCtrl+L (off)"}));
    QCOMPARE(describe(topMenu(w, "&Alias")),
             QStringList({"Make &Alias\tCtrl+A (off)", "Make &This an Alias\tCtrl+T (off)", "-",
                          "&Go to Alias\tCtrl+G (off)"}));
    QCOMPARE(describe(topMenu(w, "&View")),
             QStringList({"&Toolbar\tF7 [x] (off)", "&Navigator\tF8 [x] (off)", "Name Search\tF9 (off)",
                          "&Status bar \tF10 [x] (off)", "-", "&Color codes", "  &Gender (off)", "  N&otes (off)",
                          "  &Picture (off)", "  -", "  &None [x] (off)", "&Marriage Links [x] (off) (hidden)",
                          "&Advanced tree view (off) (hidden)"}));
    QVERIFY(w.commands().action(CommandId::GenderColours)->actionGroup() && w.commands().action(CommandId::GenderColours)->actionGroup()->isExclusive());
    QCOMPARE(describe(topMenu(w, "&Zoom")),
             QStringList({"200%\tCtrl+F1 (off)", "100%\tCtrl+F2 (off)", "50%\tCtrl+F3 (off)", "35%\tCtrl+F4 (off)",
                          "20%\tCtrl+F5 (off)", "10%\tCtrl+F6 (off)", "5%\tCtrl+F7 (off)", "1%\tCtrl+F8 (off)", "-",
                          "Zoom to &Area (off)", "-", "Zoom &In\tI (off)", "Zoom &Out\tO (off)", "-",
                          "Fit &Whole Tree\tW (off)", "Fit &Selection (off)"}));
    QVERIFY(w.commands().action(CommandId::ZoomToArea)->isCheckable());
    QCOMPARE(w.commands().action(CommandId::ZoomToItem)->shortcut(), QKeySequence(Qt::Key_Z));  // the popup's entry, on the window
    QVERIFY(w.actions().contains(w.commands().action(CommandId::ZoomToItem)));
    QCOMPARE(describe(topMenu(w, "&Tools")),
             QStringList({"&Quality check (off)", "&Auto Arrange Items (off)", "Arrange as &Family Chart (off)",
                          "&Print Screen (off)", "-",
                          "&Options"}));
    QCOMPARE(describe(topMenu(w, "&Reports")),
             QStringList({"&HTML - Generate web pages (off)", "Save tree as &GIF image  (off)", "-",
                          "&Alphabetical list", "  &All individuals (off)", "  &Surnames (off)", "  &Places (off)",
                          "  &Sources (off)", "&Missing information (off)", "  &Birth dates (off)",
                          "  &Death dates (off)", "  &Surnames (off)", "-", "&Charts (off)", "  &Ancestors (off)",
                          "  &Descendants (off)", "  -", "  &Complete tree (off)", "&Statistics (off)"}));
    QCOMPARE(describe(topMenu(w, "&Help")),
             QStringList({"&Contents\tF1 (off)", "&Keyword Search\tShift+F1 (off)", "&What's New (off)",
                          "&Getting Started (off)", "-", "Kinloom &Home Page (off)",
                          "Kinloom &Discussion Forum (off)", "-", "&About..."}));
}

void MainWindowTest::toolbarButtonsAndHints() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    MainWindow w(registry, prompts, "/opt/k/kinloom", {});
    QStringList hints;
    for (QAction* a : w.toolbar()->actions()) hints << (a->isSeparator() ? QString("-") : a->toolTip());
    QCOMPARE(hints, QStringList({"Open family tree", "Save family tree", "-", "Undo", "Redo", "-", "New person", "Edit properties",
                                 "Create ancestor tree", "-", "Zoom to area", "View/hide Navigator",
                                 "View/hide Name Search", "Print tree or selected items", "-", "Help"}));
    QCOMPARE(w.toolBarArea(w.toolbar()), Qt::LeftToolBarArea);
    QVERIFY(w.toolbar()->isMovable() && w.toolbar()->isFloatable());
    // A button follows its command, except the two with rules of their own.
    w.commands().action(CommandId::NewItem)->setEnabled(true);
    QVERIFY(w.commands().toolbarButton(CommandId::NewItem)->isEnabled());
    w.commands().action(CommandId::Properties)->setEnabled(true);
    QVERIFY(!w.commands().toolbarButton(CommandId::Properties)->isEnabled());
}

void MainWindowTest::startupIsDisabledUntilConfirmed() {
    MemoryRegistry registry;
    registry.writeString(kSettingsKey, "ScreenCharset", "5");
    ScriptedPrompts prompts;
    auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
    MainWindow& w = *windows->main;
    QVERIFY(windows->options && windows->about && windows->welcome);
    QSignalSpy charset(&w, &MainWindow::charsetChanged);
    QSignalSpy completed(&w, &MainWindow::startupCompleted);
    startUp(*windows, true);
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.isEnabled());
    QVERIFY(windows->welcome->isVisible());
    QCOMPARE(charset.count(), 0);

    windows->welcome->accept();  // the user confirms
    QVERIFY(!windows->welcome->isVisible());
    QVERIFY(w.isEnabled());
    QCOMPARE(charset.count(), 1);
    QCOMPARE(completed.count(), 1);
    QCOMPARE(w.state().screenCharset, 5);
    QCOMPARE(windows->options->charsetBox->currentIndex(), 4);
    QVERIFY(w.commands().action(CommandId::Toolbar)->isChecked());
    QTRY_COMPARE(w.windowTitle(), QString("Kinloom 2.0 beta 3.6[*]"));  // the first paint renews it

    w.state().currentFileName = "/t/a.kl3";
    w.requestRepaint();
    QTRY_COMPARE(w.windowTitle(), QString("Kinloom 2.0 beta 3.6 [/t/a.kl3][*]"));
    w.state().hooks.setStatus("OK");
    QCOMPARE(w.statusBar()->currentMessage(), QString("OK"));
    QStatusTipEvent passing{QString()};  // the pointer passes over a menu entry
    QApplication::sendEvent(&w, &passing);
    QCOMPARE(w.statusBar()->currentMessage(), QString("OK"));
}

void MainWindowTest::closingWithCancelKeepsTheWindowAfterWritingFonts() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
    MainWindow& w = *windows->main;
    startUp(*windows, false);
    QVERIFY(w.isEnabled());
    w.state().store.createItem();
    w.state().store.modified = true;
    prompts.answerButton(PromptAnswer::Cancel);
    w.commands().action(CommandId::Exit)->trigger();
    QVERIFY(w.isVisible());
    QCOMPARE(prompts.messageTexts(), std::vector<QString>{"Save changes to your Kinloom file?"});
    QCOMPARE(registry.readString(kSettingsKey, "ScreenFontName", ""), QString("Times New Roman"));
    QCOMPARE(registry.readString(kSettingsKey, "ScreenFontSize", ""), QString("16"));
    QCOMPARE(registry.readString(kSettingsKey, "ScreenCharset", ""), QString("15"));

    prompts.answerButton(PromptAnswer::No);
    w.commands().action(CommandId::Exit)->trigger();
    QVERIFY(!w.isVisible());
    QVERIFY(w.state().store.empty());
    QVERIFY(!registry.readString(Registry::Root::CurrentUser, "KL_TB1\\Toolbar1", "DockedTo", "").isEmpty());
}

void MainWindowTest::toolbarPositionSurvivesARestart() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    {
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        startUp(*windows, false);
        windows->main->addToolBar(Qt::TopToolBarArea, windows->main->toolbar());
        windows->main->toolbar()->hide();
        QVERIFY(windows->main->close());
    }
    QCOMPARE(registry.readString(Registry::Root::CurrentUser, "KL_TB1\\Toolbar1", "DockedTo", ""), QString("Top"));
    auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
    startUp(*windows, false);
    QCOMPARE(windows->main->toolBarArea(windows->main->toolbar()), Qt::TopToolBarArea);
    QVERIFY(!windows->main->toolbar()->isVisibleTo(windows->main.get()));
    QVERIFY(!windows->main->commands().action(CommandId::Toolbar)->isChecked());
}

void MainWindowTest::optionsAndAboutFromTheMenu() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
    startUp(*windows, false);
    QString seen;
    // The dialogs are modal: look at the one that opened and close it from inside its loop.
    auto closeActiveModal = [&seen] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        seen = modal->windowTitle();
        static_cast<QDialog*>(modal)->accept();
    };
    QTimer::singleShot(0, closeActiveModal);
    windows->main->commands().action(CommandId::Options)->trigger();
    QCOMPARE(seen, QString("Environment Options"));
    QCOMPARE(registry.readString(kSettingsKey, "Show_Name_Hints", ""), QString("Yes"));  // written on close
    QTimer::singleShot(0, closeActiveModal);
    windows->main->commands().action(CommandId::About)->trigger();
    QCOMPARE(seen, QString("About"));
    QVERIFY(windows->about->findChild<QLabel*>("version")->text().contains("2.0 beta 3.6"));
}

void MainWindowTest::newFromTheMenuAsksAboutChanges() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
    startUp(*windows, false);
    MainWindow& w = *windows->main;
    w.state().currentFileName = "/t/a.kl3";
    w.state().store.createItem();
    w.state().store.modified = true;
    QSignalSpy repaints(&w, &MainWindow::repaintRequested);
    prompts.answerButton(PromptAnswer::No);
    w.commands().action(CommandId::New)->trigger();
    QCOMPARE(prompts.messageTexts(), std::vector<QString>{"Save changes to your Kinloom file?"});
    QVERIFY(w.state().store.empty());
    QCOMPARE(repaints.count(), 1);
    QTRY_COMPARE(w.windowTitle(), QString("Kinloom 2.0 beta 3.6[*]"));
}

void MainWindowTest::selectAllTakesEveryBoxForTheAlignEntries() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
    MainWindow& w = *windows->main;
    startUp(*windows, false);
    Commands& commands = w.commands();
    ItemStore& store = w.state().store;
    commands.refresh();
    QVERIFY(!commands.action(CommandId::SelectAll)->isEnabled());  // nothing to select
    for (int i = 0; i < 3; ++i) {
        store.pointerX = 100 + 300 * i;
        store.pointerY = 100 + 50 * i;
        store.createItem();
    }
    w.state().history.clear();
    commands.refresh();
    QVERIFY(commands.action(CommandId::SelectAll)->isEnabled());
    commands.action(CommandId::SelectAll)->trigger();
    QCOMPARE(store.selectionList().size(), size_t{3});
    QCOMPARE(w.state().history.stack().count(), 0);  // selecting is no step
    commands.refresh();
    commands.action(CommandId::AlignTop)->trigger();  // enabled by the selection
    for (const PersonItem* p = store.firstItem(); p; p = p->Next) QCOMPARE(p->Y, store.firstItem()->Y);
    QCOMPARE(w.state().history.stack().undoText(), QString("Align Top"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
