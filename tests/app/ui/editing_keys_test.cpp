// The keys of the editing and navigation commands, pressed on the real windows.
#include "app/ui/startup.h"
#include "app/ui/tslektstre.h"
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

    static void Activate(QWidget& window, QWidget* focus) {
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
        auto windows = CreateWindows(registry, prompts, "/opt/k/kinloom", {});
        TSlektstre& w = *windows->main;
        StartUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TItemStore& store = w.state().Store;
        TPersonItem* home = test::AddPerson(store, "Home", "Item");
        TPersonItem* other = test::AddPerson(store, "Other", "Item");
        home->X = 5000;
        home->Y = 3000;
        store.CurrentItem = other;
        Activate(w, w.canvas());
        QTest::keyClick(w.canvas(), Qt::Key_Home);
        QCOMPARE(store.CurrentItem, home);
        // Centred at 100 % as "&Zoom to Item" does.
        QCOMPARE(w.state().View.Zoom, 100.0);
        ViewState expected;
        CentreItem(home, expected, static_cast<CanvasWidget*>(w.canvas())->windowSize());
        QCOMPARE(w.state().View.OffsetX, expected.OffsetX);
        QCOMPARE(w.state().View.OffsetY, expected.OffsetY);
    }

    // Enter runs "&Properties", from the main keys and from the keypad alike.
    void keypadEnterOpensThePersonDialog() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = CreateWindows(registry, prompts, "/opt/k/kinloom", {});
        TSlektstre& w = *windows->main;
        StartUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TItemStore& store = w.state().Store;
        store.CurrentItem = test::AddPerson(store, "Kari", "Nordmann");
        Activate(w, w.canvas());
        bool shown = false;
        QTimer::singleShot(0, &w, [&] {
            auto* dialog = w.findChild<TPerson*>();
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
        auto windows = CreateWindows(registry, prompts, "/opt/k/kinloom", {});
        TSlektstre& w = *windows->main;
        StartUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        TItemStore& store = w.state().Store;
        test::AddPerson(store, "Ola", "Aasen");
        TPersonItem* b = test::AddPerson(store, "Kari", "Berg");
        store.CurrentItem = nullptr;
        w.Find1->trigger();
        TPersBrowser& browser = w.findChild<EditingController*>()->nameSearch();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        QListWidget* list = browser.list();
        list->setCurrentRow(1);
        Activate(browser, list);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(store.CurrentItem, b);
        QVERIFY(browser.isVisible());
        QTest::keyClick(list, Qt::Key_Escape);
        QVERIFY(!browser.isVisible());
        QVERIFY(!w.NameSearch1->isChecked());
    }
};

QTEST_MAIN(EditingKeysTest)
#include "editing_keys_test.moc"
