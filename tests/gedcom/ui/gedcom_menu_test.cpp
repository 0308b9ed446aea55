#include "app/ui/startup.h"
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "gedcom/ui/gedcom_import_dialog.h"
#include "gedcom/ui/gedcom_menu_commands.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace kinloom;

// The File menu's GEDCOM commands in the real main window.
class GedcomMenuTest : public QObject {
    Q_OBJECT
private slots:
    void importAndExportFromTheFileMenu() {
        QTemporaryDir dir;
        const QString in = QDir(dir.path()).filePath("in.ged");
        {
            QFile f(in);
            QVERIFY(f.open(QIODevice::WriteOnly));
            // The family first, a second name, a surname written first.
            f.write("0 HEAD\r\n0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n"
                    "0 @I1@ INDI\r\n1 NAME Ola /Nordmann/\r\n1 SEX M\r\n0 @I2@ INDI\r\n"
                    "1 NAME Kari /Hansen/\r\n1 NAME Kari /Nordmann/\r\n1 SEX F\r\n0 @I3@ INDI\r\n"
                    "1 NAME /Liu/ Per\r\n0 TRLR\r\n");
        }
        MemoryRegistry registry;
        // Records whether the import dialog was on the screen when the file dialog came.
        struct WatchingPrompts : ScriptedPrompts {
            QWidget* progress = nullptr;
            bool progressShownWithFileDialog = false;
            std::optional<QString> openFileName(const FileDialogRequest& request) override {
                if (progress && progress->isVisible()) progressShownWithFileDialog = true;
                return ScriptedPrompts::openFileName(request);
            }
        } prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        prompts.progress = windows->gedcomImport;
        MainWindow& main = *windows->main;
        startUp(*windows, false);
        AppState& state = main.state();
        QVERIFY(main.commands().action(CommandId::ImportGedcom)->isEnabled());
        QVERIFY(main.commands().action(CommandId::ExportGedcom)->isEnabled());

        // A changed tree: New asks first; Cancel keeps the tree and no file is asked for.
        state.store.createItem();
        prompts.answerButton(PromptAnswer::Cancel);
        main.commands().action(CommandId::ImportGedcom)->trigger();
        QCOMPARE(state.store.itemCount(), 1);
        QCOMPARE(prompts.messageTexts().back(), QStringLiteral("Save changes to your Kinloom file?"));

        // No, then the file dialog cancelled: the tree stays, and the import dialog never shows.
        prompts.clear();
        prompts.answerButton(PromptAnswer::No);
        prompts.answerText(std::nullopt);
        main.commands().action(CommandId::ImportGedcom)->trigger();
        QCOMPARE(state.store.itemCount(), 1);
        QCOMPARE(prompts.records().size(), size_t(2));
        QCOMPARE(prompts.records()[1].kind, QStringLiteral("open"));

        // No: the tree goes once the file is chosen, the dialog reads it with painting off, then
        // closes with OK.
        prompts.clear();
        prompts.answerButton(PromptAnswer::No);
        prompts.answerText(in);
        bool paintDuring = true;
        connect(windows->gedcomImport, &GedcomImportDialog::importFinished, this, [&] {
            paintDuring = state.paintEnabled;
            QCOMPARE(windows->gedcomImport->resultLabel->text(), QStringLiteral("Done."));
            windows->gedcomImport->okButton->click();
        });
        main.commands().action(CommandId::ImportGedcom)->trigger();
        QVERIFY(!paintDuring);
        QVERIFY(state.paintEnabled);
        QCOMPARE(state.store.itemCount(), 3);
        const PersonItem* per = nullptr;
        for (const PersonItem* p = state.store.firstItem(); p; p = p->Next)
            if (p->FirstName == "Per") per = p;
        QVERIFY(per && per->Father && per->Mother);
        QCOMPARE(per->LastName.str(), std::string("Liu"));
        QCOMPARE(per->Mother->LastName.str(), std::string("Hansen"));
        QCOMPARE(per->Mother->Spouse[1], per->Father);
        QVERIFY(state.store.modified);
        QCOMPARE(state.store.currentItem, state.store.firstItem());
        QCOMPARE(state.view.zoom, 100.0);
        QVERIFY(!prompts.progressShownWithFileDialog);
        QCOMPARE(main.statusBar()->currentMessage(), "GEDCOM import: 3 individuals and 1 family read from " + in);

        // Export: the save dialog, the file, and the status line tells what went where and how many
        // notes files could not be read; notes are taken beside the tree. The tree stays unsaved:
        // the file holds no box positions.
        state.currentFileName = QDir(dir.path()).filePath("tree.kl3");
        {
            QFile notes(QDir(dir.path()).filePath("per.txt"));
            QVERIFY(notes.open(QIODevice::WriteOnly));
            notes.write("Per's notes");
        }
        for (PersonItem* p = state.store.firstItem(); p; p = p->Next)
            p->NotesFile = p == per ? "per.txt" : p == per->Father ? "missing.txt" : "";
        const QString out = QDir(dir.path()).filePath("out.ged");
        prompts.clear();
        prompts.answerText(out);
        main.commands().action(CommandId::ExportGedcom)->trigger();
        QCOMPARE(prompts.records().size(), size_t(1));
        QCOMPARE(prompts.records()[0].file.title, QStringLiteral("Export to GEDCOM format"));
        QVERIFY(state.store.modified);
        QCOMPARE(main.statusBar()->currentMessage(),
                 "GEDCOM export: 3 persons and 1 family written to " + out + " (1 notes file could not be read)");
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(text.startsWith("0 HEAD\r\n1 SOUR KINLOOM_2\r\n1 DATE "));
        QCOMPARE(text.count("0 @I"), 3);
        QVERIFY(text.contains("1 HUSB @I"));
        QVERIFY(text.contains("1 NOTE Per's notes\r\n"));
        QVERIFY(text.endsWith("0 TRLR\r\n"));
    }

    void exportErrorIsShownWithTheArrowCursor() {
        // The system's error text comes after the hourglass is gone, and the tree stays unsaved.
        struct WatchingPrompts : ScriptedPrompts {
            bool busyCursor = true;
            PromptAnswer message(const QString& caption, const QString& text, PromptButtons buttons,
                                 PromptIcon icon) override {
                busyCursor = QApplication::overrideCursor() != nullptr;
                return ScriptedPrompts::message(caption, text, buttons, icon);
            }
        } prompts;
        ItemStore store(&prompts);
        store.createItem();
        QTemporaryDir dir;
        prompts.answerText(QDir(dir.path()).filePath("no such folder/out.ged"));
        int repaints = 0;
        runGedcomExportCommand(store, prompts, [&] { ++repaints; });
        const auto texts = prompts.messageTexts();
        QCOMPARE(int(texts.size()), 1);
        QVERIFY(!texts[0].isEmpty());
        QVERIFY(!prompts.busyCursor);
        QVERIFY(QApplication::overrideCursor() == nullptr);
        QVERIFY(store.modified);
        QCOMPARE(repaints, 1);
    }
};

QTEST_MAIN(GedcomMenuTest)
#include "gedcom_menu_test.moc"
