// Edit › Undo and Redo on the real windows: the keys, the names of the entries, the clean state
// and the history that New starts afresh.
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "document/item_store.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/test_support.h"

#include <QtTest>

using namespace kinloom;

class UndoKeysTest : public QObject {
    Q_OBJECT

private slots:
    void ctrlFIsOneCtrlZAway() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        ItemStore& store = w.state().store;
        PersonItem* father = test::addPerson(store, "Father", "Item");
        PersonItem* child = test::addPerson(store, "Child", "Item");
        child->Father = father;
        store.modified = false;
        w.state().history.clear();
        QVERIFY(!w.commands().action(CommandId::Undo)->isEnabled());
        QVERIFY(!w.commands().action(CommandId::Redo)->isEnabled());
        QCOMPARE(w.commands().action(CommandId::Undo)->text(), QStringLiteral("&Undo"));

        store.currentItem = child;
        w.activateWindow();
        w.canvas()->setFocus();
        QTest::keyClick(w.canvas(), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(child->Father, nullptr);
        QVERIFY(store.modified);
        QVERIFY(w.commands().action(CommandId::Undo)->isEnabled());
        QVERIFY(w.commands().toolbarButton(CommandId::Undo)->isEnabled());
        QCOMPARE(w.commands().action(CommandId::Undo)->text(), QStringLiteral("&Undo Delete Link to Father"));

        QTest::keyClick(w.canvas(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(child->Father, father);
        QVERIFY(!store.modified);  // back at the state last saved
        QCOMPARE(w.commands().action(CommandId::Redo)->text(), QStringLiteral("&Redo Delete Link to Father"));
        QVERIFY(!w.commands().action(CommandId::Undo)->isEnabled());

        QTest::keyClick(w.canvas(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(child->Father, nullptr);
        QVERIFY(store.modified);
        QTest::keyClick(w.canvas(), Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(w.canvas(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(child->Father, nullptr);

        // New asks to save (No) and starts an empty history.
        prompts.answerButton(PromptAnswer::No);
        w.commands().action(CommandId::New)->trigger();
        QVERIFY(store.empty());
        QVERIFY(!w.commands().action(CommandId::Undo)->isEnabled());
        QVERIFY(!w.commands().action(CommandId::Redo)->isEnabled());
        QVERIFY(!store.modified);
    }
};

QTEST_MAIN(UndoKeysTest)
#include "undo_keys_test.moc"
