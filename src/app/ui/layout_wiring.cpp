#include "app/ui/layout_wiring.h"

#include "app/ui/tslektstre.h"
#include "canvas/menu_state.h"
#include "layout/ui/create_tree_dialog.h"
#include "layout/ui/layout_commands.h"

#include <QAction>
#include <QMenu>

namespace kinloom {

void ConnectLayoutCommands(TSlektstre& window) {
    AppState& s = window.state();
    auto* dialog = new TCreateTreeDlg(&window);
    dialog->setObjectName(QStringLiteral("CreateTreeDlg"));
    auto create = [&s, dialog](TreeStyle style) {
        if (RunCreateTree(s.Store, style, *dialog, s.prompts)) s.Repaint();
    };
    auto organize = [&s](TreeStyle style) {
        if (RunOrganizeTree(s.Store, style, s.prompts)) s.Repaint();
    };
    // The toolbar button runs Compact1 (the window connects it).
    QObject::connect(window.Compact1, &QAction::triggered, dialog, [create] { create(TreeStyle::Compact); });
    QObject::connect(window.Fractal1, &QAction::triggered, dialog, [create] { create(TreeStyle::Fractal); });
    QObject::connect(window.Compact2, &QAction::triggered, dialog, [organize] { organize(TreeStyle::Compact); });
    QObject::connect(window.Fractal2, &QAction::triggered, dialog, [organize] { organize(TreeStyle::Fractal); });
    QObject::connect(window.AutoArrange1, &QAction::triggered, dialog, [&s] {
        if (RunAutoArrange(s.Store, s.View, s.WindowOuterSize(), s.prompts)) s.Repaint();
    });
    // The two submenus follow the current item each time the Edit menu opens. Compact1 and Fractal1
    // stay enabled inside theirs, since the toolbar button runs Compact1 under rules of its own.
    for (QAction* a : {window.Compact1, window.Fractal1, window.AutoArrange1}) a->setEnabled(true);
    auto refresh = [&window, &s] {
        const MainMenuState m = ComputeMainMenuState(s.Store);
        window.CreateAncestorTree1->menuAction()->setEnabled(m.createAncestors);
        window.OrganizeAncestorTree1->menuAction()->setEnabled(m.organizeAncestors);
        window.Compact2->setEnabled(m.organizeAncestors);
        window.Fractal2->setEnabled(m.organizeAncestors);
    };
    if (auto* edit = qobject_cast<QMenu*>(window.CreateAncestorTree1->parentWidget()))
        QObject::connect(edit, &QMenu::aboutToShow, &window, refresh);
    refresh();
}

}  // namespace kinloom
