#include "canvas/ui/name_search_window.h"

#include "document/item_store.h"
#include "support/test_support.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using namespace kinloom;

class NameSearchWindowTest : public QObject {
    Q_OBJECT

private slots:
    void fillsSortedAndRenumbers() {
        ItemStore store;
        PersonItem* a = test::addPerson(store, "Ola", "Nordmann");
        PersonItem* alias = test::addPerson(store, "Ola", "Nordmann");
        alias->Kind = "REF";
        alias->Father = a;
        test::addPerson(store, "Kari", "Aas");
        a->Id = 40;
        store.idsChanged();
        bool checked = false;
        NameSearchWindow browser(store);
        browser.setHooks({{}, {}, [&](bool on) { checked = on; }, {}});
        browser.show();
        QVERIFY(checked);
        QCOMPARE(browser.windowTitle(), QString("Name Search"));
        QCOMPARE(browser.list()->count(), 2);
        QCOMPARE(browser.list()->item(0)->text(), QString("Aas Kari ( - ) [3]"));
        QCOMPARE(browser.list()->item(1)->text(), QString("Nordmann Ola ( - ) [1]"));
        QCOMPARE(a->Id, 1);
        QCOMPARE(alias->Id, 2);
        QVERIFY(browser.searchTimer().isActive());
        browser.resize(200, 300);
        QVERIFY(browser.width() >= 330);
        browser.close();
        QVERIFY(!checked);
    }

    void searchAsYouTypeAndJump() {
        ItemStore store;
        test::addPerson(store, "Kari", "Aas");
        PersonItem* ola = test::addPerson(store, "Ola", "Nordmann");
        test::addPerson(store, "Per", "Olsen");
        int zooms = 0, edits = 0;
        std::vector<bool> menus;
        NameSearchWindow browser(store);
        browser.setHooks({[&] { ++zooms; }, [&] { ++edits; }, {}, [&](bool empty) { menus.push_back(empty); }});
        browser.show();
        QLineEdit* edit = browser.searchBox();
        edit->setFocus();
        QTest::keyClicks(edit, "nor");
        QVERIFY(browser.searchTimer().isActive());
        QCOMPARE(browser.searchTimer().interval(), 400);
        QCOMPARE(browser.list()->currentRow(), -1);  // nothing before the delay has passed
        QTRY_COMPARE_WITH_TIMEOUT(browser.list()->currentRow(), 0, 2000);
        QCOMPARE(browser.list()->count(), 1);  // only what the text finds
        QCOMPARE(edit->text(), QString("Nordmann Ola ( - ) [2]"));
        QCOMPARE(edit->selectedText(), QString("dmann Ola ( - ) [2]"));
        QCOMPARE(browser.lastSearch(), QString("nor"));
        QVERIFY(!browser.searchTimer().isActive());

        // A text that matches nothing leaves the selection as it was.
        edit->setText("zz");
        browser.searchKeyPressed(Qt::Key_Z);
        browser.searchTypedText();
        QCOMPARE(browser.list()->currentRow(), 0);
        QCOMPARE(browser.list()->count(), 1);
        QCOMPARE(edit->text(), QString("zz"));
        // Backspace does not restart the timer.
        browser.searchKeyPressed(Qt::Key_Backspace);
        QVERIFY(!browser.searchTimer().isActive());

        store.currentItem = nullptr;
        QTest::mouseClick(browser.findChild<QPushButton*>("goToPersonButton"), Qt::LeftButton);
        QCOMPARE(store.currentItem, ola);
        QCOMPARE(zooms, 1);
        QCOMPARE(edit->selectedText(), edit->text());
        QTest::mouseClick(browser.findChild<QPushButton*>("editPersonButton"), Qt::LeftButton);
        QCOMPARE(edits, 1);
        QCOMPARE(zooms, 2);

        // A line whose item was deleted since the list was filled: currentItem stays.
        browser.refresh();
        store.currentItem = ola;
        store.deleteItem();
        store.currentItem = store.firstItem();
        browser.list()->setCurrentRow(1);
        browser.goToPerson();
        QCOMPARE(store.currentItem, store.firstItem());
        QCOMPARE(zooms, 3);
        browser.close();
        QVERIFY(!menus.empty());
        QCOMPARE(menus.back(), false);
    }

    // Any name word finds a person, whatever its case and accents; a start of "Surname Given" is
    // still found first and completed, the other finds below it; clearing the text brings back all.
    void findsAnyNameWord() {
        ItemStore store;
        test::addPerson(store, "Victoria", "Hanover");
        test::addPerson(store, "Alexandrina Victoria", "Kent");
        test::addPerson(store, "Ola", "Victorsen");
        test::addPerson(store, "Bj\xF8rn", "Aas");  // Windows-1252 "Bjørn"
        NameSearchWindow browser(store);
        browser.show();
        QLineEdit* edit = browser.searchBox();
        auto texts = [&browser] {
            QStringList out;
            for (int i = 0; i < browser.list()->count(); ++i) out << browser.list()->item(i)->text();
            return out;
        };
        edit->setText("VICTOR");
        browser.searchTypedText();
        QCOMPARE(texts(), (QStringList{"Victorsen Ola ( - ) [3]", "Hanover Victoria ( - ) [1]", "Kent Alexandrina Victoria ( - ) [2]"}));
        QCOMPARE(browser.list()->currentRow(), 0);
        QCOMPARE(edit->text(), QString("Victorsen Ola ( - ) [3]"));

        edit->setText("bjorn");
        browser.searchTypedText();
        QCOMPARE(texts(), QStringList{"Aas Bj\u00F8rn ( - ) [4]"});
        QCOMPARE(browser.list()->currentRow(), 0);
        QCOMPARE(edit->text(), QString("bjorn"));  // not a start of the line: nothing completed

        edit->clear();
        browser.searchTextEdited(QString());
        QCOMPARE(browser.list()->count(), 4);
    }
};

QTEST_MAIN(NameSearchWindowTest)
#include "name_search_window_test.moc"
