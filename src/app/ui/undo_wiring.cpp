#include "app/ui/undo_wiring.h"

#include "app/ui/main_window.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_widget.h"
#include "reports/ui/quality_check_window.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

namespace kinloom {

namespace {

// "Link to &Father" -> "Link to Father": the name of the step a command makes.
QString stepName(const QAction& action) {
    QString text = action.text();
    text.remove(QLatin1Char('&'));
    if (text.endsWith(QStringLiteral("..."))) text.chop(3);
    return text.trimmed();
}

QString withName(const QString& verb, const QString& name) {
    return name.isEmpty() ? verb : verb + QLatin1Char(' ') + name;
}

}  // namespace

void connectUndo(MainWindow& w, CanvasWidget& canvas) {
    UndoHistory& history = w.state().history;
    QUndoStack& stack = history.stack();
    // Connected last, so each command has run when its step is cut.
    for (QAction* action : w.findChildren<QAction*>()) {
        if (action == w.undoAction || action == w.redoAction || action->menu()) continue;
        QObject::connect(action, &QAction::triggered, &w, [&history, action] { history.commit(stepName(*action)); });
    }
    canvas.interaction().stepEnded = [&history](const QString& name) { history.commit(name); };
    if (auto* check = w.findChild<QualityCheckWindow*>(QStringLiteral("qualityCheckWindow")))
        QObject::connect(check, &QualityCheckWindow::corrected, &w, [&history] { history.commit(QStringLiteral("Resolve")); });

    const auto afterStep = [&w, &canvas](const QString& said) {
        canvas.interaction().reset();
        w.requestRepaint();
        if (!said.isEmpty()) w.statusBar()->showMessage(said);
    };
    // The status line tells which step Undo or Redo took. Both first cut what is pending into a
    // step of its own, so the step next in line to redo, seen before and after, tells what
    // happened: Undo took back the step that is next now if that changed; Redo made the one that
    // was next.
    QObject::connect(w.undoAction, &QAction::triggered, &w, [&history, &stack, afterStep] {
        const QUndoCommand* redoableBefore = stack.command(stack.index());
        history.undo();
        const QUndoCommand* undone = stack.command(stack.index());
        afterStep(undone && undone != redoableBefore ? withName(QStringLiteral("Undone:"), undone->text()) : QString());
    });
    QObject::connect(w.redoAction, &QAction::triggered, &w, [&history, &stack, afterStep] {
        const QUndoCommand* redoableBefore = stack.command(stack.index());
        history.redo();
        const QUndoCommand* redone = stack.command(stack.index() - 1);
        afterStep(redone && redone == redoableBefore ? withName(QStringLiteral("Redone:"), redone->text()) : QString());
    });
    const auto follow = [&w, &stack] {
        w.undoAction->setEnabled(stack.canUndo());
        w.redoAction->setEnabled(stack.canRedo());
        w.undoAction->setText(withName(QStringLiteral("&Undo"), stack.undoText()));
        w.redoAction->setText(withName(QStringLiteral("&Redo"), stack.redoText()));
        w.undoButton->setToolTip(withName(QStringLiteral("Undo"), stack.undoText()));
        w.redoButton->setToolTip(withName(QStringLiteral("Redo"), stack.redoText()));
        w.renewCaption();  // the mark of unsaved changes
    };
    QObject::connect(&stack, &QUndoStack::indexChanged, &w, follow);
    QObject::connect(&stack, &QUndoStack::cleanChanged, &w, follow);
    follow();
}

}  // namespace kinloom
