// Every command of the table that changes the tree, run at random from its menu entry on a random
// tree, must make one undo step named after its entry, and undo and redo one step at a time must
// give back the very bytes of the tree file at every step. A new command is covered by its row
// alone. The history checks each step (no change outside a step, none without its touch).
#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/startup.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_widget.h"
#include "layout/random_family.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "support/recovery_steps.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <map>
#include <random>

using namespace kinloom;

class CommandUndoTest : public QObject {
    Q_OBJECT
private slots:
    void everyTreeCommandUndoesAndRedoesToTheSameBytes();
};

namespace {

// Answers whichever dialog a command opens: a new first name where there is one, then the
// dialog's default button.
void answerModalDialog(std::mt19937& rng) {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("firstNameEdit")))
        name->setText(QStringLiteral("Name%1").arg(rng() % 1000));
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->isDefault() && b->isEnabled()) {
            b->click();
            return;
        }
    dialog->accept();
}

}  // namespace

void CommandUndoTest::everyTreeCommandUndoesAndRedoesToTheSameBytes() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;  // Yes and OK to every question
    auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
    MainWindow& w = *windows->main;
    startUp(*windows, false);
    AppState& state = w.state();
    ItemStore& store = state.store;
    state.history.setChecking(true);
    Commands& commands = w.commands();
    auto* canvas = qobject_cast<CanvasWidget*>(w.canvas());
    QVERIFY(canvas);

    std::mt19937 rng(7);
    QTimer dialogs;
    QObject::connect(&dialogs, &QTimer::timeout, [&rng] { answerModalDialog(rng); });
    dialogs.start(5);

    // The tree as its file holds it, but with nothing selected: selecting is no step.
    const auto treeBytes = [&] { return QByteArray::fromStdString(test::treeImage(store)); };
    const auto randomItem = [&]() -> PersonItem* {
        if (store.empty() || rng() % 8 == 0) return nullptr;
        PersonItem* p = store.firstItem();
        for (int k = static_cast<int>(rng() % store.itemCount()); k > 0; --k) p = p->Next;
        return p;
    };

    std::vector<const CommandRow*> treeCommands;
    for (const CommandRow& row : commandTable())
        if (row.flags & ChangesTree) treeCommands.push_back(&row);
    QVERIFY(treeCommands.size() >= 15);
    std::map<CommandId, int> stepsMade;

    test::fillRandomFamily(store, 3);
    store.clearSelection();
    state.history.clear();
    state.history.stack().setUndoLimit(0);
    std::vector<QByteArray> states{treeBytes()};
    for (int i = 0; i < 400; ++i) {
        const CommandRow& row = *treeCommands[rng() % treeCommands.size()];
        store.clearSelection();
        store.currentItem = randomItem();
        if (rng() % 3 == 0)
            for (int k = 0; k < 3; ++k)
                if (PersonItem* p = randomItem()) store.addToSelection(p);
        commands.refresh();
        QAction* entry = commands.action(row.id);
        if (!entry->isEnabled()) continue;
        const int before = state.history.stack().count();
        entry->trigger();
        canvas->interaction().reset();  // a new item stays where it was made
        const int made = state.history.stack().count() - before;
        QVERIFY2(made == 0 || made == 1, row.text);
        if (made == 0) continue;
        QCOMPARE(state.history.stack().undoText(), stepName(row));
        ++stepsMade[row.id];
        states.push_back(treeBytes());
    }
    dialogs.stop();
    for (const CommandRow* row : treeCommands) QVERIFY2(stepsMade[row->id] > 0, row->text);

    for (int k = state.history.stack().count(); k > 0; --k) {
        commands.run(CommandId::Undo);
        const QByteArray now = treeBytes();
        qsizetype at = 0;
        while (at < now.size() && at < states[k - 1].size() && now[at] == states[k - 1][at]) ++at;
        QVERIFY2(now == states[k - 1], qPrintable(QStringLiteral("undo of step %1 (%2): record %3, byte %4")
                                                      .arg(k)
                                                      .arg(state.history.stack().command(k - 1)->text())
                                                      .arg(at / 2560)
                                                      .arg(at % 2560)));
        QVERIFY(!store.currentItem || store.contains(store.currentItem));
    }
    for (size_t k = 1; k < states.size(); ++k) {
        commands.run(CommandId::Redo);
        QVERIFY2(treeBytes() == states[k], qPrintable(QStringLiteral("redo of step %1").arg(k)));
    }
}

QTEST_MAIN(CommandUndoTest)
#include "command_undo_test.moc"
