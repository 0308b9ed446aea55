// The keys of the editing and navigation commands, pressed on the real windows.
#include "app/ui/startup.h"
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "canvas/ui/canvas_widget.h"
#include "canvas/ui/editing_controller.h"
#include "canvas/ui/name_search_window.h"
#include "canvas/zoom.h"
#include "document/item_store.h"
#include "editor/ui/person_dialog.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

using namespace kinloom;

class EditingKeysTest : public QObject {
    Q_OBJECT

    static void activate(QWidget& window, QWidget* focus) {
        window.activateWindow();
        window.windowHandle()->requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), window.windowHandle());
        focus->setFocus();
    }

private slots:
    // Home is the key of "&Go to " › "&Home": the home item becomes current, wherever the view is.
    void homeKeyGoesToTheHomeItem() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ItemStore& store = w.state().store;
        PersonItem* home = test::addPerson(store, "Home", "Item");
        PersonItem* other = test::addPerson(store, "Other", "Item");
        home->X = 5000;
        home->Y = 3000;
        store.currentItem = other;
        activate(w, w.canvas());
        QTest::keyClick(w.canvas(), Qt::Key_Home);
        QCOMPARE(store.currentItem, home);
        // Centred at 100 % as "&Zoom to Item" does.
        QCOMPARE(w.state().view.zoom, 100.0);
        ViewState expected;
        centreItem(home, expected, static_cast<CanvasWidget*>(w.canvas())->windowSize());
        QCOMPARE(w.state().view.offsetX, expected.offsetX);
        QCOMPARE(w.state().view.offsetY, expected.offsetY);
    }

    // Enter runs "&Properties", from the main keys and from the keypad alike.
    void keypadEnterOpensThePersonDialog() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ItemStore& store = w.state().store;
        store.currentItem = test::addPerson(store, "Kari", "Nordmann");
        activate(w, w.canvas());
        bool shown = false;
        QTimer::singleShot(0, &w, [&] {
            auto* dialog = w.findChild<PersonDialog*>();
            shown = dialog && dialog->isVisible();
            if (dialog) dialog->reject();
        });
        QTest::keyClick(w.canvas(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(shown);
    }

    // In the name search, Enter in the list goes to the selected person and Esc closes the window,
    // as its default and cancel buttons do.
    void nameSearchDefaultAndCancelKeys() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ItemStore& store = w.state().store;
        test::addPerson(store, "Ola", "Aasen");
        PersonItem* b = test::addPerson(store, "Kari", "Berg");
        store.currentItem = nullptr;
        w.commands().action(CommandId::Find)->trigger();
        NameSearchWindow& browser = w.findChild<EditingController*>()->nameSearch();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        QListWidget* list = browser.list();
        list->setCurrentRow(1);
        activate(browser, list);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(store.currentItem, b);
        QVERIFY(browser.isVisible());
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!browser.isVisible());
        QVERIFY(!w.commands().action(CommandId::NameSearch)->isChecked());
    }
};

QTEST_MAIN(EditingKeysTest)
#include "editing_keys_test.moc"
