#include "document/item_store.h"
#include "gedcom/gedcom_commands.h"
#include "gedcom/ui/gedcom_import_dialog.h"
#include "gedcom/ui/gedcom_menu_commands.h"
#include "platform/scripted_prompts.h"
#include "platform/ui/qt_prompts.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace kinloom;

class GedcomImportDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QByteArray& text, const QString& name = QStringLiteral("in.ged")) {
        const QString path = QDir(dir_.path()).filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(text);
        return path;
    }

    struct Setup {
        ScriptedPrompts prompts;
        ItemStore store{&prompts};
        ViewState view;
        GedcomImportDialog dialog{store, view, [] { return WindowSize{1000, 800}; }, prompts};
    };

    // Shows the dialog as the File menu does and waits for its import run to end.
    static void run(Setup& s, const QString& file) {
        QSignalSpy finished(&s.dialog, &GedcomImportDialog::importFinished);
        s.dialog.prepare(file);
        s.dialog.show();
        QVERIFY(finished.wait(20000));
    }

private slots:
    // The tree read is arranged as the dialog's arrangement says: a family chart when unset.
    void arrangesAsItsArrangementSays() {
        const QString file = write("0 @I1@ INDI\n1 SEX M\n0 @I2@ INDI\n1 SEX F\n0 @I3@ INDI\n"
                                   "0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @I2@\n1 CHIL @I3@\n");
        for (const bool rows : {false, true}) {
            Setup s;
            if (rows) s.dialog.arrangement = [] { return ArrangeStyle::GenerationRows; };
            run(s, file);
            const PersonItem* child = s.store.firstItem();
            if (rows) {  // auto arrange: the child is home, its parents a row of 500 above
                QVERIFY(child->Father);
                QCOMPARE(child->Father->Y, child->Y - 500);
            } else {
                child = s.store.lastItem();
                QVERIFY(child->Father);
                QCOMPARE(std::pair(child->X, child->Y), std::pair(80, 350));
                QCOMPARE(std::pair(child->Father->X, child->Mother->X), std::pair(0, 160));
            }
        }
    }

    void refusedMarriagesAreToldInOneBox() {
        Setup s;
        QByteArray text = "0 @I1@ INDI\r\n";
        for (int i = 2; i <= 12; ++i) text += "0 @I" + QByteArray::number(i) + "@ INDI\r\n";
        for (int i = 2; i <= 12; ++i)
            text += "0 @F" + QByteArray::number(i) + "@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I" + QByteArray::number(i) + "@\r\n";
        run(s, write(text));
        QCOMPARE(s.dialog.resultLabel->text(), QStringLiteral("Done."));
        const auto texts = s.prompts.messageTexts();
        QCOMPARE(int(texts.size()), 1);
        QCOMPARE(texts[0], QStringLiteral("Error: Could not create marriage. This version only supports 8 marriages. "
                                          "3 marriages could not be created."));
        QCOMPARE(s.store.itemCount(), 12);
    }

    void importsAFileAndShowsTheCounts() {
        Setup s;
        const QString file = write("0 HEAD\r\n0 @I1@ INDI\r\n1 NAME Ola /Nordmann/\r\n0 @I2@ INDI\r\n"
                                   "0 @I3@ INDI\r\n0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n"
                                   "1 CHIL @I3@\r\n0 TRLR\r\n");
        run(s, file);
        QCOMPARE(s.dialog.windowTitle(), QStringLiteral("Gedcom import"));
        QCOMPARE(s.dialog.fileNameLabel->text(), file);
        QCOMPARE(s.dialog.individualsCountLabel->text(), QStringLiteral("3 "));
        QCOMPARE(s.dialog.familiesCountLabel->text(), QStringLiteral("1 "));
        QCOMPARE(s.dialog.resultLabel->text(), QStringLiteral("Done."));
        QCOMPARE(s.dialog.progressBar->value(), 100);
        QVERIFY(s.dialog.okButton->isEnabled());
        QCOMPARE(s.store.itemCount(), 3);
        QCOMPARE(s.store.currentItem, s.store.firstItem());
        QCOMPARE(s.view.zoom, 100.0);
        QVERIFY(!QFile::exists(QDir(dir_.path()).filePath("temp.klc")));

        QVERIFY(s.prompts.records().empty());  // the file was chosen before the dialog showed

        // The open dialog and its three filters.
        s.prompts.answerText(std::nullopt);
        QVERIFY(!askGedcomFileToImport(s.prompts));
        QCOMPARE(int(s.prompts.records().size()), 1);
        const auto& open = s.prompts.records()[0];
        QCOMPARE(open.kind, QStringLiteral("open"));
        QCOMPARE(open.file.filter,
                 QStringLiteral("Gedcom files (*.ged)|*.ged|Text files (*.txt)|*.txt|All files (*.*)|*.*"));
        QCOMPARE(open.file.defaultExtension, QStringLiteral("ged"));

        // Shown again with a tree in the store, it only resets its displays and asks nothing.
        s.dialog.startImport();
        QCOMPARE(s.dialog.individualsCountLabel->text(), QStringLiteral("0 "));
        QCOMPARE(s.dialog.resultLabel->text(), QString());
        QCOMPARE(int(s.prompts.records().size()), 1);
        QCOMPARE(s.store.itemCount(), 3);
        s.dialog.okButton->click();
        QVERIFY(!s.dialog.isVisible());
    }

    void fileMenuImportAsksForTheFileFirstAndReadsWithPaintingOff() {
        Setup s;
        s.store.createItem();
        bool paintEnabled = true, paintedDuring = true;
        int repaints = 0;
        QStringList statuses;
        const auto status = [&](const QString& text) { statuses << text; };
        // The user stops in the save question or the file dialog: the tree stays, no dialog shows.
        runGedcomImportCommand(s.dialog, [] { return std::optional<QString>(); }, paintEnabled, [&] { ++repaints; },
                               status);
        QCOMPARE(s.store.itemCount(), 1);
        QVERIFY(!s.dialog.isVisible());
        QCOMPARE(repaints, 0);
        QVERIFY(statuses.isEmpty());

        const QString file = write("0 @I1@ INDI\n1 NAME Kari /Hansen/\n0 @I2@ INDI\n");
        connect(&s.dialog, &GedcomImportDialog::importFinished, &s.dialog, [&] {
            paintedDuring = paintEnabled;
            s.dialog.confirm();
        });
        runGedcomImportCommand(
            s.dialog,
            [&] {
                s.store.clearMemory();
                return std::optional<QString>(file);
            },
            paintEnabled, [&] { ++repaints; }, status);
        QVERIFY(!paintedDuring);
        QVERIFY(paintEnabled);
        QCOMPARE(repaints, 1);
        QCOMPARE(s.store.itemCount(), 2);
        QCOMPARE(s.store.firstItem()->LastName.str(), std::string("Hansen"));
        QCOMPARE(statuses, QStringList{"GEDCOM import: 2 individuals and 0 families read from " + file});
    }

    void aLineThatIsNotGedcomIsSkippedAndToldAtTheEnd() {
        Setup s;
        run(s, write("0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\nx SEX M\n0 @I2@ INDI\n1 SEX F\n"));
        QCOMPARE(s.prompts.messageTexts(),
                 std::vector<QString>{QStringLiteral("1 line could not be read and was skipped (line 4)")});
        QCOMPARE(s.dialog.resultLabel->text(), QStringLiteral("Done."));
        QCOMPARE(s.dialog.individualsCountLabel->text(), QStringLiteral("2 "));
        QCOMPARE(s.dialog.progressBar->value(), 100);
        QVERIFY(s.dialog.okButton->isEnabled());
        QCOMPARE(s.store.itemCount(), 2);
        QCOMPARE(s.store.currentItem, s.store.firstItem());  // arranged and zoomed as usual
        QVERIFY(s.store.firstItem()->X != s.store.lastItem()->X);
    }

    // The real message boxes of an import stand in front of the import window: they are its
    // children, and stay on top as it does.
    void messageBoxesOpenInFrontOfTheImportWindow() {
        QWidget mainWindow;
        mainWindow.resize(600, 400);
        mainWindow.show();
        QtPrompts prompts(&mainWindow);
        ItemStore store(&prompts);
        ViewState view;
        GedcomImportDialog dialog(store, view, [] { return WindowSize{1000, 800}; }, prompts, &mainWindow);
        QStringList texts;
        QList<QWidget*> parents;
        QList<bool> onTop;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &poll, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (!box || !box->isVisible()) continue;
                texts << box->text();
                parents << box->parentWidget();
                onTop << box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
                box->accept();
            }
        });
        poll.start(10);
        QSignalSpy finished(&dialog, &GedcomImportDialog::importFinished);
        dialog.prepare(write("0 @I1@ INDI\n1 NAME A /B/\n* note\n"));
        dialog.show();
        QVERIFY(finished.wait(20000));
        dialog.prepare(QDir(dir_.path()).filePath("missing.ged"));
        store.clearMemory();
        dialog.hide();
        dialog.show();
        QVERIFY(finished.wait(20000));
        dialog.hide();
        QCOMPARE(texts, QStringList({"1 line could not be read and was skipped (line 3)", "GEDCOM import failed"}));
        QCOMPARE(parents, QList<QWidget*>({&dialog, &dialog}));
        QCOMPARE(onTop, QList<bool>({true, true}));
    }

    void failureMessageComesWithOkEnabledAndTheArrowCursor() {
        // The message box of a failed import is shown once the reading has ended: OK is usable and
        // the hourglass is gone, so the user does not see a busy cursor over the message.
        struct WatchingPrompts : ScriptedPrompts {
            GedcomImportDialog* dialog = nullptr;
            bool okEnabled = false;
            bool busyCursor = true;
            PromptAnswer message(const QString& caption, const QString& text, PromptButtons buttons,
                                 PromptIcon icon) override {
                okEnabled = dialog->okButton->isEnabled();
                busyCursor = QApplication::overrideCursor() != nullptr;
                return ScriptedPrompts::message(caption, text, buttons, icon);
            }
        } prompts;
        ItemStore store(&prompts);
        ViewState view;
        GedcomImportDialog dialog(store, view, [] { return WindowSize{1000, 800}; }, prompts);
        prompts.dialog = &dialog;
        QSignalSpy finished(&dialog, &GedcomImportDialog::importFinished);
        dialog.prepare(QDir(dir_.path()).filePath("missing.ged"));  // a file that cannot be read
        dialog.show();
        QVERIFY(finished.wait(20000));
        QCOMPARE(prompts.messageTexts(), std::vector<QString>{QStringLiteral("GEDCOM import failed")});
        QVERIFY(prompts.okEnabled);
        QVERIFY(!prompts.busyCursor);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QCOMPARE(dialog.resultLabel->text(),
                 QStringLiteral("GEDCOM import failed - file possibly corrupted (reached line 0)"));
    }

    void centredOnTheScreenNotOnItsParent() {
        QWidget parent;
        parent.setGeometry(10, 10, 200, 100);
        parent.show();
        ScriptedPrompts prompts;
        ItemStore store(&prompts);
        store.createItem();  // a tree in the store: showing the dialog reads nothing
        ViewState view;
        GedcomImportDialog dialog(store, view, [] { return WindowSize{1000, 800}; }, prompts, &parent);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        const QPoint screenCentre = dialog.screen()->availableGeometry().center();
        QVERIFY2((dialog.frameGeometry().center() - screenCentre).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("dialog centre %1,%2").arg(dialog.frameGeometry().center().x())
                                .arg(dialog.frameGeometry().center().y())));
        QVERIFY(prompts.records().empty());
    }

    void staysResponsiveWithOkDisabledWhileReading() {
        QByteArray big = "0 HEAD\r\n";
        for (int i = 1; i <= 60000; ++i)
            big += "0 @I" + QByteArray::number(i) + "@ INDI\r\n1 NAME A /B/\r\n1 BIRT\r\n2 DATE 1900\r\n";
        Setup s;
        const QString file = write(big, "big.ged");
        int ticks = 0, okEnabledTicks = 0, closedTicks = 0;
        QTimer timer;
        timer.setInterval(1);
        connect(&timer, &QTimer::timeout, &timer, [&] {
            if (!s.dialog.reading()) return;
            ++ticks;
            if (s.dialog.okButton->isEnabled()) ++okEnabledTicks;
            s.dialog.reject();  // Escape while reading does not close the dialog
            if (!s.dialog.isVisible()) ++closedTicks;
        });
        timer.start();
        run(s, file);
        QVERIFY2(ticks > 0, "the event loop ran while the file was read");
        QCOMPARE(okEnabledTicks, 0);
        QCOMPARE(closedTicks, 0);
        QCOMPARE(s.store.itemCount(), 60000);
        QCOMPARE(s.dialog.individualsCountLabel->text(), QStringLiteral("60000 "));
    }
};

QTEST_MAIN(GedcomImportDialogTest)
#include "gedcom_import_dialog_test.moc"
