#include "app/ui/layout_wiring.h"

#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "layout/ui/ancestor_tree_dialog.h"
#include "layout/ui/layout_commands.h"

namespace kinloom {

void connectLayoutCommands(MainWindow& window) {
    auto* dialog = new AncestorTreeDialog(&window);
    dialog->setObjectName(QStringLiteral("ancestorTreeDialog"));
    window.commands().context().ancestorTree = dialog;
    window.commands().install(Part::Layout);
}

void createAncestorTree(CommandContext& c, TreeStyle style) {
    AppState& s = c.state;
    if (runCreateTree(s.store, style, *c.ancestorTree, s.prompts)) s.repaint();
}

void organizeAncestorTree(CommandContext& c, TreeStyle style) {
    AppState& s = c.state;
    if (runOrganizeTree(s.store, style, s.prompts)) s.repaint();
}

void autoArrange(CommandContext& c) {
    AppState& s = c.state;
    if (runAutoArrange(s.store, s.view, s.windowOuterSize(), s.prompts)) s.repaint();
}

void arrangeAsFamilyChart(CommandContext& c) {
    AppState& s = c.state;
    if (!runFamilyChart(s.store, s.prompts)) return;
    if (s.hooks.fitWholeTree)
        s.hooks.fitWholeTree();
    else
        s.repaint();
}

}  // namespace kinloom
