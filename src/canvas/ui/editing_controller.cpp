#include "canvas/ui/editing_controller.h"

#include "canvas/edit_properties.h"
#include "canvas/go_to_lists.h"
#include "canvas/ui/delete_spouse_link_dialog.h"
#include "canvas/ui/go_to_window.h"
#include "canvas/ui/name_search_window.h"
#include "canvas/ui/navigator.h"
#include "document/item_store.h"
#include "document/store_commands.h"
#include "editor/ui/person_dialog.h"

#include <QAction>
#include <QApplication>
#include <QWidget>

namespace kinloom {

EditingController::EditingController(ItemStore& store, ViewState& view, EditHost& host, Prompts& prompts,
                                     QWidget* window)
    : QObject(window),
      store_(store),
      view_(view),
      host_(host),
      prompts_(prompts),
      ctx_{store, view, host},
      person_(std::make_unique<PersonDialog>(prompts, window)),
      goToWindow_(std::make_unique<GoToWindow>(store, [this] { zoomToItem(); }, window)),
      deleteMarriage_(std::make_unique<DeleteSpouseLinkDialog>(prompts, window)),
      navigator_(std::make_unique<Navigator>(window)),
      nameSearch_(std::make_unique<NameSearchWindow>(store, window)) {
    person_->setDateStandardizer([this](const QString& date) { return standardizeDate(date, dateOptions_()); });
    navigator_->setHooks({{}, {}, {}, [this] { goHome(); }, {}, [this] {
                              if (navigatorAction_) navigatorAction_->setChecked(false);
                          }});
    nameSearch_->setHooks({[this] { zoomToItem(); }, [this] { editProperties(); },
                        [this](bool on) {
                            if (nameSearchAction_) nameSearchAction_->setChecked(on);
                        },
                        {}});
}

EditingController::~EditingController() = default;

void EditingController::setCharset(const DisplayCharset& charset) {
    charset_ = charset;
    person_->setCharset(charset);
    nameSearch_->setCharset(charset);
}


void EditingController::setNavigatorCommands(std::function<void(int)> scroll, std::function<void()> zoomIn,
                                             std::function<void()> zoomOut, std::function<void()> focusMainWindow) {
    Navigator::Hooks hooks;
    hooks.scroll = [scroll](Navigator::Direction d) {
        if (scroll) scroll(static_cast<int>(d));
    };
    hooks.zoomIn = std::move(zoomIn);
    hooks.zoomOut = std::move(zoomOut);
    hooks.home = [this] { goHome(); };
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
    nameSearch_->setHooks({[this] { zoomToItem(); }, [this] { editProperties(); },
                        [this](bool on) {
                            if (nameSearchAction_) nameSearchAction_->setChecked(on);
                        },
                        std::move(f)});
}

void EditingController::newPerson() { kinloom::newPerson(ctx_); }

void EditingController::editProperties() {
    kinloom::editProperties(store_, host_, [this](PersonItem& copy, PersonItem& edited) {
        const bool ok = person_->execute(store_, copy, edited);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        return ok;
    });
    if (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
}

void EditingController::deletePerson() {
    const int before = store_.itemCount();
    if (!kinloom::deletePerson(store_, prompts_)) return;
    host_.repaint();
    host_.itemsDeleted(before - store_.itemCount());
}

void EditingController::linkToFather() { linkCommand(ctx_, PendingLink::Father); }
void EditingController::linkToMother() { linkCommand(ctx_, PendingLink::Mother); }
void EditingController::linkToSpouse() { linkCommand(ctx_, PendingLink::Spouse); }
void EditingController::deleteFatherLink() { kinloom::deleteFatherLink(ctx_); }
void EditingController::deleteMotherLink() { kinloom::deleteMotherLink(ctx_); }

void EditingController::deleteSpouseLink() {
    if (!store_.currentItem) return;
    deleteMarriage_->run(store_, *store_.currentItem, charset_);
    host_.repaint();
}

void EditingController::makeAlias() { kinloom::makeAlias(ctx_); }
void EditingController::makeThisAlias() { kinloom::makeThisAlias(ctx_); }
void EditingController::goToAlias() { kinloom::goToAlias(ctx_, false); }
void EditingController::canvasDoubleClicked() { kinloom::goToAlias(ctx_, true); }
void EditingController::makeHome() { kinloom::makeHome(ctx_); }
void EditingController::goHome() { kinloom::goHome(ctx_); }
void EditingController::goToFather() { kinloom::goToFather(ctx_); }
void EditingController::goToMother() { kinloom::goToMother(ctx_); }
void EditingController::listSpouses() {
    if (store_.currentItem) goToWindow_->showList(spousesList(store_, charset_));
}
void EditingController::listSiblings() {
    if (store_.currentItem) goToWindow_->showList(siblingsList(store_, charset_));
}
void EditingController::listChildren() {
    if (store_.currentItem) goToWindow_->showList(childrenList(store_, charset_));
}
void EditingController::alignTop() { alignSelection(ctx_, AlignEdge::Top); }
void EditingController::alignBottom() { alignSelection(ctx_, AlignEdge::Bottom); }
void EditingController::alignLeft() { alignSelection(ctx_, AlignEdge::Left); }
void EditingController::alignRight() { alignSelection(ctx_, AlignEdge::Right); }
void EditingController::zoomToItem() { zoomToCurrentItem(ctx_); }

// The toggles follow the window, not the action's own check mark, so that F3 ("&Find") and F9
// ("Name Search") flip the same state.
void EditingController::toggleNavigator() {
    const bool show = !navigator_->isVisible();
    if (navigatorAction_) navigatorAction_->setChecked(show);
    navigator_->setVisible(show);
}

void EditingController::toggleNameSearch() {
    const bool show = !nameSearch_->isVisible();
    if (nameSearchAction_) nameSearchAction_->setChecked(show);
    if (show) {
        nameSearch_->show();
        nameSearch_->raise();
        nameSearch_->activateWindow();
    } else {
        nameSearch_->close();
    }
}

void EditingController::showCounters(int items, int persons, double zoom) {
    navigator_->showCounters(items, persons, zoom);
}

void EditingController::documentReplaced() {
    if (nameSearch_->isVisible()) nameSearch_->refresh();
}

}  // namespace kinloom
