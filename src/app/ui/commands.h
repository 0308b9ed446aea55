#pragma once
#include "app/ui/command_table.h"

#include <QObject>

#include <map>
#include <set>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QToolBar;

namespace kinloom {

// The main window's commands made from the table: the menus, the toolbar and the keys of the
// window, the popup's entries, the enabled states, and the run of a command in its undo step.
// Each piece of the program fills in the context it needs and calls install() for its commands.
class Commands : public QObject {
    Q_OBJECT
public:
    Commands(MainWindow& window, AppState& state);

    // Makes the menus into `bar`, the buttons into `toolbar` and the window's keys.
    void build(QMenuBar& bar, QToolBar& toolbar);
    CommandContext& context() { return context_; }
    // The piece is there: its commands come on.
    void install(Part part);
    bool installed(Part part) const { return installed_.contains(part); }
    // Connects the canvas popup's entries that run table commands.
    void connectPopup(CanvasPopupMenu& popup);

    // Runs a command as its menu entry does (nothing while it cannot run): a command that changes
    // the tree runs in an undo step named after it.
    void run(CommandId id);
    // Brings every entry's enabled state (and a text that follows the tree) up to date.
    void refresh();

    QAction* action(CommandId id) const;         // the menu entry or key of the window
    QAction* toolbarButton(CommandId id) const;  // nil when it has none
    QMenu* menu(CommandId submenu) const;        // a submenu row's menu
    bool isChecked(CommandId id) const;

private:
    QMenu* menuAt(QMenuBar& bar, const QString& path);

    MainWindow& window_;
    CommandContext context_;
    std::set<Part> installed_{Part::Window};
    std::map<QString, QMenu*> menus_;
    std::map<QString, QActionGroup*> radioGroups_;
    std::map<CommandId, QAction*> actions_;
    std::map<CommandId, QAction*> buttons_;
    std::map<CommandId, QMenu*> submenus_;
};

}  // namespace kinloom
