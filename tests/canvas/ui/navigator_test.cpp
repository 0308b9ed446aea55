#include "canvas/ui/delete_marriage_form.h"
#include "canvas/ui/goto_window.h"
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
        std::vector<TKontroll::Direction> steps;
        int focus = 0, zoomIn = 0, zoomOut = 0, home = 0;
        TKontroll nav;
        nav.setHooks({[&](TKontroll::Direction d) { steps.push_back(d); }, [&] { ++zoomIn; }, [&] { ++zoomOut; },
                      [&] { ++home; }, [&] { ++focus; }, {}});
        nav.show();
        QCOMPARE(nav.windowTitle(), QString("Navigator"));
        QCOMPARE(nav.findChild<QLabel*>("Label3")->text(), QString("Zoom: 100%"));
        QCOMPARE(nav.findChild<QLabel*>("Label1")->text(), QString("Items: 0"));
        QCOMPARE(nav.findChild<QLabel*>("Label2")->text(), QString("Persons: 0"));
        auto* right = nav.findChild<QToolButton*>("SpeedButton5");
        QCOMPARE(right->size(), QSize(29, 48));
        QTest::mousePress(right, Qt::LeftButton);
        QCOMPARE(steps.size(), size_t(1));  // one step at the press
        QCOMPARE(nav.repeatTimer().interval(), 100);
        QVERIFY(nav.repeatTimer().isActive());
        QTest::qWait(350);
        QTest::mouseRelease(right, Qt::LeftButton);
        QVERIFY(steps.size() >= 3);
        for (auto d : steps) QCOMPARE(d, TKontroll::Right);
        QVERIFY(!nav.repeatTimer().isActive());
        const size_t held = steps.size();
        QTest::qWait(150);
        QCOMPARE(steps.size(), held);
        QVERIFY(focus >= 3);

        QTest::mouseClick(nav.findChild<QToolButton*>("SpeedButton1"), Qt::LeftButton);
        QTest::mouseClick(nav.findChild<QToolButton*>("SpeedButton2"), Qt::LeftButton);
        QTest::mouseClick(nav.findChild<QToolButton*>("SpeedButton7"), Qt::LeftButton);
        QCOMPARE(zoomIn, 1);
        QCOMPARE(zoomOut, 1);
        QCOMPARE(home, 1);

        nav.ShowCounters(12, 10, 35.0);
        QCOMPARE(nav.findChild<QLabel*>("Label3")->text(), QString("Zoom: 35 %"));
        QCOMPARE(nav.findChild<QLabel*>("Label1")->text(), QString("Items: 12"));
        QCOMPARE(nav.findChild<QLabel*>("Label2")->text(), QString("Persons: 10"));

        QVERIFY(nav.infoShown());
        const int tall = nav.height();
        QTest::mouseClick(nav.findChild<QToolButton*>("SpeedButton8"), Qt::LeftButton);
        QVERIFY(!nav.infoShown());
        QVERIFY(nav.height() < tall);
        QTest::mouseClick(nav.findChild<QToolButton*>("SpeedButton8"), Qt::LeftButton);
        QVERIFY(nav.infoShown());
    }

    void gotoWindowJumpsById() {
        TItemStore store;
        TPersonItem* dad = test::AddPerson(store, "Dad", "D");
        TPersonItem* kid = test::AddPerson(store, "Kid", "D");
        kid->Father = dad;
        store.CurrentItem = dad;
        int zooms = 0;
        TGOTOwnd window(store, [&] { ++zooms; });
        window.ShowList(ChildrenList(store, DisplayCharset()));
        QCOMPARE(window.windowTitle(), QString("Children of Dad D"));
        QCOMPARE(window.list()->count(), 1);
        window.GoClick();  // no line selected: nothing happens
        QCOMPARE(zooms, 0);
        window.list()->setCurrentRow(0);
        QTest::mouseClick(window.findChild<QPushButton*>("Button1"), Qt::LeftButton);
        QCOMPARE(store.CurrentItem, kid);
        QCOMPARE(zooms, 1);
        QVERIFY(window.isVisible());  // stays open for further jumps
        QTest::mouseClick(window.findChild<QPushButton*>("Button2"), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }

    // A double-click on a line jumps once, and Enter in the list jumps as "&Go" does.
    void gotoWindowDoubleClickAndEnterJumpOnce() {
        TItemStore store;
        TPersonItem* dad = test::AddPerson(store, "Dad", "D");
        TPersonItem* kid = test::AddPerson(store, "Kid", "D");
        kid->Father = dad;
        store.CurrentItem = dad;
        int zooms = 0;
        TGOTOwnd window(store, [&] { ++zooms; });
        window.ShowList(ChildrenList(store, DisplayCharset()));
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QListWidget* list = window.list();
        const QPoint line = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line);
        QCOMPARE(store.CurrentItem, kid);
        QCOMPARE(zooms, 1);
        store.CurrentItem = dad;
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(store.CurrentItem, kid);
        QCOMPARE(zooms, 2);
    }

    void deleteMarriageForm() {
        TItemStore store;
        ScriptedPrompts prompts;
        TPersonItem* a = test::AddPerson(store, "A", "X");
        TPersonItem* b = test::AddPerson(store, "B", "Y");
        TPersonItem* c = test::AddPerson(store, "C", "Z");
        store.AddMarriage(a, b);
        store.AddMarriage(a, c);
        TDeleteMarriageForm form(prompts);
        QCOMPARE(form.windowTitle(), QString("Delete Link"));
        form.Fill(store, *a, DisplayCharset());
        QCOMPARE(form.list()->count(), 2);
        QCOMPARE(form.list()->item(1)->text(), QString("C Z ( - )"));
        QCOMPARE(form.list()->currentRow(), 0);
        form.list()->setCurrentRow(1);
        form.show();
        QTest::mouseClick(form.findChild<QPushButton*>("OK"), Qt::LeftButton);
        QCOMPARE(a->Spouse[2], nullptr);
        QCOMPARE(c->Spouse[1], nullptr);
        QCOMPARE(a->Spouse[1], b);
        QVERIFY(store.Modified);
        QVERIFY(!form.isVisible());
        // Cancel leaves everything.
        form.Fill(store, *a, DisplayCharset());
        form.show();
        QTest::mouseClick(form.findChild<QPushButton*>("Cancel"), Qt::LeftButton);
        QCOMPARE(a->Spouse[1], b);
    }

    // Once the dialog has closed, "Delete" no longer acts on the item it showed, which may since
    // have been deleted.
    void deleteMarriageFormForgetsItsItem() {
        TItemStore store;
        ScriptedPrompts prompts;
        TPersonItem* a = test::AddPerson(store, "A", "X");
        TPersonItem* b = test::AddPerson(store, "B", "Y");
        store.AddMarriage(a, b);
        store.Modified = false;
        TDeleteMarriageForm form(prompts);
        QTimer::singleShot(0, &form, [&form] { form.reject(); });
        form.Run(store, *a, DisplayCharset());
        form.OKClick();
        QCOMPARE(a->Spouse[1], b);
        QCOMPARE(b->Spouse[1], a);
        QVERIFY(!store.Modified);
    }
};

QTEST_MAIN(NavigatorTest)
#include "navigator_test.moc"
