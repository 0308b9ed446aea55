#include "app/ui/reports_wiring.h"

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "document/tree_file.h"
#include "canvas/paint_tree.h"
#include "canvas/render_tree.h"
#include "platform/imagecodec.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "reports/ui/quality_check_window.h"
#include "support/test_font.h"
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
    void savesTheTreeAsAGifImage() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        MainWindow w(registry, prompts, "/opt/k/kinloom", {});
        connectReportCommands(w);
        AppState& s = w.state();
        s.screenFontName = test::loadTestFont();
        QAction* save = w.commands().action(CommandId::SaveTreeAsGif);
        w.commands().refresh();
        QVERIFY(!save->isEnabled());  // nothing to draw in an empty tree

        PersonItem* anna = test::addPerson(s.store, "Anna", "Berg", 100, 40);
        test::addPerson(s.store, "Per", "Berg", 400, 300)->Father = anna;
        w.commands().refresh();
        QVERIFY(save->isEnabled());

        QTemporaryDir dir;
        const QString file = dir.filePath("tree.gif");
        prompts.answerText(file);
        save->trigger();
        QCOMPARE(prompts.records().back().kind, QString("save"));
        QCOMPARE(prompts.records().back().file.title, QString("Save tree as GIF image"));
        QCOMPARE(prompts.records().back().file.filter, QString("GIF image (*.gif)|*.gif"));
        QVERIFY(prompts.messageTexts().empty());
        QFile gif(file);
        QVERIFY(gif.open(QIODevice::ReadOnly));
        const QImage picture = decodeGif(gif.readAll());
        // The boxes at 100 % with the fitting margin around them, drawn on the canvas colour.
        QCOMPARE(picture.size(), wholeTreeImageSize(s.store));
        QVERIFY(picture.width() > 300 && picture.height() > 260);
        // The palette of 256 colours may move a colour slightly.
        const auto background = [](QColor c) {
            return std::abs(c.red() - kCanvasBackground.red()) + std::abs(c.green() - kCanvasBackground.green()) +
                       std::abs(c.blue() - kCanvasBackground.blue()) <= 12;
        };
        QVERIFY(background(picture.pixelColor(0, 0)));
        int drawn = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) drawn += !background(picture.pixelColor(x, y));
        QVERIFY(drawn > 1000);

        // A folder that is not there: the file is not saved and the message says why.
        prompts.clear();
        const QString nowhere = dir.filePath("missing/tree.gif");
        prompts.answerText(nowhere);
        save->trigger();
        QCOMPARE(prompts.messageTexts().size(), size_t(1));
        QVERIFY2(prompts.messageTexts()[0].startsWith("Kinloom could not save the file " + nowhere + ".\n"),
                 qPrintable(prompts.messageTexts()[0]));
        QVERIFY(!QFile::exists(nowhere));

        // Cancelled: nothing is asked or written.
        prompts.clear();
        prompts.answerText(std::nullopt);
        save->trigger();
        QVERIFY(prompts.messageTexts().empty());
    }

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
