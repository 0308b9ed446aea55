// The status line, the hover hint and the keyboard focus around the commands of the real windows.
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "canvas/ui/canvas_widget.h"
#include "canvas/ui/editing_controller.h"
#include "canvas/ui/name_search_window.h"
#include "canvas/ui/navigator.h"
#include "gedcom/ui/gedcom_import_dialog.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace kinloom;

class StatusAndFocusTest : public QObject {
    Q_OBJECT

    static void hover(QWidget* canvas, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), canvas->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
    }

private slots:
    // Every navigator button gives the keyboard back to the canvas, where the arrows work.
    void navigatorButtonsReturnTheFocusToTheCanvas() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        test::addPerson(w.state().store, "Home");
        Navigator& navigator = w.findChild<EditingController*>()->navigator();
        QVERIFY(navigator.isVisible());
        for (const char* name : {"scrollLeftButton", "scrollRightButton", "scrollUpButton", "scrollDownButton",
                                 "zoomInButton", "zoomOutButton", "homeButton", "infoButton"}) {
            w.setFocus();  // the focus anywhere but on the canvas
            auto* button = navigator.findChild<QToolButton*>(QLatin1String(name));
            QVERIFY(button);
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(w.focusWidget(), w.canvas());
        }
        const int x = w.state().view.offsetX;
        QTest::keyClick(w.focusWidget(), Qt::Key_Left);
        QVERIFY(w.state().view.offsetX != x);
    }

    // Name Search takes the keyboard when it opens: "Hanover" typed right after F9 goes into its
    // search box, not to the canvas, where "o" would zoom out. So it does when opened again after
    // its list had the focus.
    void typingAfterF9GoesToTheSearchBox() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        test::addPerson(w.state().store, "Hanover", "Lee");
        w.activateWindow();
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.windowHandle());
        w.canvas()->setFocus();
        const double zoom = w.state().view.zoom;

        // Keys go where the system sends them: to the focus widget of the active window.
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_F9);
        NameSearchWindow& search = w.findChild<EditingController*>()->nameSearch();
        QVERIFY(search.isVisible());
        QTRY_COMPARE(QGuiApplication::focusWindow(), search.windowHandle());
        for (const char c : QByteArray("Hanover")) QTest::keyClick(QGuiApplication::focusWindow(), c);
        QCOMPARE(search.searchBox()->text().left(7), QString("Hanover"));
        QCOMPARE(w.state().view.zoom, zoom);

        // Closed from its list and opened again, it takes the keyboard in the search box again.
        search.list()->setFocus();  // as a click on a name does
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_Escape);
        QVERIFY(!search.isVisible());
        w.activateWindow();  // as the window manager does
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.windowHandle());
        QTest::keyClick(QGuiApplication::focusWindow(), Qt::Key_F9);
        QTRY_COMPARE(QGuiApplication::focusWindow(), search.windowHandle());
        QCOMPARE(QApplication::focusWidget(), search.searchBox());
    }

    // After a delete, a New or a failed Open the status line tells what happened, and neither it nor
    // the hover hint names a person who is gone (a failed Open keeps the tree).
    void statusLineNeverNamesAGoneItem() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        AppState& state = w.state();
        auto* canvas = static_cast<CanvasWidget*>(w.canvas());
        state.options.showNameHints = true;
        canvas->interaction().showNameTips = true;
        state.view = ViewState{100, 0, 0};
        const auto hoverOver = [&](const char* first) {
            test::addPerson(state.store, first, "Lee", 0, 0);
            state.repaint();
            hover(canvas, QPoint(20, 20));
            hover(canvas, QPoint(21, 20));  // a new text closes the hint for one move
            QCOMPARE(w.statusBar()->currentMessage(), QString(first) + " Lee ( - )");
            QVERIFY(canvas->toolTip().startsWith(QString(first) + " Lee"));
        };

        hoverOver("Ann");
        state.history.clear();  // Ann as if read from a file: the delete is the one step
        state.store.currentItem = state.store.firstItem();
        prompts.answerButton(PromptAnswer::Yes);
        w.commands().action(CommandId::Delete)->trigger();
        QVERIFY(state.store.empty());
        QCOMPARE(w.statusBar()->currentMessage(), QString("1 item deleted"));
        QVERIFY(canvas->toolTip().isEmpty());
        QVERIFY(canvas->interaction().hintText.isEmpty());
        // Undo and Redo say what they did.
        w.commands().action(CommandId::Undo)->trigger();
        QCOMPARE(state.store.itemCount(), 1);
        QCOMPARE(w.statusBar()->currentMessage(), QString("Undone: Delete"));
        w.commands().action(CommandId::Redo)->trigger();
        QVERIFY(state.store.empty());
        QCOMPARE(w.statusBar()->currentMessage(), QString("Redone: Delete"));

        hoverOver("Bob");
        hoverOver("Cid");
        for (PersonItem* p = state.store.firstItem(); p; p = p->Next) state.store.addToSelection(p);
        prompts.answerButton(PromptAnswer::Yes);
        w.commands().action(CommandId::Delete)->trigger();
        QCOMPARE(w.statusBar()->currentMessage(), QString("2 items deleted"));

        hoverOver("Dan");
        prompts.answerButton(PromptAnswer::No);  // do not save the changes
        w.commands().action(CommandId::New)->trigger();
        QCOMPARE(w.statusBar()->currentMessage(), QString("New tree"));
        QVERIFY(canvas->toolTip().isEmpty());

        QTemporaryDir dir;
        const QString garbage = QDir(dir.path()).filePath("garbage.kl3");
        QVERIFY(test::writeBytes(garbage, std::vector<unsigned char>(100, 7)));
        hoverOver("Eva");
        state.store.modified = false;
        prompts.answerText(garbage);
        w.commands().action(CommandId::Open)->trigger();
        QCOMPARE(prompts.messageTexts().back(),
                 "Error: Kinloom did not recognize the file\n" + garbage + " is not a Kinloom tree file.");
        QCOMPARE(w.statusBar()->currentMessage(), "Could not open " + garbage);
        // The failed Open kept the tree, and Eva with it.
        QCOMPARE(state.store.itemCount(), 1);
        QCOMPARE(state.store.firstItem()->FirstName.str(), std::string("Eva"));
    }

    // A GEDCOM file chosen in Open is not a tree file: its box offers the import, which Yes runs.
    void openOffersAGedcomFileToTheImport() {
        QTemporaryDir dir;
        const QString ged = QDir(dir.path()).filePath("family.ged");
        const std::string text = "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME Ola /Nordmann/\r\n0 TRLR\r\n";
        QVERIFY(test::writeBytes(ged, std::vector<unsigned char>(text.begin(), text.end())));
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        connect(windows->gedcomImport, &GedcomImportDialog::importFinished, this,
                [&] { windows->gedcomImport->okButton->click(); });
        prompts.answerText(ged);
        prompts.answerButton(PromptAnswer::Yes);
        w.commands().action(CommandId::Open)->trigger();
        QCOMPARE(w.state().store.itemCount(), 1);
        QCOMPARE(w.state().store.firstItem()->FirstName.str(), std::string("Ola"));
        QVERIFY(w.state().currentFileName.isEmpty());
        QCOMPARE(w.statusBar()->currentMessage(), "GEDCOM import: 1 individual and 0 families read from " + ged);
    }
};

QTEST_MAIN(StatusAndFocusTest)
#include "status_and_focus_test.moc"
