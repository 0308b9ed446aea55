// A user builds a three-generation family with the mouse and keys alone, through the real windows.
#include "app/ui/startup.h"
#include "app/ui/main_window.h"
#include "canvas/ui/editing_controller.h"
#include "canvas/ui/canvas_widget.h"
#include "canvas/ui/name_search_window.h"
#include "canvas/ui/navigator.h"
#include "document/item_store.h"
#include "editor/ui/person_dialog.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

using namespace kinloom;

class FamilyBuildingTest : public QObject {
    Q_OBJECT

    // Answers the person dialog that the next drop opens: names, sex, OK.
    static void fillNextDialog(MainWindow& w, const QString& first, const QString& last, bool female) {
        QTimer::singleShot(0, &w, [&w, first, last, female] {
            auto* dialog = w.findChild<PersonDialog*>();
            QVERIFY(dialog && dialog->isVisible());
            dialog->findChild<QLineEdit*>("firstNameEdit")->setText(first);
            dialog->findChild<QLineEdit*>("lastNameEdit")->setText(last);
            dialog->findChild<QRadioButton*>(female ? "femaleButton" : "maleButton")->setChecked(true);
            QTest::mouseClick(dialog->findChild<QPushButton*>("okButton"), Qt::LeftButton);
        });
    }

    // Ctrl+N, move the hanging box to a point and drop it there; the dialog opens for it.
    static PersonItem* newPerson(MainWindow& w, QWidget* canvas, QPoint at, const QString& first,
                                  const QString& last, bool female) {
        QTest::mouseMove(canvas, at);
        QTest::keyClick(canvas, Qt::Key_N, Qt::ControlModifier);
        PersonItem* item = w.state().store.currentItem;
        QTest::mouseMove(canvas, at + QPoint(30, 20));
        fillNextDialog(w, first, last, female);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, at + QPoint(30, 20));
        activate(w);
        return item;
    }

    // Keys go to the active window: after a dialog closes the main window is active again.
    static void activate(MainWindow& w) {
        w.activateWindow();
        w.windowHandle()->requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.windowHandle());
        w.canvas()->setFocus();
    }

    static QPoint centreOf(const PersonItem& item, const ViewState& view) {
        const double s = view.zoom * 0.01;
        return {int((item.X + 70 + view.offsetX) * s), int((item.Y + 32 + view.offsetY) * s)};
    }

private slots:
    void threeGenerations() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        activate(w);
        QWidget* canvas = w.canvas();
        canvas->setFocus();
        ItemStore& store = w.state().store;
        ViewState& view = w.state().view;

        PersonItem* kid = newPerson(w, canvas, {400, 500}, "Ola", "Nordmann", false);
        QCOMPARE(kid->FirstName.str(), std::string("Ola"));
        QCOMPARE(kid->Sex.str(), std::string("M"));

        // F arms the father link; a click on empty canvas makes the father there.
        store.currentItem = kid;
        QTest::keyClick(canvas, Qt::Key_F);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, {300, 250});
        QVERIFY(kid->Father);
        PersonItem* dad = kid->Father;
        QCOMPARE(dad->Sex.str(), std::string("M"));
        QCOMPARE(store.currentItem, kid);
        // M and a click make the mother; L and a click on the mother links the parents.
        QTest::keyClick(canvas, Qt::Key_M);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, {600, 250});
        PersonItem* mum = kid->Mother;
        QVERIFY(mum);
        QCOMPARE(mum->Sex.str(), std::string("F"));
        store.currentItem = dad;
        QTest::keyClick(canvas, Qt::Key_L);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, centreOf(*mum, view));
        QCOMPARE(dad->Spouse[1], mum);
        QCOMPARE(mum->Spouse[1], dad);

        // Name the father through Enter (edit properties), then give him a father too.
        store.currentItem = dad;
        fillNextDialog(w, "Per", "Nordmann", false);
        QTest::keyClick(canvas, Qt::Key_Return);
        QCOMPARE(dad->FirstName.str(), std::string("Per"));
        activate(w);
        QTest::keyClick(canvas, Qt::Key_F);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, {300, 60});
        QVERIFY(dad->Father);
        PersonItem* grandad = dad->Father;

        // Ctrl+A makes an alias of the grandfather that hangs under the pointer until a click.
        store.currentItem = grandad;
        QTest::mouseMove(canvas, {700, 60});
        QTest::keyClick(canvas, Qt::Key_A, Qt::ControlModifier);
        PersonItem* alias = store.currentItem;
        QCOMPARE(alias->Kind.str(), std::string("REF"));
        QTest::mouseMove(canvas, {720, 70});
        QTest::mouseClick(canvas, Qt::LeftButton, {}, {720, 70});
        QCOMPARE(alias->Father, grandad);
        QCOMPARE(grandad->Kind.str(), std::string("ALIAS"));

        // Ctrl+F unlinks the kid's father, then F and a click on him link him back.
        store.currentItem = kid;
        QTest::keyClick(canvas, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(kid->Father, nullptr);
        QTest::keyClick(canvas, Qt::Key_F);
        QTest::mouseClick(canvas, Qt::LeftButton, {}, centreOf(*dad, view));
        QCOMPARE(kid->Father, dad);

        // The counters follow every paint, and the name search finds the father as typed.
        auto* nav = w.findChild<Navigator*>();
        QTRY_COMPARE(nav->findChild<QLabel*>("itemsLabel")->text(), QString("Items: 5"));
        QTest::keyClick(canvas, Qt::Key_F3);
        auto* search = w.findChild<NameSearchWindow*>();
        QVERIFY(search->isVisible());
        QCOMPARE(search->list()->count(), 4);  // the alias is left out
        search->searchBox()->setFocus();
        QTest::keyClicks(search->searchBox(), "nordmann p");
        QTRY_VERIFY_WITH_TIMEOUT(search->list()->currentRow() >= 0, 2000);
        QVERIFY(search->list()->currentItem()->text().startsWith("Nordmann Per"));
        QTest::mouseClick(search->findChild<QPushButton*>("goToPersonButton"), Qt::LeftButton);
        QCOMPARE(store.currentItem, dad);
        QVERIFY(store.modified);
    }
};

QTEST_MAIN(FamilyBuildingTest)
#include "family_building_test.moc"
