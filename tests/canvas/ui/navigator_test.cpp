#include "canvas/ui/delete_spouse_link_dialog.h"
#include "canvas/ui/go_to_window.h"
#include "canvas/ui/navigator.h"

#include "document/item_store.h"
#include "platform/charsets.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using namespace kinloom;

class NavigatorTest : public QObject {
    Q_OBJECT

private slots:
    void directionButtonsRepeatWhileHeld() {
        std::vector<Navigator::Direction> steps;
        int focus = 0, zoomIn = 0, zoomOut = 0, home = 0;
        Navigator nav;
        nav.setHooks({[&](Navigator::Direction d) { steps.push_back(d); }, [&] { ++zoomIn; }, [&] { ++zoomOut; },
                      [&] { ++home; }, [&] { ++focus; }, {}});
        nav.show();
        QCOMPARE(nav.windowTitle(), QString("Navigator"));
        QCOMPARE(nav.findChild<QLabel*>("zoomLabel")->text(), QString("Zoom: 100%"));
        QCOMPARE(nav.findChild<QLabel*>("itemsLabel")->text(), QString("Items: 0"));
        QCOMPARE(nav.findChild<QLabel*>("personsLabel")->text(), QString("Persons: 0"));
        auto* right = nav.findChild<QToolButton*>("scrollRightButton");
        QCOMPARE(right->size(), QSize(29, 48));
        QTest::mousePress(right, Qt::LeftButton);
        QCOMPARE(steps.size(), size_t(1));  // one step at the press
        QCOMPARE(nav.repeatTimer().interval(), 100);
        QVERIFY(nav.repeatTimer().isActive());
        QTest::qWait(350);
        QTest::mouseRelease(right, Qt::LeftButton);
        QVERIFY(steps.size() >= 3);
        for (auto d : steps) QCOMPARE(d, Navigator::Right);
        QVERIFY(!nav.repeatTimer().isActive());
        const size_t held = steps.size();
        QTest::qWait(150);
        QCOMPARE(steps.size(), held);
        QVERIFY(focus >= 3);

        QTest::mouseClick(nav.findChild<QToolButton*>("zoomInButton"), Qt::LeftButton);
        QTest::mouseClick(nav.findChild<QToolButton*>("zoomOutButton"), Qt::LeftButton);
        QTest::mouseClick(nav.findChild<QToolButton*>("homeButton"), Qt::LeftButton);
        QCOMPARE(zoomIn, 1);
        QCOMPARE(zoomOut, 1);
        QCOMPARE(home, 1);

        nav.showCounters(12, 10, 35.0);
        QCOMPARE(nav.findChild<QLabel*>("zoomLabel")->text(), QString("Zoom: 35 %"));
        QCOMPARE(nav.findChild<QLabel*>("itemsLabel")->text(), QString("Items: 12"));
        QCOMPARE(nav.findChild<QLabel*>("personsLabel")->text(), QString("Persons: 10"));

        QVERIFY(nav.infoShown());
        const int tall = nav.height();
        QTest::mouseClick(nav.findChild<QToolButton*>("infoButton"), Qt::LeftButton);
        QVERIFY(!nav.infoShown());
        QVERIFY(nav.height() < tall);
        QTest::mouseClick(nav.findChild<QToolButton*>("infoButton"), Qt::LeftButton);
        QVERIFY(nav.infoShown());
    }

    void gotoWindowJumpsById() {
        ItemStore store;
        PersonItem* dad = test::addPerson(store, "Dad", "D");
        PersonItem* kid = test::addPerson(store, "Kid", "D");
        kid->Father = dad;
        store.currentItem = dad;
        int zooms = 0;
        GoToWindow window(store, [&] { ++zooms; });
        window.showList(childrenList(store, DisplayCharset()));
        QCOMPARE(window.windowTitle(), QString("Children of Dad D"));
        QCOMPARE(window.list()->count(), 1);
        window.go();  // no line selected: nothing happens
        QCOMPARE(zooms, 0);
        window.list()->setCurrentRow(0);
        QTest::mouseClick(window.findChild<QPushButton*>("goButton"), Qt::LeftButton);
        QCOMPARE(store.currentItem, kid);
        QCOMPARE(zooms, 1);
        QVERIFY(window.isVisible());  // stays open for further jumps
        QTest::mouseClick(window.findChild<QPushButton*>("closeButton"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }

    // A double-click on a line jumps once, and Enter in the list jumps as "&Go" does.
    void gotoWindowDoubleClickAndEnterJumpOnce() {
        ItemStore store;
        PersonItem* dad = test::addPerson(store, "Dad", "D");
        PersonItem* kid = test::addPerson(store, "Kid", "D");
        kid->Father = dad;
        store.currentItem = dad;
        int zooms = 0;
        GoToWindow window(store, [&] { ++zooms; });
        window.showList(childrenList(store, DisplayCharset()));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QListWidget* list = window.list();
        const QPoint line = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line);
        QCOMPARE(store.currentItem, kid);
        QCOMPARE(zooms, 1);
        store.currentItem = dad;
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(store.currentItem, kid);
        QCOMPARE(zooms, 2);
    }

    void deleteSpouseLinkDialog() {
        ItemStore store;
        ScriptedPrompts prompts;
        PersonItem* a = test::addPerson(store, "A", "X");
        PersonItem* b = test::addPerson(store, "B", "Y");
        PersonItem* c = test::addPerson(store, "C", "Z");
        store.addMarriage(a, b);
        store.addMarriage(a, c);
        DeleteSpouseLinkDialog form(prompts);
        QCOMPARE(form.windowTitle(), QString("Delete Link"));
        form.fill(store, *a, DisplayCharset());
        QCOMPARE(form.list()->count(), 2);
        QCOMPARE(form.list()->item(1)->text(), QString("C Z ( - )"));
        QCOMPARE(form.list()->currentRow(), 0);
        form.list()->setCurrentRow(1);
        form.show();
        QTest::mouseClick(form.findChild<QPushButton*>("deleteButton"), Qt::LeftButton);
        QCOMPARE(a->Spouse[2], nullptr);
        QCOMPARE(c->Spouse[1], nullptr);
        QCOMPARE(a->Spouse[1], b);
        QVERIFY(store.modified);
        QVERIFY(!form.isVisible());
        // Cancel leaves everything.
        form.fill(store, *a, DisplayCharset());
        form.show();
        QTest::mouseClick(form.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
        QCOMPARE(a->Spouse[1], b);
    }

    // Once the dialog has closed, "Delete" no longer acts on the item it showed, which may since
    // have been deleted.
    void deleteSpouseLinkDialogForgetsItsItem() {
        ItemStore store;
        ScriptedPrompts prompts;
        PersonItem* a = test::addPerson(store, "A", "X");
        PersonItem* b = test::addPerson(store, "B", "Y");
        store.addMarriage(a, b);
        store.modified = false;
        DeleteSpouseLinkDialog form(prompts);
        QTimer::singleShot(0, &form, [&form] { form.reject(); });
        form.run(store, *a, DisplayCharset());
        form.confirm();
        QCOMPARE(a->Spouse[1], b);
        QCOMPARE(b->Spouse[1], a);
        QVERIFY(!store.modified);
    }
};

QTEST_MAIN(NavigatorTest)
#include "navigator_test.moc"
