// Never losing work on the real windows: undo stops at the tree opened from the command line, the
// caption marks unsaved changes, a killed run's tree is offered at the next start (recovered or
// declined), and a folder that cannot take the recovery data is told once on the status line.
#include "app/crash_recovery.h"
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "document/item_store.h"
#include "document/recovery_recorder.h"
#include "document/tree_file.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/recovery_steps.h"
#include "support/test_support.h"

#include <QDir>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

using namespace kinloom;

class CrashRecoveryTest : public QObject {
    Q_OBJECT

    QTemporaryDir home_;

    // Father and child, the child linked to the father, written by our own writer.
    static QString writeFamily(const QString& path) {
        ScriptedPrompts prompts;
        ItemStore store;
        PersonItem* father = test::addPerson(store, "Ola", "Hansen", 0, 0);
        PersonItem* child = test::addPerson(store, "Kari", "Hansen", 0, 200);
        child->Father = father;
        return saveToFile(store, path, prompts) ? path : QString();
    }

    static std::string fileImage(const QString& path) {
        ScriptedPrompts prompts;
        ItemStore store;
        ViewState view;
        return readFromFile(store, path, view, {}, prompts) == ReadStatus::Ok ? test::treeImage(store) : "unreadable";
    }

    static void activate(MainWindow& w) {
        w.activateWindow();
        w.windowHandle()->requestActivate();
        QTRY_COMPARE(QGuiApplication::focusWindow(), w.windowHandle());
        w.canvas()->setFocus();
    }

    // What a killed run leaves: a log of `steps` edits of the tree, no longer held by anyone.
    static void leaveLogOf(const QString& folder, const QString& file, const QDateTime& changed, std::string* tree) {
        ItemStore store;
        UndoHistory history(store);
        RecoveryRecorder recovery(store, history);
        recovery.setFolder(folder);
        recovery.clock = [changed] { return changed.toMSecsSinceEpoch(); };
        if (!file.isEmpty()) {
            ScriptedPrompts prompts;
            ViewState view;
            QCOMPARE(readFromFile(store, file, view, {}, prompts), ReadStatus::Ok);
            history.clear();
        }
        recovery.start(file, recoveryLabel(file));
        test::RecoverySteps steps(store, history, 5);
        for (int i = 0; i < 30; ++i) steps.next();
        *tree = test::treeImage(store);
    }

    // The windows of a run whose recovery data lives in `folder`, started; `arguments` name a tree.
    struct Run {
        MemoryRegistry registry;
        std::unique_ptr<KinloomWindows> windows;
        MainWindow& w() { return *windows->main; }
    };
    static void start(Run& run, ScriptedPrompts& prompts, const QString& folder, const QStringList& arguments = {}) {
        run.windows = createWindows(run.registry, prompts, "/opt/k/kinloom", arguments);
        run.w().state().recovery.setFolder(folder);
        startUp(*run.windows, false);
    }

private slots:
    void initTestCase() {
        qputenv("XDG_STATE_HOME", home_.filePath("state").toUtf8());
        qputenv("HOME", home_.path().toUtf8());
        QCOMPARE(defaultRecoveryFolder(), home_.filePath("state") + "/kinloom");
        qputenv("XDG_STATE_HOME", "relative/state");  // not absolute, so the default is used
        QCOMPARE(defaultRecoveryFolder(), home_.path() + "/.local/state/kinloom");
    }

    void undoStopsAtTheTreeOpenedFromTheCommandLine() {
        QTemporaryDir dir;
        const QString tree = writeFamily(dir.filePath("tree.kl3"));
        const std::vector<unsigned char> original = test::readBytes(tree);
        ScriptedPrompts prompts;
        Run run;
        start(run, prompts, dir.filePath("state"), {tree});
        MainWindow& w = run.w();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ItemStore& store = w.state().store;
        QTRY_COMPARE(w.windowTitle(), "Kinloom 2.0 beta 3.6 [" + tree + "][*]");
        QVERIFY(!w.isWindowModified());
        QVERIFY(!w.commands().action(CommandId::Undo)->isEnabled());

        store.currentItem = store.lastItem();
        activate(w);
        QTest::keyClick(w.canvas(), Qt::Key_F, Qt::ControlModifier);  // Delete Link to Father
        QCOMPARE(store.lastItem()->Father, nullptr);
        QVERIFY(w.isWindowModified());
        QTest::keyClick(w.canvas(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(w.canvas(), Qt::Key_Z, Qt::ControlModifier);  // nothing more to undo
        QCOMPARE(store.itemCount(), 2);
        QCOMPARE(test::treeImage(store), fileImage(tree));
        QVERIFY(!w.isWindowModified());
        QVERIFY(!w.commands().action(CommandId::Undo)->isEnabled());
        QTest::keyClick(w.canvas(), Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(test::readBytes(tree), original);
        QCOMPARE(prompts.messageTexts(), std::vector<QString>{});
    }

    void aKilledRunsTreeIsOfferedRecoveredAndItsDataRemovedOnExit() {
        QTemporaryDir dir;
        const QString folder = dir.filePath("state/kinloom");
        const QString tree = writeFamily(dir.filePath("family.kl3"));
        const QDateTime changed(QDate::currentDate(), QTime(10, 42));
        std::string edited;
        leaveLogOf(folder, tree, changed, &edited);
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 1);

        ScriptedPrompts prompts;
        prompts.answerButton(PromptAnswer::Yes);
        Run run;
        start(run, prompts, folder);
        MainWindow& w = run.w();
        QCOMPARE(prompts.messageTexts(), std::vector<QString>{"Kinloom was stopped before these changes were saved:\n\n"
                                                              "family.kl3, changed 10:42\n\nDo you want to recover them?"});
        QCOMPARE(prompts.records().front().buttons, PromptButtons::YesNo);
        QCOMPARE(test::treeImage(w.state().store), edited);
        QCOMPARE(w.state().currentFileName, tree);
        QVERIFY(w.state().store.modified);
        QTRY_VERIFY(w.isWindowModified());
        QCOMPARE(w.statusBar()->currentMessage(), QString("Recovered family.kl3, changed 10:42"));
        QVERIFY(!w.commands().action(CommandId::Undo)->isEnabled());  // the recovered tree is where undo starts
        // The recovered tree has data of its own at once; the old data is gone.
        const QStringList logs = QDir(folder).entryList(QDir::Files);
        QCOMPARE(logs.size(), 1);
        QCOMPARE(QDir(folder).filePath(logs.first()), w.state().recovery.logPath());

        // Exit without saving removes it.
        prompts.clear();
        prompts.answerButton(PromptAnswer::No);
        QVERIFY(w.close());
        QCOMPARE(prompts.messageTexts().size(), size_t(1));
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{});
    }

    void aDeclinedTreeIsRemovedAndAnUntitledOneIsNamedSo() {
        QTemporaryDir dir;
        const QString folder = dir.filePath("state/kinloom");
        const QDateTime yesterday(QDate::currentDate().addDays(-1), QTime(9, 5));
        std::string edited;
        leaveLogOf(folder, {}, yesterday, &edited);
        ScriptedPrompts prompts;
        prompts.answerButton(PromptAnswer::No);
        Run run;
        start(run, prompts, folder);
        MainWindow& w = run.w();
        const QString when = QLocale::c().toString(yesterday, "d MMM yyyy HH:mm");
        QCOMPARE(prompts.messageTexts(),
                 std::vector<QString>{"Kinloom was stopped before these changes were saved:\n\nUntitled tree, changed " +
                                      when + "\n\nDo you want to recover them?"});
        QVERIFY(w.state().store.empty());
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{});
    }

    void recoveryDataThatCannotBeWrittenIsToldOnce() {
        QTemporaryDir dir;
        QVERIFY(test::writeBytes(dir.filePath("blocked"), {'x'}));
        ScriptedPrompts prompts;
        Run run;
        start(run, prompts, dir.filePath("blocked/kinloom"));
        MainWindow& w = run.w();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        activate(w);
        w.commands().action(CommandId::NewItem)->trigger();
        QCOMPARE(w.state().store.itemCount(), 1);
        const QString told = "Recovery data could not be written: The folder " + dir.filePath("blocked/kinloom") +
                             " cannot be made.";
        QCOMPARE(w.statusBar()->currentMessage(), told);
        w.statusBar()->showMessage("OK");
        prompts.answerButton(PromptAnswer::No);
        w.commands().action(CommandId::New)->trigger();
        w.commands().action(CommandId::NewItem)->trigger();
        QCOMPARE(w.state().store.itemCount(), 1);
        QVERIFY(w.statusBar()->currentMessage() != told);  // once a run
    }
};

QTEST_MAIN(CrashRecoveryTest)
#include "crash_recovery_test.moc"
