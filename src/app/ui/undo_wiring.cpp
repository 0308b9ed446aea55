#include "app/ui/undo_wiring.h"

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_widget.h"

#include <QAction>
#include <QStatusBar>

namespace kinloom {

namespace {

QString withName(const QString& verb, const QString& name) {
    return name.isEmpty() ? verb : verb + QLatin1Char(' ') + name;
}

void afterStep(CommandContext& c, const QString& said) {
    if (c.canvas) c.canvas->interaction().reset();
    c.window.requestRepaint();
    if (!said.isEmpty()) c.window.statusBar()->showMessage(said);
}

}  // namespace

void connectUndo(MainWindow& w) {
    Commands& commands = w.commands();
    QUndoStack& stack = w.state().history.stack();
    const auto follow = [&w, &commands, &stack] {
        commands.action(CommandId::Undo)->setEnabled(stack.canUndo());
        commands.action(CommandId::Redo)->setEnabled(stack.canRedo());
        commands.action(CommandId::Undo)->setText(withName(QStringLiteral("&Undo"), stack.undoText()));
        commands.action(CommandId::Redo)->setText(withName(QStringLiteral("&Redo"), stack.redoText()));
        commands.toolbarButton(CommandId::Undo)->setToolTip(withName(QStringLiteral("Undo"), stack.undoText()));
        commands.toolbarButton(CommandId::Redo)->setToolTip(withName(QStringLiteral("Redo"), stack.redoText()));
        w.renewCaption();  // the mark of unsaved changes
    };
    QObject::connect(&stack, &QUndoStack::indexChanged, &w, follow);
    QObject::connect(&stack, &QUndoStack::cleanChanged, &w, follow);
    commands.install(Part::Undo);
    follow();
}

bool canUndo(const CommandContext& c, const MainMenuState&) { return c.state.history.stack().canUndo(); }
bool canRedo(const CommandContext& c, const MainMenuState&) { return c.state.history.stack().canRedo(); }

// The status line tells which step Undo or Redo took. The step next in line to redo, seen before
// and after, tells what happened: Undo took back the step that is next now if that changed; Redo
// made the one that was next.
void undoStep(CommandContext& c) {
    QUndoStack& stack = c.state.history.stack();
    const QUndoCommand* redoableBefore = stack.command(stack.index());
    c.state.history.undo();
    const QUndoCommand* undone = stack.command(stack.index());
    afterStep(c, undone && undone != redoableBefore ? withName(QStringLiteral("Undone:"), undone->text()) : QString());
}

void redoStep(CommandContext& c) {
    QUndoStack& stack = c.state.history.stack();
    const QUndoCommand* redoableBefore = stack.command(stack.index());
    c.state.history.redo();
    const QUndoCommand* redone = stack.command(stack.index() - 1);
    afterStep(c, redone && redone == redoableBefore ? withName(QStringLiteral("Redone:"), redone->text()) : QString());
}

}  // namespace kinloom
