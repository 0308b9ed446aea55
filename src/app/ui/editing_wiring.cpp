#include "app/ui/editing_wiring.h"

#include "app/ui/commands.h"
#include "app/ui/menu_exchange.h"
#include "app/ui/main_window.h"
#include "canvas/ui/editing_controller.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_edit_host.h"
#include "canvas/ui/canvas_popup_menu.h"
#include "canvas/ui/canvas_widget.h"
#include "canvas/ui/navigator.h"
#include "editor/ui/person_dialog.h"
#include "platform/file_references.h"

#include <memory>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace kinloom {

namespace {

// Brings the entries up to date just before a key is matched against the shortcuts.
class ShortcutRefresher : public QObject {
public:
    ShortcutRefresher(MainWindow& w) : QObject(&w), w_(w) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == &w_) w_.commands().refresh();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    MainWindow& w_;
};

}  // namespace

void wireEditingCommands(MainWindow& w, EditingController& c, MenuExchange& exchange) {
    Commands& commands = w.commands();
    commands.context().editing = &c;
    c.setViewActions(commands.action(CommandId::Navigator), commands.action(CommandId::NameSearch));
    qApp->installEventFilter(new ShortcutRefresher(w));

    c.setMenuExchange([&exchange](bool empty) { exchange.setEmpty(empty); });
    c.setCharset(w.state().charset);
    QObject::connect(&w, &MainWindow::charsetChanged, &c, [&w, &c] { c.setCharset(w.state().charset); });
    c.setDateOptionsSource([&w] { return DateOptions{w.state().options.dateStandardization}; });
    c.setNavigatorCommands({}, {}, {}, [&w] {
        if (w.state().hooks.focusMainWindow) w.state().hooks.focusMainWindow();
    });
    w.state().hooks.refreshNameSearch = [&c] { c.documentReplaced(); };
    QObject::connect(&w, &MainWindow::startupCompleted, &c, [&c] {
        c.navigator().placeAtStart();
        c.toggleNavigator();
    });
    commands.install(Part::Editing);
}

void toggleNameSearch(CommandContext& c) {
    c.editing->toggleNameSearch();
    if (c.canvas) c.canvas->interaction().panArmed = false;  // showing or hiding it disarms panning
}

namespace {

// What the editing commands need besides the controller, kept alive with the main window.
class EditingParts : public QObject {
public:
    EditingParts(MainWindow& w, CanvasWidget& canvas) : QObject(&w), host(canvas), exchange(w) {}
    CanvasEditHost host;
    MenuExchange exchange;
};

}  // namespace

EditingController* installEditing(MainWindow& w, CanvasWidget& canvas) {
    auto* parts = new EditingParts(w, canvas);
    AppState& state = w.state();
    auto* c = new EditingController(state.store, state.view, parts->host, state.prompts, &w);
    Commands& commands = w.commands();
    wireEditingCommands(w, *c, parts->exchange);
    c->personDialog().setTreeFolder([&state] { return treeFolderOf(state.currentFileName); });

    CanvasInteraction& in = canvas.interaction();
    in.goToAliasEntry = [c] { c->goToAlias(); };  // the canvas ignores the next press itself
    // A new item dropped without a sex: its dialog is a step of its own.
    in.editProperties = [&commands] { commands.run(CommandId::Properties); };
    commands.connectPopup(canvas.popupMenu());

    // The navigator runs the main window's scroll and zoom commands; every paint rewrites its counters.
    CanvasWidget* cw = &canvas;
    c->setNavigatorCommands(
        [cw](int direction) {
            CanvasInteraction& i = cw->interaction();
            i.window = cw->windowSize();
            switch (static_cast<Navigator::Direction>(direction)) {
            case Navigator::Left: i.scrollLeft(); break;
            case Navigator::Right: i.scrollRight(); break;
            case Navigator::Up: i.scrollUp(); break;
            case Navigator::Down: i.scrollDown(); break;
            }
        },
        [cw] {
            cw->interaction().window = cw->windowSize();
            cw->interaction().zoomIn();
        },
        [cw] {
            cw->interaction().window = cw->windowSize();
            cw->interaction().zoomOut();
        },
        [&w] {
            if (w.state().hooks.focusMainWindow) w.state().hooks.focusMainWindow();
        });
    QObject::connect(&canvas, &CanvasWidget::painted, c, [c](const PaintResult& r) {
        if (r.painted && r.ok) c->navigator().setCounterTexts(r.zoomLabel, r.itemsLabel, r.personsLabel);
    });
    QObject::connect(&canvas, &CanvasWidget::painted, &commands, &Commands::refresh);
    return c;
}

}  // namespace kinloom
