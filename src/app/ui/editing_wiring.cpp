#include "app/ui/editing_wiring.h"

#include "app/ui/menu_exchange.h"
#include "app/ui/tslektstre.h"
#include "canvas/ui/editing_controller.h"
#include "canvas/interaction.h"
#include "canvas/ui/canvas_edit_host.h"
#include "canvas/ui/canvas_popup_menu.h"
#include "canvas/ui/canvas_widget.h"
#include "canvas/ui/navigator.h"

#include <memory>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace kinloom {

namespace {

void ApplyMenuState(TSlektstre& w, const MainMenuState& m) {
    for (QAction* a : {w.Top1, w.Bottom1, w.Left1, w.Right1}) a->setEnabled(m.align);
    w.Properties1->setEnabled(m.properties);
    w.Makehome1->setEnabled(m.makeHome);
    w.Slettperson1->setEnabled(m.deleteItem);
    w.LinktoFather1->setEnabled(m.linkParentsAndSpouse);
    w.LinktoMother2->setEnabled(m.linkParentsAndSpouse);
    w.LinkMarriage1->setEnabled(m.linkParentsAndSpouse);
    w.DeleteLinktoFather1->setEnabled(m.deleteFatherLink);
    w.DeleteLinktoMother1->setEnabled(m.deleteMotherLink);
    w.DeleteLinktoMarriage1->setEnabled(m.deleteSpouseLink);
    w.MakeAlias->setEnabled(m.makeAlias);
    w.MakeThisAlias->setEnabled(m.makeThisAlias);
    w.GotoAlias1->setEnabled(m.gotoAlias);
    w.GotoAlias1->setText(m.gotoAliasCaption);
}

// Brings the entries up to date just before a key is matched against the shortcuts.
class ShortcutRefresher : public QObject {
public:
    ShortcutRefresher(TSlektstre& w, EditingController& c) : QObject(&w), w_(w), c_(c) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget && widget->window() == &w_) ApplyMenuState(w_, c_.MenuState());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TSlektstre& w_;
    EditingController& c_;
};

}  // namespace

void WireEditingCommands(TSlektstre& w, EditingController& c, MenuExchange& exchange) {
    auto wire = [&w, &c](QAction* action, void (EditingController::*slot)()) {
        QObject::connect(action, &QAction::triggered, &c, slot);
        action->setEnabled(true);
    };
    wire(w.Nyperson1, &EditingController::Nyperson1Click);
    wire(w.Properties1, &EditingController::FormDblClick);
    wire(w.Slettperson1, &EditingController::Slettperson1Click);
    wire(w.Top1, &EditingController::Top1Click);
    wire(w.Bottom1, &EditingController::Bottom1Click);
    wire(w.Left1, &EditingController::Left1Click);
    wire(w.Right1, &EditingController::Right1Click);
    wire(w.Makehome1, &EditingController::Makehome1Click);
    wire(w.Find1, &EditingController::Browser);
    wire(w.LinktoFather1, &EditingController::LinktoFather1Click);
    wire(w.LinktoMother2, &EditingController::LinktoMother2Click);
    wire(w.LinkMarriage1, &EditingController::LinkMarriage1Click);
    wire(w.DeleteLinktoFather1, &EditingController::DeleteLinktoFather1Click);
    wire(w.DeleteLinktoMother1, &EditingController::DeleteLinktoMother1Click);
    wire(w.DeleteLinktoMarriage1, &EditingController::DeleteLinktoMarriage1Click);
    wire(w.MakeAlias, &EditingController::MakeAliasClick);
    wire(w.MakeThisAlias, &EditingController::MakeThisAliasClick);
    wire(w.GotoAlias1, &EditingController::GotoAlias1Click);
    // Home ("&Go to " › "&Home" of the canvas popup) is a key of the main window, like Z: it
    // must work without opening the popup, and it must leave the search box of the name search
    // alone (the window's own actions go away with the menu entries while a name is typed).
    auto* goHome = new QAction(QStringLiteral("&Home"), &w);
    goHome->setObjectName(QStringLiteral("Home1"));
    goHome->setShortcut(QKeySequence(Qt::Key_Home));
    QObject::connect(goHome, &QAction::triggered, &c, &EditingController::Home1Click);
    w.addAction(goHome);
    wire(w.Control1, &EditingController::Control1Click);
    wire(w.NameSearch1, &EditingController::Browser);
    c.setViewActions(w.Control1, w.NameSearch1);

    // "&Toolbar" (F7) and "&Status bar " (F10): the check mark flips, the bar follows it.
    QObject::connect(w.Toolbar2, &QAction::triggered, &w, [&w](bool on) { w.toolbar()->setVisible(on); });
    w.Toolbar2->setEnabled(true);
    QObject::connect(w.Statusbar2, &QAction::triggered, &w, [&w](bool on) { w.statusBar()->setVisible(on); });
    w.Statusbar2->setEnabled(true);

    // Item1Click, Link1Click, Alias1Click: the rules apply as "&Edit", "&Link" and "&Alias" open.
    for (QAction* title : w.menuBar()->actions()) {
        QMenu* menu = title->menu();
        const QString t = title->text();
        if (!menu || (t != QLatin1String("&Edit") && t != QLatin1String("&Link") && t != QLatin1String("&Alias")))
            continue;
        QObject::connect(menu, &QMenu::aboutToShow, &w, [&w, &c] { ApplyMenuState(w, c.MenuState()); });
    }
    qApp->installEventFilter(new ShortcutRefresher(w, c));
    ApplyMenuState(w, c.MenuState());

    c.setMenuExchange([&exchange](bool empty) { exchange.setEmpty(empty); });
    c.setCharset(w.state().Charset);
    QObject::connect(&w, &TSlektstre::charsetChanged, &c, [&w, &c] { c.setCharset(w.state().Charset); });
    c.setDateOptionsSource([&w] { return DateOptions{w.state().Options.DateStandardization}; });
    c.setNavigatorCommands({}, {}, {}, [&w] {
        if (w.state().hooks.FocusMainWindow) w.state().hooks.FocusMainWindow();
    });
    w.state().hooks.RefreshNameSearch = [&c] { c.DocumentReplaced(); };
    QObject::connect(&w, &TSlektstre::startupCompleted, &c, [&c] {
        c.navigator().PlaceAtStart();
        c.Control1Click();
    });
}

namespace {

// What the editing commands need besides the controller, kept alive with the main window.
class EditingParts : public QObject {
public:
    EditingParts(TSlektstre& w, CanvasWidget& canvas) : QObject(&w), host(canvas), exchange(w) {}
    CanvasEditHost host;
    MenuExchange exchange;
};

}  // namespace

EditingController* InstallEditing(TSlektstre& w, CanvasWidget& canvas) {
    auto* parts = new EditingParts(w, canvas);
    AppState& state = w.state();
    auto* c = new EditingController(state.Store, state.View, parts->host, state.prompts, &w);
    WireEditingCommands(w, *c, parts->exchange);

    CanvasInteraction& in = canvas.interaction();
    in.GotoAlias = [c] { c->GotoAlias1Click(); };  // the canvas ignores the next press itself
    in.EditProperties = [c] { c->FormDblClick(); };

    // Showing or hiding the name search disarms panning.
    for (QAction* a : {w.Find1, w.NameSearch1})
        QObject::connect(a, &QAction::triggered, &canvas, [&in] { in.PanArmed = false; });

    CanvasPopupMenu& p = canvas.popupMenu();
    const std::pair<QAction*, void (EditingController::*)()> popup[] = {
        {p.NewItem, &EditingController::Nyperson1Click},
        {p.EditProperties, &EditingController::FormDblClick},
        {p.Delete, &EditingController::Slettperson1Click},
        {p.LinkToFather, &EditingController::LinktoFather1Click},
        {p.LinkToMother, &EditingController::LinktoMother2Click},
        {p.LinkToSpouse, &EditingController::LinkMarriage1Click},
        {p.DeleteLinkFather, &EditingController::DeleteLinktoFather1Click},
        {p.DeleteLinkMother, &EditingController::DeleteLinktoMother1Click},
        {p.DeleteLinkSpouse, &EditingController::DeleteLinktoMarriage1Click},
        {p.GotoFather, &EditingController::Father1Click},
        {p.GotoMother, &EditingController::Mother1Click},
        {p.ListOfSpouses, &EditingController::Spouse1Click},
        {p.ListOfSiblings, &EditingController::ListofSiblings1Click},
        {p.ListOfChildren, &EditingController::Child1Click},
        {p.GotoAlias, &EditingController::GotoAlias1Click},
        {p.GotoHome, &EditingController::Home1Click},
        {p.AlignTop, &EditingController::Top1Click},
        {p.AlignBottom, &EditingController::Bottom1Click},
        {p.AlignLeft, &EditingController::Left1Click},
        {p.AlignRight, &EditingController::Right1Click},
        {p.MakeAlias, &EditingController::MakeAliasClick},
        {p.MakeThisAlias, &EditingController::MakeThisAliasClick},
        {p.MakeThisHome, &EditingController::Makehome1Click},
    };
    for (const auto& [action, slot] : popup) QObject::connect(action, &QAction::triggered, c, slot);

    // The navigator runs the main window's scroll and zoom commands; every paint rewrites its counters.
    CanvasWidget* cw = &canvas;
    c->setNavigatorCommands(
        [cw](int direction) {
            CanvasInteraction& i = cw->interaction();
            i.Window = cw->windowSize();
            switch (static_cast<TKontroll::Direction>(direction)) {
            case TKontroll::Left: i.SpeedButton3Click(); break;
            case TKontroll::Right: i.SpeedButton1Click(); break;
            case TKontroll::Up: i.SpeedButton4Click(); break;
            case TKontroll::Down: i.SpeedButton2Click(); break;
            }
        },
        [cw] {
            cw->interaction().Window = cw->windowSize();
            cw->interaction().ZoomIn1Click();
        },
        [cw] {
            cw->interaction().Window = cw->windowSize();
            cw->interaction().ZoomOut1Click();
        },
        [&w] {
            if (w.state().hooks.FocusMainWindow) w.state().hooks.FocusMainWindow();
        });
    QObject::connect(&canvas, &CanvasWidget::painted, c, [c](const PaintResult& r) {
        if (r.Painted && r.Ok) c->navigator().SetCounterTexts(r.ZoomLabel, r.ItemsLabel, r.PersonsLabel);
    });
    QObject::connect(&canvas, &CanvasWidget::painted, c, [&w, c] { ApplyMenuState(w, c->MenuState()); });
    return c;
}

}  // namespace kinloom
