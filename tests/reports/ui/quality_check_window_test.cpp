#include "reports/ui/quality_check_window.h"

#include "document/item_store.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

using namespace kinloom;

class QualityCheckWindowTest : public QObject {
    Q_OBJECT

    static QStringList rowTexts(const QualityCheckWindow& w) {
        QStringList out;
        for (int i = 0; i < w.problemList->topLevelItemCount(); ++i)
            out << w.problemList->topLevelItem(i)->text(0) + " | " + w.problemList->topLevelItem(i)->text(1);
        return out;
    }
    static void select(QualityCheckWindow& w, int row) {
        w.problemList->setCurrentItem(w.problemList->topLevelItem(row));
    }

private slots:
    void showsTheCheckAndResolvesRows() {
        QTemporaryDir dir;
        QFile(dir.filePath("here.txt")).open(QIODevice::WriteOnly);
        ItemStore store;
        PersonItem* anna = test::addPerson(store, "Anna", "Berg");
        anna->NotesFile = "lost.txt";
        anna->PictureFile = "lost.jpg";
        PersonItem* bo = test::addPerson(store, "Bo", "Adams");
        bo->NotesFile = "here.txt";
        bo->PictureFile = "bo.gif";
        store.modified = false;
        ScriptedPrompts prompts;

        QualityCheckWindow w(store, prompts);
        QCOMPARE(w.windowTitle(), QString("Quality Check"));
        QCOMPARE(w.fileLabel->text(), QString("File: (New File)"));
        w.setFileName(dir.filePath("family.kl3"));
        QCOMPARE(w.fileLabel->text(), "File: " + dir.filePath("family.kl3"));
        QCOMPARE(w.problemList->headerItem()->text(0), QString("Person"));
        QCOMPARE(w.problemList->headerItem()->text(1), QString("Error message"));
        QCOMPARE(w.problemList->columnWidth(0), 200);
        QCOMPARE(w.okButton->text(), QString("&OK"));
        QCOMPARE(w.resolveButton->text(), QString("&Resolve"));
        QCOMPARE(w.checkAgainButton->text(), QString("&Check again"));

        w.showDetails(false);
        QVERIFY(w.isVisible());
        QVERIFY(!w.isModal());
        QCOMPARE(w.runCheck(), 3);
        QCOMPARE(w.resultLabel->text(), QString("Quality check complete: 3 error(s)"));
        QCOMPARE(rowTexts(w), QStringList({"Adams Bo | Image file not found: bo.gif", "Berg Anna | Text file not found: lost.txt",
                                           "Berg Anna | Image file not found: lost.jpg"}));
        QVERIFY(w.okButton->isEnabled() && w.checkAgainButton->isEnabled());
        QVERIFY(!w.resolveButton->isEnabled());  // nothing selected

        // Resolve by choosing the file again.
        QSignalSpy corrected(&w, &QualityCheckWindow::corrected);
        select(w, 1);
        QVERIFY(w.resolveButton->isEnabled());
        prompts.answerText(dir.filePath("here.txt"));
        QTest::mouseClick(w.resolveButton, Qt::LeftButton);
        QCOMPARE(anna->NotesFile.str(), dir.filePath("here.txt").toStdString());
        QCOMPARE(w.problemList->topLevelItem(1)->text(1), QString());
        QVERIFY(!w.resolveButton->isEnabled());
        QVERIFY(store.modified);
        QCOMPARE(corrected.count(), 1);
        QCOMPARE(w.resultLabel->text(), QString("Quality check complete: 3 error(s)"));  // until checked again

        // A double click that is cancelled and answered No keeps everything.
        store.modified = false;
        QTreeWidgetItem* row = w.problemList->topLevelItem(2);
        select(w, 2);
        prompts.answerText(std::nullopt);
        prompts.answerButton(PromptAnswer::No);
        emit w.problemList->itemDoubleClicked(row, 0);
        QCOMPARE(anna->PictureFile.str(), std::string("lost.jpg"));
        QCOMPARE(row->text(1), QString("Image file not found: lost.jpg"));
        QVERIFY(!store.modified);
        QCOMPARE(prompts.records().back().text,
                 QString("No image file was selected. Would you like to remove the reference to lost.jpg?"));

        // ... and Yes removes the reference.
        prompts.answerText(std::nullopt);
        prompts.answerButton(PromptAnswer::Yes);
        QTest::mouseClick(w.resolveButton, Qt::LeftButton);
        QVERIFY(anna->PictureFile.empty());
        QCOMPARE(corrected.count(), 2);

        QTest::mouseClick(w.checkAgainButton, Qt::LeftButton);
        QCOMPARE(rowTexts(w), QStringList({"Adams Bo | Image file not found: bo.gif"}));
        QCOMPARE(w.resultLabel->text(), QString("Quality check complete: 1 error(s)"));

        // A deleted person's row can no longer be resolved.
        select(w, 0);
        QVERIFY(w.resolveButton->isEnabled());
        store.currentItem = bo;
        store.deleteItem();
        QVERIFY(!w.resolveButton->isEnabled());
        QTest::mouseClick(w.resolveButton, Qt::LeftButton);  // disabled: nothing happens
        w.resolveSelected();
        QCOMPARE(prompts.pendingAnswers(), size_t{0});

        QTest::mouseClick(w.okButton, Qt::LeftButton);
        QVERIFY(!w.isVisible());
    }

    void modalBeforeASave() {
        ItemStore store;
        ScriptedPrompts prompts;
        QualityCheckWindow w(store, prompts, "/t/a.kl3");
        w.showDetails(false);  // already open without waiting
        bool modal = false;
        QTimer::singleShot(0, &w, [&] {
            modal = QApplication::activeModalWidget() == &w;
            w.okButton->click();
        });
        w.showDetails(true);
        QVERIFY(modal);
        QVERIFY(!w.isVisible());
    }
};

QTEST_MAIN(QualityCheckWindowTest)
#include "quality_check_window_test.moc"
