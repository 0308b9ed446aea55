// Reports > Charts on the real windows: the entries' state, the message without a current person,
// the chart window with its generations, printing to PDF, and a canvas left as it was.
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "document/item_store.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "reports/pdf_tools.h"
#include "reports/ui/chart_print_window.h"
#include "support/test_font.h"
#include "support/test_support.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

using namespace kinloom;
using kinloom::test::addPerson;

class ChartReportsTest : public QObject {
    Q_OBJECT
private slots:
    void chartsFromTheReportsMenu() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto* reports = qobject_cast<QMenu*>(w.commands().menu(CommandId::Charts)->parentWidget());
        QVERIFY(reports);
        emit reports->aboutToShow();
        QVERIFY(!w.commands().menu(CommandId::Charts)->menuAction()->isEnabled());  // nothing to chart in an empty tree

        w.state().screenFontName = test::loadTestFont();
        ItemStore& store = w.state().store;
        PersonItem* gf = addPerson(store, "Gustav", "Holm", 0, 0);
        PersonItem* gm = addPerson(store, "Greta", "Holm", 200, 0);
        PersonItem* father = addPerson(store, "Frans", "Holm", 100, 300);
        PersonItem* mother = addPerson(store, "Maja", "Ek", 600, 300);
        PersonItem* rut = addPerson(store, "Rut", "Holm", 300, 600);
        PersonItem* uncle = addPerson(store, "Ulf", "Holm", 900, 300);
        father->Father = gf;
        father->Mother = gm;
        uncle->Father = gf;
        rut->Father = father;
        rut->Mother = mother;
        store.addMarriage(gf, gm);
        store.addMarriage(father, mother);
        { EditStep settle(store, QStringLiteral("Build")); }  // the building above becomes a step of its own
        const int steps = w.state().history.stack().count();
        std::vector<std::pair<int, int>> places;
        for (const PersonItem* p = store.firstItem(); p; p = p->Next) places.emplace_back(p->X, p->Y);

        emit reports->aboutToShow();
        QVERIFY(w.commands().menu(CommandId::Charts)->menuAction()->isEnabled());
        for (QAction* a : {w.commands().action(CommandId::AncestorsChart), w.commands().action(CommandId::DescendantsChart), w.commands().action(CommandId::CompleteTreeChart)}) QVERIFY(a->isEnabled());

        // Without a current person the two person charts say what to do.
        store.currentItem = nullptr;
        prompts.clear();
        w.commands().action(CommandId::AncestorsChart)->trigger();
        w.commands().action(CommandId::DescendantsChart)->trigger();
        QCOMPARE(prompts.messageTexts(),
                 (std::vector<QString>{"Click the person whose ancestors the chart shows, then choose the chart again.",
                                       "Click the person whose descendants the chart shows, then choose the chart again."}));
        QCOMPARE(prompts.records().at(0).caption, QString("Kinloom 2.0"));
        QVERIFY(!w.findChild<ChartPrintWindow*>());

        store.currentItem = rut;
        w.commands().action(CommandId::AncestorsChart)->trigger();
        auto* chart = w.findChild<ChartPrintWindow*>();
        QVERIFY(chart);
        QVERIFY(QTest::qWaitForWindowExposed(chart));
        QCOMPARE(chart->windowTitle(), QString("Ancestors of Rut Holm"));
        QCOMPARE(chart->generationsBox->text(), QString("All"));
        QCOMPARE(chart->chartLabel->text(), QString("5 persons in 3 generations"));
        QVERIFY(chart->printButton->isEnabled());
        chart->generationsBox->setValue(2);
        QCOMPARE(chart->chartLabel->text(), QString("3 persons in 2 generations"));
        chart->generationsBox->setValue(0);

        // Printed into a PDF file through a scripted print dialog.
        QTemporaryDir dir;
        const QString pdf = dir.filePath("ancestors.pdf");
        PrinterDialogs dialogs;
        dialogs.print = [&pdf](QPrinter& printer, QWidget*) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        chart->setPrinterDialogs(dialogs);
        chart->printButton->click();
        QTRY_VERIFY(!chart->isVisible());  // printing closes the window
        QString text;
        for (int i = 1; i <= test::pdfPageCount(pdf); ++i) text += test::pdfPageText(pdf, i);
        for (const char* name : {"Rut", "Frans", "Maja", "Gustav", "Greta"}) QVERIFY2(text.contains(name), name);
        QVERIFY(!text.contains("Ulf"));

        // The canvas did not move and there is nothing new to undo.
        std::vector<std::pair<int, int>> after;
        for (const PersonItem* p = store.firstItem(); p; p = p->Next) after.emplace_back(p->X, p->Y);
        QVERIFY(after == places);
        { EditStep settle(store, QStringLiteral("After the chart")); }
        QCOMPARE(w.state().history.stack().count(), steps);

        // Descendants of Gustav, then a grandmother deleted while the window is open: the chart
        // is made again without her.
        store.currentItem = gf;
        w.commands().action(CommandId::DescendantsChart)->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(chart));
        QCOMPARE(chart->windowTitle(), QString("Descendants of Gustav Holm"));
        QCOMPARE(chart->chartLabel->text(), QString("6 persons in 3 generations"));
        store.currentItem = gm;
        store.deleteItem();
        chart->generationsBox->setValue(3);
        QCOMPARE(chart->chartLabel->text(), QString("5 persons in 3 generations"));

        // The complete tree has no generations to choose.
        w.commands().action(CommandId::CompleteTreeChart)->trigger();
        QCOMPARE(chart->windowTitle(), QString("Complete tree"));
        QVERIFY(!chart->generationsBox->isEnabled());
        QCOMPARE(chart->chartLabel->text(), QString("5 persons"));
        // A step of editing while the window is open: the chart is made again when next shown.
        {
            EditStep step(store, QStringLiteral("Link to Father"));
            PersonItem* olof = addPerson(store, "Olof", "Holm", 0, -300);
            store.touch(gf);
            gf->Father = olof;
        }
        chart->previewButton->click();
        QCOMPARE(chart->chartLabel->text(), QString("6 persons"));
        chart->close();
    }
};

QTEST_MAIN(ChartReportsTest)
#include "chart_reports_test.moc"
