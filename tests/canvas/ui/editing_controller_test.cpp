#include "canvas/ui/editing_controller.h"

#include "canvas/ui/delete_spouse_link_dialog.h"
#include "canvas/ui/go_to_window.h"
#include "canvas/ui/name_search_window.h"
#include "canvas/ui/navigator.h"
#include "document/item_store.h"
#include "editor/ui/person_dialog.h"
#include "platform/scripted_prompts.h"
#include "support/null_edit_host.h"
#include "support/test_support.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace kinloom;

using CountingHost = test::NullEditHost;

class EditingControllerTest : public QObject {
    Q_OBJECT

private slots:
    void commandsReachTheirWindows() {
        QWidget window;
        ItemStore store;
        ViewState view;
        CountingHost host;
        ScriptedPrompts prompts;
        EditingController c(store, view, host, prompts, &window);
        QAction navigator, nameSearch;
        navigator.setCheckable(true);
        nameSearch.setCheckable(true);
        c.setViewActions(&navigator, &nameSearch);

        PersonItem* dad = test::addPerson(store, "Dad", "D");
        PersonItem* mum = test::addPerson(store, "Mum", "D");
        PersonItem* kid = test::addPerson(store, "Kid", "D");
        kid->Father = dad;
        store.addMarriage(dad, mum);

        // Name search toggle (F9 and F3 share it).
        c.toggleNameSearch();
        QVERIFY(c.nameSearch().isVisible());
        QVERIFY(nameSearch.isChecked());
        QCOMPARE(c.nameSearch().list()->count(), 3);
        c.toggleNameSearch();
        QVERIFY(!c.nameSearch().isVisible());
        QVERIFY(!nameSearch.isChecked());
        c.toggleNavigator();
        QVERIFY(c.navigator().isVisible());
        QVERIFY(navigator.isChecked());
        c.showCounters(3, 3, 100);
        QCOMPARE(c.navigator().findChild<QLabel*>("itemsLabel")->text(), QString("Items: 3"));

        // Children of the current item go to the go-to window.
        store.currentItem = dad;
        c.listChildren();
        QVERIFY(c.goToWindow().isVisible());
        QCOMPARE(c.goToWindow().list()->count(), 1);

        // Delete link to spouse through its modal dialog.
        QTimer::singleShot(0, &c.deleteSpouseLinkDialog(), [&] {
            QTest::mouseClick(c.deleteSpouseLinkDialog().findChild<QPushButton*>("deleteButton"), Qt::LeftButton);
        });
        c.deleteSpouseLink();
        QCOMPARE(dad->Spouse[1], nullptr);
        QCOMPARE(mum->Spouse[1], nullptr);
        QVERIFY(host.repaints >= 1);

        // Edit properties: the person dialog on a copy, committed by OK.
        QTimer::singleShot(0, &c.personDialog(), [&] {
            c.personDialog().findChild<QLineEdit*>("lastNameEdit")->setText("Dahl");
            // Leaving a date field standardises it while the option is on.
            auto* born = c.personDialog().findChild<QLineEdit*>("bornDateEdit");
            born->setFocus();
            QTest::keyClicks(born, "12.01.1900");
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(born, &leave);
            QCOMPARE(born->text(), QString("12 Jan 1900"));
            QTest::mouseClick(c.personDialog().findChild<QPushButton*>("okButton"), Qt::LeftButton);
        });
        c.editProperties();
        QCOMPARE(dad->LastName.str(), std::string("Dahl"));
        QCOMPARE(dad->BornDate.str(), std::string("12 Jan 1900"));
        c.setDateOptions(DateOptions{false});
        QTimer::singleShot(0, &c.personDialog(), [&] {
            auto* died = c.personDialog().findChild<QLineEdit*>("diedDateEdit");
            died->setFocus();
            QTest::keyClicks(died, "3.4.1950");
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(died, &leave);
            QTest::mouseClick(c.personDialog().findChild<QPushButton*>("okButton"), Qt::LeftButton);
        });
        c.editProperties();
        QCOMPARE(dad->DiedDate.str(), std::string("3.4.1950"));
        QCOMPARE(host.paints, 2);

        // Delete asks first.
        prompts.answerButton(PromptAnswer::No);
        c.deletePerson();
        QCOMPARE(store.itemCount(), 3);
        QCOMPARE(prompts.records().back().text, QString("Do you really want to delete this item?"));
        prompts.answerButton(PromptAnswer::Yes);
        c.deletePerson();
        QCOMPARE(store.itemCount(), 2);
        QCOMPARE(kid->Father, nullptr);
    }
};

QTEST_MAIN(EditingControllerTest)
#include "editing_controller_test.moc"
