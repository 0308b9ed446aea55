#include "app/ui/reports_wiring.h"

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "document/tree_file.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "reports/ui/quality_check_window.h"
#include "support/test_support.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace kinloom;

class ReportsWiringTest : public QObject {
    Q_OBJECT
private slots:
    void menuEntriesRunTheCommands() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        MainWindow w(registry, prompts, "/opt/k/kinloom", {});
        QualityCheckWindow* check = connectReportCommands(w);
        AppState& s = w.state();
        for (QAction* a : {w.commands().action(CommandId::QualityCheck), w.commands().action(CommandId::AllIndividuals), w.commands().action(CommandId::CollectFiles)}) QVERIFY(a->isEnabled());

        QTemporaryDir dir;
        s.currentFileName = dir.filePath("family.kl3");
        test::addPerson(s.store, "Anna", "Berg")->NotesFile = "anna.txt";
        w.commands().action(CommandId::QualityCheck)->trigger();
        QVERIFY(check->isVisible());
        QVERIFY(!check->isModal());
        QCOMPARE(check->fileLabel->text(), "File: " + dir.filePath("family.kl3"));
        QCOMPARE(check->problemList->topLevelItemCount(), 1);

        // A correction repaints the tree.
        QSignalSpy repaints(&w, &MainWindow::repaintRequested);
        check->problemList->setCurrentItem(check->problemList->topLevelItem(0));
        prompts.answerText(std::nullopt);
        prompts.answerButton(PromptAnswer::Yes);
        check->resolveButton->click();
        QVERIFY(s.store.firstItem()->NotesFile.empty());
        QCOMPARE(repaints.count(), 1);
        check->hide();

        QStringList viewed;
        s.hooks.openWithDefaultProgram = [&viewed](const QString& f) {
            viewed << f;
            return true;
        };
        prompts.answerText(dir.filePath("list.txt"));
        w.commands().action(CommandId::AllIndividuals)->trigger();
        QCOMPARE(viewed, QStringList{dir.filePath("list.txt")});
        QFile list(dir.filePath("list.txt"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QCOMPARE(list.readAll(), QByteArray("Berg Anna ( - )\r\n"));

        // The other lists are saved and opened the same way.
        s.store.firstItem()->BornPlace = "Oslo";
        s.store.firstItem()->Source = "Census";
        const std::pair<QAction*, QByteArray> lists[] = {{w.commands().action(CommandId::Surnames), "Berg (1)\r\n"},
                                                         {w.commands().action(CommandId::Places), "Oslo (1)\r\n"},
                                                         {w.commands().action(CommandId::Sources), "Census\r\n  Berg Anna ( - )\r\n"}};
        for (const auto& [action, expected] : lists) {
            QVERIFY(action->isEnabled());
            prompts.answerText(dir.filePath("other.txt"));
            action->trigger();
            QFile other(dir.filePath("other.txt"));
            QVERIFY(other.open(QIODevice::ReadOnly));
            QCOMPARE(other.readAll(), expected);
        }

        prompts.clear();
        prompts.answerText(dir.filePath("sub.kl3"));
        w.commands().action(CommandId::CollectFiles)->trigger();
        QCOMPARE(s.currentFileName, dir.filePath("sub.kl3"));
        QCOMPARE(prompts.records().back().caption, QString("Files saved"));
    }

    void checksOnOpenAndSaveWhenTheOptionsSaySo() {
        QTemporaryDir dir;
        const QString tree = dir.filePath("family.kl3");
        {
            ScriptedPrompts p;
            ItemStore store(&p);
            test::addPerson(store, "Anna", "Berg")->PictureFile = "anna.jpg";
            QVERIFY(saveToFile(store, tree, p));
        }
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        MainWindow w(registry, prompts, "/opt/k/kinloom", {});
        QualityCheckWindow* check = connectReportCommands(w);
        AppState& s = w.state();
        s.options.qualityCheckOnOpen = true;
        s.options.qualityCheckOnSave = true;

        // Open: the question, and Yes shows the window without waiting.
        prompts.answerText(tree);
        prompts.answerButton(PromptAnswer::Yes);
        w.commands().action(CommandId::Open)->trigger();
        QCOMPARE(prompts.messageTexts(),
                 std::vector<QString>{"Quality Check Result: 1 error(s). Would you like to see the details?"});
        QVERIFY(check->isVisible());
        QVERIFY(!check->isModal());
        QCOMPARE(check->problemList->topLevelItem(0)->text(1), QString("Image file not found: anna.jpg"));
        QCOMPARE(w.statusBar()->currentMessage(), QString("OK"));
        check->hide();

        // Save of an untitled tree: checked twice; Yes shows the window modally, the save goes on.
        prompts.clear();
        s.currentFileName.clear();
        s.store.modified = true;
        int modalShows = 0;
        QTimer* closer = new QTimer(&w);
        connect(closer, &QTimer::timeout, check, [&] {
            if (QApplication::activeModalWidget() != check) return;
            ++modalShows;
            check->okButton->click();
        });
        closer->start(10);
        prompts.answerButton(PromptAnswer::Yes);
        prompts.answerButton(PromptAnswer::No);
        prompts.answerText(dir.filePath("saved.kl3"));
        w.commands().action(CommandId::Save)->trigger();
        closer->stop();
        QCOMPARE(modalShows, 1);
        QCOMPARE(prompts.messageTexts().size(), size_t{2});
        QCOMPARE(check->fileLabel->text(), QString("File: (New File)"));
        QVERIFY(QFile::exists(dir.filePath("saved.kl3")));
        QVERIFY(!s.store.modified);
    }
};

QTEST_MAIN(ReportsWiringTest)
#include "reports_wiring_test.moc"
