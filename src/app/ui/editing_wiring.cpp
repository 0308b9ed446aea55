#include "app/ui/editing_wiring.h"

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

void applyMenuState(MainWindow& w, const MainMenuState& m) {
    for (QAction* a : {w.alignTopAction, w.alignBottomAction, w.alignLeftAction, w.alignRightAction}) a->setEnabled(m.align);
    w.propertiesAction->setEnabled(m.properties);
    w.makeHomeAction->setEnabled(m.makeHome);
    w.deleteAction->setEnabled(m.deleteItem);
    w.linkToFatherAction->setEnabled(m.linkParentsAndSpouse);
    w.linkToMotherAction->setEnabled(m.linkParentsAndSpouse);
    w.linkToSpouseAction->setEnabled(m.linkParentsAndSpouse);
    w.deleteFatherLinkAction->setEnabled(m.deleteFatherLink);
    w.deleteMotherLinkAction->setEnabled(m.deleteMotherLink);
    w.deleteSpouseLinkAction->setEnabled(m.deleteSpouseLink);
    w.makeAliasAction->setEnabled(m.makeAlias);
    w.makeThisAliasAction->setEnabled(m.makeThisAlias);
    w.goToAliasAction->setEnabled(m.gotoAlias);
    w.goToAliasAction->setText(m.gotoAliasCaption);
}

// Brings the entries up to date just before a key is matched against the shortcuts.
class ShortcutRefresher : public QObject {
public:
    ShortcutRefresher(MainWindow& w, EditingController& c) : QObject(&w), w_(w), c_(c) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == &w_) applyMenuState(w_, c_.menuState());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    MainWindow& w_;
    EditingController& c_;
};

}  // namespace

void wireEditingCommands(MainWindow& w, EditingController& c, MenuExchange& exchange) {
    auto wire = [&w, &c](QAction* action, void (EditingController::*slot)()) {
        QObject::connect(action, &QAction::triggered, &c, slot);
        action->setEnabled(true);
    };
    wire(w.newItemAction, &EditingController::newPerson);
    wire(w.propertiesAction, &EditingController::editProperties);
    wire(w.deleteAction, &EditingController::deletePerson);
    wire(w.alignTopAction, &EditingController::alignTop);
    wire(w.alignBottomAction, &EditingController::alignBottom);
    wire(w.alignLeftAction, &EditingController::alignLeft);
    wire(w.alignRightAction, &EditingController::alignRight);
    wire(w.makeHomeAction, &EditingController::makeHome);
    wire(w.findAction, &EditingController::browser);
    wire(w.linkToFatherAction, &EditingController::linkToFather);
    wire(w.linkToMotherAction, &EditingController::linkToMother);
    wire(w.linkToSpouseAction, &EditingController::linkToSpouse);
    wire(w.deleteFatherLinkAction, &EditingController::deleteFatherLink);
    wire(w.deleteMotherLinkAction, &EditingController::deleteMotherLink);
    wire(w.deleteSpouseLinkAction, &EditingController::deleteSpouseLink);
    wire(w.makeAliasAction, &EditingController::makeAlias);
    wire(w.makeThisAliasAction, &EditingController::makeThisAlias);
    wire(w.goToAliasAction, &EditingController::goToAlias);
    // Home ("&Go to " › "&Home" of the canvas popup) is a key of the main window, like Z: it
    // must work without opening the popup, and it must leave the search box of the name search
    // alone (the window's own actions go away with the menu entries while a name is typed).
    auto* goHome = new QAction(QStringLiteral("&Home"), &w);
    goHome->setObjectName(QStringLiteral("Home1"));
    goHome->setShortcut(QKeySequence(Qt::Key_Home));
    QObject::connect(goHome, &QAction::triggered, &c, &EditingController::goHome);
    w.addAction(goHome);
    wire(w.navigatorAction, &EditingController::toggleNavigator);
    wire(w.nameSearchAction, &EditingController::browser);
    c.setViewActions(w.navigatorAction, w.nameSearchAction);

    // "&Toolbar" (F7) and "&Status bar " (F10): the check mark flips, the bar follows it.
    QObject::connect(w.toolbarAction, &QAction::triggered, &w, [&w](bool on) { w.toolbar()->setVisible(on); });
    w.toolbarAction->setEnabled(true);
    QObject::connect(w.statusBarAction, &QAction::triggered, &w, [&w](bool on) { w.statusBar()->setVisible(on); });
    w.statusBarAction->setEnabled(true);

    // itemMenuState, linkMenuState, aliasMenuState: the rules apply as "&Edit", "&Link" and "&Alias" open.
    for (QAction* title : w.menuBar()->actions()) {
        QMenu* menu = title->menu();
        const QString t = title->text();
        if (!menu || (t != QLatin1String("&Edit") && t != QLatin1String("&Link") && t != QLatin1String("&Alias")))
            continue;
        QObject::connect(menu, &QMenu::aboutToShow, &w, [&w, &c] { applyMenuState(w, c.menuState()); });
    }
    qApp->installEventFilter(new ShortcutRefresher(w, c));
    applyMenuState(w, c.menuState());

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
    wireEditingCommands(w, *c, parts->exchange);
    c->personDialog().setTreeFolder([&state] { return treeFolderOf(state.currentFileName); });

    CanvasInteraction& in = canvas.interaction();
    in.goToAliasEntry = [c] { c->goToAlias(); };  // the canvas ignores the next press itself
    in.editProperties = [c] { c->editProperties(); };

    // Showing or hiding the name search disarms panning.
    for (QAction* a : {w.findAction, w.nameSearchAction})
        QObject::connect(a, &QAction::triggered, &canvas, [&in] { in.panArmed = false; });

    CanvasPopupMenu& p = canvas.popupMenu();
    const std::pair<QAction*, void (EditingController::*)()> popup[] = {
        {p.newItem, &EditingController::newPerson},
        {p.editProperties, &EditingController::editProperties},
        {p.deleteItem, &EditingController::deletePerson},
        {p.linkToFather, &EditingController::linkToFather},
        {p.linkToMother, &EditingController::linkToMother},
        {p.linkToSpouse, &EditingController::linkToSpouse},
        {p.deleteLinkFather, &EditingController::deleteFatherLink},
        {p.deleteLinkMother, &EditingController::deleteMotherLink},
        {p.deleteLinkSpouse, &EditingController::deleteSpouseLink},
        {p.goToFatherEntry, &EditingController::goToFather},
        {p.goToMotherEntry, &EditingController::goToMother},
        {p.listOfSpouses, &EditingController::goToSpouse},
        {p.listOfSiblings, &EditingController::goToSibling},
        {p.listOfChildren, &EditingController::goToChild},
        {p.goToAliasEntry, &EditingController::goToAlias},
        {p.goToHomeEntry, &EditingController::goHome},
        {p.alignTop, &EditingController::alignTop},
        {p.alignBottom, &EditingController::alignBottom},
        {p.alignLeft, &EditingController::alignLeft},
        {p.alignRight, &EditingController::alignRight},
        {p.makeAliasAction, &EditingController::makeAlias},
        {p.makeThisAliasAction, &EditingController::makeThisAlias},
        {p.makeThisHome, &EditingController::makeHome},
    };
    for (const auto& [action, slot] : popup) QObject::connect(action, &QAction::triggered, c, slot);

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
    QObject::connect(&canvas, &CanvasWidget::painted, c, [&w, c] { applyMenuState(w, c->menuState()); });
    return c;
}

}  // namespace kinloom
