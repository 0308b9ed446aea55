// Reports > Missing information on the real windows: the list, the double-click to the person
// dialog, and saving the list as text.
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "document/item_store.h"
#include "editor/ui/person_dialog.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "reports/ui/missing_information_window.h"
#include "reports/ui/statistics_window.h"
#include "support/test_support.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace kinloom;

class MissingInformationTest : public QObject {
    Q_OBJECT
private slots:
    void listDoubleClickAndSave() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ItemStore& store = w.state().store;
        test::addPerson(store, "Anna", "Berg")->BornDate = "1901";
        PersonItem* carl = test::addPerson(store, "Carl", "");
        PersonItem* bo = test::addPerson(store, "Bo", " ");
        bo->BornDate = "1800";
        QVERIFY(w.commands().menu(CommandId::MissingInformation)->isEnabled());

        w.commands().action(CommandId::MissingSurnames)->trigger();
        auto* window = w.findChild<MissingInformationWindow*>();
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowTitle(), QString("Persons without a surname"));
        QCOMPARE(window->countLabel()->text(), QString("2 persons"));
        QListWidget* list = window->list();
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("Bo (1800 - )"));
        QCOMPARE(list->item(1)->text(), QString("Carl ( - )"));

        // A double-click makes the person current and opens its dialog (modal: it is answered
        // from a timer that waits for it).
        PersonItem* current = nullptr;
        bool dialogShown = false;
        QTimer watch;
        watch.setInterval(10);
        QObject::connect(&watch, &QTimer::timeout, &w, [&] {
            auto* dialog = w.findChild<PersonDialog*>();
            if (!dialog || !dialog->isVisible()) return;
            current = store.currentItem;
            dialogShown = true;
            dialog->reject();
        });
        watch.start();
        QTRY_VERIFY(!list->visualItemRect(list->item(1)).isEmpty());
        const QRect row = list->visualItemRect(list->item(1));
        // A double-click as the desktop sends it: a click, then the second press as a double-click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QTRY_VERIFY(dialogShown);
        watch.stop();
        QCOMPARE(current, carl);

        QTemporaryDir dir;
        prompts.clear();
        prompts.answerText(dir.filePath("missing.txt"));
        window->findChild<QPushButton*>("saveButton")->click();
        QCOMPARE(prompts.records().front().kind, QString("save"));
        QCOMPARE(prompts.records().front().file.defaultExtension, QString("txt"));
        QFile saved(dir.filePath("missing.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("Bo (1800 - )\r\nCarl ( - )\r\n"));

        prompts.clear();
        prompts.answerText(dir.filePath("no/such/folder/missing.txt"));
        window->saveAsText();
        QCOMPARE(prompts.records().back().caption, QString("Persons without a surname"));
        QVERIFY(prompts.records().back().text.startsWith(
            "Kinloom could not save the file " + dir.filePath("no/such/folder/missing.txt") + ".\n"));

        // Death dates as of 2000: Bo, born more than 110 years before; not Anna (1901).
        window->showList(MissingField::DeathDate, w.state().charset, 2000);
        QCOMPARE(list->count(), 1);
        QCOMPARE(window->countLabel()->text(), QString("1 person"));
        QCOMPARE(window->windowTitle(), QString("Persons without a death date"));

        // Reports > Statistics opens its window over the same tree.
        QVERIFY(w.commands().action(CommandId::Statistics)->isEnabled());
        w.commands().action(CommandId::Statistics)->trigger();
        auto* statistics = w.findChild<StatisticsWindow*>();
        QVERIFY(statistics && statistics->isVisible());
        QCOMPARE(statistics->counts()->topLevelItem(0)->text(1), QString("3"));
    }
};

QTEST_MAIN(MissingInformationTest)
#include "missing_information_test.moc"
