#include "app/ui/editing_wiring.h"

#include "app/ui/menu_exchange.h"
#include "app/ui/tslektstre.h"
#include "canvas/ui/editing_controller.h"
#include "canvas/ui/navigator.h"

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
        if (event->type() == QEvent::ShortcutOverride && w_.isActiveWindow()) ApplyMenuState(w_, c_.MenuState());
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

}  // namespace kinloom
