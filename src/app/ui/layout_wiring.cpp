#include "app/ui/layout_wiring.h"

#include "app/ui/main_window.h"
#include "canvas/menu_state.h"
#include "layout/ui/ancestor_tree_dialog.h"
#include "layout/ui/layout_commands.h"

#include <QAction>
#include <QMenu>

namespace kinloom {

void connectLayoutCommands(MainWindow& window) {
    AppState& s = window.state();
    auto* dialog = new AncestorTreeDialog(&window);
    dialog->setObjectName(QStringLiteral("ancestorTreeDialog"));
    auto create = [&s, dialog](TreeStyle style) {
        if (runCreateTree(s.store, style, *dialog, s.prompts)) s.repaint();
    };
    auto organize = [&s](TreeStyle style) {
        if (runOrganizeTree(s.store, style, s.prompts)) s.repaint();
    };
    // The toolbar button runs createCompactTreeAction (the window connects it).
    QObject::connect(window.createCompactTreeAction, &QAction::triggered, dialog, [create] { create(TreeStyle::Compact); });
    QObject::connect(window.createFractalTreeAction, &QAction::triggered, dialog, [create] { create(TreeStyle::Fractal); });
    QObject::connect(window.organizeCompactTreeAction, &QAction::triggered, dialog, [organize] { organize(TreeStyle::Compact); });
    QObject::connect(window.organizeFractalTreeAction, &QAction::triggered, dialog, [organize] { organize(TreeStyle::Fractal); });
    QObject::connect(window.autoArrangeAction, &QAction::triggered, dialog, [&s] {
        if (runAutoArrange(s.store, s.view, s.windowOuterSize(), s.prompts)) s.repaint();
    });
    QObject::connect(window.familyChartAction, &QAction::triggered, dialog, [&s] {
        if (!runFamilyChart(s.store, s.prompts)) return;
        if (s.hooks.fitWholeTree)
            s.hooks.fitWholeTree();
        else
            s.repaint();
    });
    // The two submenus follow the current item each time the Edit menu opens. createCompactTreeAction and createFractalTreeAction
    // stay enabled inside theirs, since the toolbar button runs createCompactTreeAction under rules of its own.
    for (QAction* a : {window.createCompactTreeAction, window.createFractalTreeAction, window.autoArrangeAction, window.familyChartAction})
        a->setEnabled(true);
    auto refresh = [&window, &s] {
        const MainMenuState m = computeMainMenuState(s.store);
        window.createAncestorTreeMenu->menuAction()->setEnabled(m.createAncestors);
        window.organizeAncestorTreeMenu->menuAction()->setEnabled(m.organizeAncestors);
        window.organizeCompactTreeAction->setEnabled(m.organizeAncestors);
        window.organizeFractalTreeAction->setEnabled(m.organizeAncestors);
    };
    if (auto* edit = qobject_cast<QMenu*>(window.createAncestorTreeMenu->parentWidget()))
        QObject::connect(edit, &QMenu::aboutToShow, &window, refresh);
    refresh();
}

}  // namespace kinloom
