#include "canvas/ui/editing_controller.h"

#include "canvas/edit_properties.h"
#include "canvas/goto_lists.h"
#include "canvas/ui/delete_marriage_form.h"
#include "canvas/ui/goto_window.h"
#include "canvas/ui/name_search_window.h"
#include "canvas/ui/navigator.h"
#include "document/item_store.h"
#include "document/store_commands.h"
#include "editor/ui/person_dialog.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

namespace kinloom {

EditingController::EditingController(TItemStore& store, ViewState& view, EditHost& host, Prompts& prompts,
                                     QWidget* window)
    : QObject(window),
      store_(store),
      view_(view),
      host_(host),
      prompts_(prompts),
      ctx_{store, view, host},
      person_(std::make_unique<TPerson>(prompts, window)),
      goto_(std::make_unique<TGOTOwnd>(store, [this] { Zoom1Click(); }, window)),
      deleteMarriage_(std::make_unique<TDeleteMarriageForm>(prompts, window)),
      navigator_(std::make_unique<TKontroll>(window)),
      browser_(std::make_unique<TPersBrowser>(store, window)) {
    person_->setDateStandardizer([this](const QString& date) { return StandardizeDate(date, dateOptions_()); });
    navigator_->setHooks({{}, {}, {}, [this] { Home1Click(); }, {}, [this] {
                              if (navigatorAction_) navigatorAction_->setChecked(false);
                          }});
    browser_->setHooks({[this] { Zoom1Click(); }, [this] { FormDblClick(); },
                        [this](bool on) {
                            if (nameSearchAction_) nameSearchAction_->setChecked(on);
                        },
                        {}});
}

EditingController::~EditingController() = default;

void EditingController::setCharset(const DisplayCharset& charset) {
    charset_ = charset;
    person_->setCharset(charset);
    browser_->setCharset(charset);
}


void EditingController::setNavigatorCommands(std::function<void(int)> scroll, std::function<void()> zoomIn,
                                             std::function<void()> zoomOut, std::function<void()> focusMainWindow) {
    TKontroll::Hooks hooks;
    hooks.scroll = [scroll](TKontroll::Direction d) {
        if (scroll) scroll(static_cast<int>(d));
    };
    hooks.zoomIn = std::move(zoomIn);
    hooks.zoomOut = std::move(zoomOut);
    hooks.home = [this] { Home1Click(); };
    hooks.returnFocus = std::move(focusMainWindow);
    hooks.closed = [this] {
        if (navigatorAction_) navigatorAction_->setChecked(false);
    };
    navigator_->setHooks(std::move(hooks));
}

void EditingController::setViewActions(QAction* navigator, QAction* nameSearch) {
    navigatorAction_ = navigator;
    nameSearchAction_ = nameSearch;
}

void EditingController::setMenuExchange(std::function<void(bool)> f) {
    browser_->setHooks({[this] { Zoom1Click(); }, [this] { FormDblClick(); },
                        [this](bool on) {
                            if (nameSearchAction_) nameSearchAction_->setChecked(on);
                        },
                        std::move(f)});
}

MainMenuState EditingController::MenuState() const { return ComputeMainMenuState(store_); }

void EditingController::Nyperson1Click() { kinloom::Nyperson1Click(ctx_); }

void EditingController::FormDblClick() {
    kinloom::FormDblClick(store_, host_, [this](TPersonItem& copy, TPersonItem& edited) {
        const bool ok = person_->Execute(store_, copy, edited);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return ok;
    });
    if (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void EditingController::Slettperson1Click() {
    if (kinloom::Slettperson1Click(store_, prompts_)) host_.Repaint();
}

void EditingController::LinktoFather1Click() { LinkCommand(ctx_, PendingLink::Father); }
void EditingController::LinktoMother2Click() { LinkCommand(ctx_, PendingLink::Mother); }
void EditingController::LinkMarriage1Click() { LinkCommand(ctx_, PendingLink::Spouse); }
void EditingController::DeleteLinktoFather1Click() { kinloom::DeleteLinktoFather1Click(ctx_); }
void EditingController::DeleteLinktoMother1Click() { kinloom::DeleteLinktoMother1Click(ctx_); }

void EditingController::DeleteLinktoMarriage1Click() {
    if (!store_.CurrentItem) return;
    deleteMarriage_->Run(store_, *store_.CurrentItem, charset_);
    host_.Repaint();
}

void EditingController::MakeAliasClick() { kinloom::MakeAliasClick(ctx_); }
void EditingController::MakeThisAliasClick() { kinloom::MakeThisAliasClick(ctx_); }
void EditingController::GotoAlias1Click() { kinloom::GotoAlias1Click(ctx_, false); }
void EditingController::CanvasDoubleClick() { kinloom::GotoAlias1Click(ctx_, true); }
void EditingController::Makehome1Click() { kinloom::Makehome1Click(ctx_); }
void EditingController::Home1Click() { kinloom::Home1Click(ctx_); }
void EditingController::Father1Click() { kinloom::Father1Click(ctx_); }
void EditingController::Mother1Click() { kinloom::Mother1Click(ctx_); }
void EditingController::Spouse1Click() {
    if (store_.CurrentItem) goto_->ShowList(SpousesList(store_, charset_));
}
void EditingController::ListofSiblings1Click() {
    if (store_.CurrentItem) goto_->ShowList(SiblingsList(store_, charset_));
}
void EditingController::Child1Click() {
    if (store_.CurrentItem) goto_->ShowList(ChildrenList(store_, charset_));
}
void EditingController::Top1Click() { AlignSelection(ctx_, AlignEdge::Top); }
void EditingController::Bottom1Click() { AlignSelection(ctx_, AlignEdge::Bottom); }
void EditingController::Left1Click() { AlignSelection(ctx_, AlignEdge::Left); }
void EditingController::Right1Click() { AlignSelection(ctx_, AlignEdge::Right); }
void EditingController::Zoom1Click() { ZoomToCurrentItem(ctx_); }

// The toggles follow the window, not the action's own check mark, so that F3 ("&Find") and F9
// ("Name Search") flip the same state.
void EditingController::Control1Click() {
    const bool show = !navigator_->isVisible();
    if (navigatorAction_) navigatorAction_->setChecked(show);
    navigator_->setVisible(show);
}

void EditingController::Browser() {
    const bool show = !browser_->isVisible();
    if (nameSearchAction_) nameSearchAction_->setChecked(show);
    if (show)
        browser_->show();
    else
        browser_->close();
}

void EditingController::ShowCounters(int items, int persons, double zoom) {
    navigator_->ShowCounters(items, persons, zoom);
}

void EditingController::DocumentReplaced() {
    if (browser_->isVisible()) browser_->FormShow();
}

}  // namespace kinloom
