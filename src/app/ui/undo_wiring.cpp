#include "app/ui/undo_wiring.h"

#include "app/ui/main_window.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_widget.h"
#include "reports/ui/quality_check_window.h"

#include <QAction>
#include <QMenu>

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

    const auto afterStep = [&w, &canvas] {
        canvas.interaction().reset();
        w.requestRepaint();
    };
    QObject::connect(w.undoAction, &QAction::triggered, &w, [&history, afterStep] {
        history.undo();
        afterStep();
    });
    QObject::connect(w.redoAction, &QAction::triggered, &w, [&history, afterStep] {
        history.redo();
        afterStep();
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
