// Open Recent, files dropped on the window, Escape after a link key, Fit Whole Tree and the welcome
// window's start-up switch, on the real windows.
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "app/ui/welcome_window.h"
#include "canvas/ui/canvas_widget.h"
#include "canvas/view_math.h"
#include "document/item_store.h"
#include "document/tree_file.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QCheckBox>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace kinloom;

class OpenRecentAndDropTest : public QObject {
    Q_OBJECT

    static void activate(MainWindow& w) {
        w.activateWindow();
        w.windowHandle()->requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.windowHandle());
        w.canvas()->setFocus();
    }

    // A tree file of `n` items in a row, written by our own writer.
    static QString writeTree(const QString& path, int n) {
        ScriptedPrompts prompts;
        ItemStore store;
        for (int i = 0; i < n; ++i) test::addPerson(store, "P", std::to_string(i), i * 200, 0);
        return saveToFile(store, path, prompts) ? path : QString();
    }

    static void drop(MainWindow& w, const QString& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at = w.canvas()->geometry().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &dropped);
    }

private slots:
    void droppedTreeGoesThroughTheQuestionAndIsShownWhole() {
        QTemporaryDir dir;
        const QString big = writeTree(dir.filePath("big.kl3"), 40);
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ItemStore& store = w.state().store;
        test::addPerson(store, "Mine");
        store.modified = true;

        prompts.answerButton(PromptAnswer::Cancel);
        drop(w, big);
        QTRY_COMPARE(prompts.messageTexts(), std::vector<QString>{"Save changes to your Kinloom file?"});
        QCOMPARE(store.itemCount(), 1);  // kept

        prompts.clear();
        prompts.answerButton(PromptAnswer::No);
        drop(w, big);
        QTRY_COMPARE(store.itemCount(), 40);
        QCOMPARE(prompts.messageTexts(), std::vector<QString>{"Save changes to your Kinloom file?"});
        QCOMPARE(w.state().currentFileName, big);
        // 40 boxes 200 units apart do not fit at 100 %: the tree is shown whole.
        QVERIFY(w.state().view.zoom < 100);
        for (const PersonItem* item = store.firstItem(); item; item = item->Next)
            QVERIFY(w.canvas()->rect().contains(boxEdgesOf(*item, w.state().view).rect()));

        // Anything else is not taken.
        QMimeData other;
        other.setUrls({QUrl::fromLocalFile(dir.filePath("picture.png"))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&w, &enter);
        QVERIFY(!enter.isAccepted());
    }

    void openRecentListsTreesAndDropsAMissingOne() {
        QTemporaryDir dir;
        const QString a = writeTree(dir.filePath("a.kl3"), 1), b = writeTree(dir.filePath("b.kl3"), 2);
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        {
            auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {b});  // opened at start
            auto& state = windows->main->state();
            state.currentFileName = a;
            windows->main->commands().action(CommandId::Save)->trigger();
        }
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QMenu* recent = w.commands().menu(CommandId::OpenRecent);
        w.fillRecentMenu();  // as the File menu opens
        QStringList captions;
        for (QAction* act : recent->actions()) captions << act->text();
        QCOMPARE(captions, QStringList({"&1 " + a, "&2 " + b}));
        QVERIFY(recent->isEnabled());

        QVERIFY(QFile::remove(b));
        recent->actions().at(1)->trigger();
        QCOMPARE(prompts.messageTexts(),
                 std::vector<QString>{"Kinloom could not open the file " + b + ".\nNo such file or directory"});
        w.fillRecentMenu();
        QCOMPARE(recent->actions().size(), 1);
        QCOMPARE(registry.readString("Software\\Kinloom.2.0\\Recent files", "File2", ""), QString());

        recent->actions().at(0)->trigger();
        QCOMPARE(w.state().currentFileName, a);
        QCOMPARE(w.state().store.itemCount(), 2);  // saved from the tree of b
    }

    void escapeAfterLinkKeyLeavesTheStoreAlone() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ItemStore& store = w.state().store;
        PersonItem* child = test::addPerson(store, "Child", "", 100, 100);
        store.currentItem = child;
        store.modified = false;
        w.state().view = ViewState{};
        activate(w);
        QTest::keyClick(w.canvas(), Qt::Key_F);  // Link to Father: waits for the click on the father
        auto* canvas = static_cast<CanvasWidget*>(w.canvas());
        QVERIFY(canvas->interaction().linkFatherPending);
        QTest::mouseMove(canvas, QPoint(500, 400));
        QTest::keyClick(canvas, Qt::Key_Escape);
        QVERIFY(!canvas->interaction().anyLinkPending());
        QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(500, 400));  // empty canvas: no new father
        QCOMPARE(store.itemCount(), 1);
        QCOMPARE(child->Father, nullptr);
        QVERIFY(!store.modified);

        // W fits the whole tree.
        test::addPerson(store, "Far", "", 20000, 9000);
        QTest::keyClick(canvas, Qt::Key_W);
        QVERIFY(w.state().view.zoom < 100);
        for (const PersonItem* item = store.firstItem(); item; item = item->Next)
            QVERIFY(canvas->rect().contains(boxEdgesOf(*item, w.state().view).rect()));
    }

    void welcomeWindowCanStayAway() {
        MemoryRegistry registry;
        QVERIFY(WelcomeWindow::wantedAtStart(registry));
        WelcomeWindow welcome(registry);
        QCOMPARE(welcome.showAtStartBox->text(), QString("Show this window at start-up"));
        QVERIFY(welcome.showAtStartBox->isChecked());
        welcome.showAtStartBox->setChecked(false);
        QCOMPARE(registry.readString(kSettingsKey, "ShowWelcome", ""), QString("No"));
        QVERIFY(!WelcomeWindow::wantedAtStart(registry));
        QVERIFY(!WelcomeWindow(registry).showAtStartBox->isChecked());
    }
};

QTEST_MAIN(OpenRecentAndDropTest)
#include "open_recent_and_drop_test.moc"
