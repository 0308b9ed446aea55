#pragma once
#include "canvas/edit_commands.h"
#include "canvas/menu_state.h"
#include "document/date_standardization.h"
#include "platform/charsets.h"

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QWidget;

namespace kinloom {

class ItemStore;
class Prompts;
class PersonDialog;
class GoToWindow;
class DeleteSpouseLinkDialog;
class Navigator;
class NameSearchWindow;

// The editing and navigation commands as the main window's slots, with the windows they use:
// the person dialog, the go-to window, the spouse-unlink dialog, the navigator and the name search.
// The main window owns one and hands it its store, view, prompts and an EditHost; the command
// table runs these slots from the menus, the popup, the toolbar and the keys.
class EditingController : public QObject {
    Q_OBJECT
public:
    EditingController(ItemStore& store, ViewState& view, EditHost& host, Prompts& prompts, QWidget* window);
    ~EditingController() override;

    void setCharset(const DisplayCharset& charset);
    // The dateStandardization option, applied when a date field of the person dialog is left;
    // read each time, so that a change in the options dialog takes effect at once.
    void setDateOptions(DateOptions options) {
        dateOptions_ = [options] { return options; };
    }
    void setDateOptionsSource(std::function<DateOptions()> source) { dateOptions_ = std::move(source); }
    // Scroll one step, zoom in, zoom out: the main window's own commands, used by the navigator.
    void setNavigatorCommands(std::function<void(int direction)> scroll, std::function<void()> zoomIn,
                              std::function<void()> zoomOut, std::function<void()> focusMainWindow);
    // The check marks of "&Navigator" and "Name Search", and the exchange of the main menu while a
    // name is typed.
    void setViewActions(QAction* navigator, QAction* nameSearch);
    void setMenuExchange(std::function<void(bool empty)> f);

    PersonDialog& personDialog() { return *person_; }
    GoToWindow& goToWindow() { return *goToWindow_; }
    DeleteSpouseLinkDialog& deleteSpouseLinkDialog() { return *deleteMarriage_; }
    Navigator& navigator() { return *navigator_; }
    NameSearchWindow& nameSearch() { return *nameSearch_; }


public slots:
    void newPerson();
    void editProperties();
    void deletePerson();
    void linkToFather();
    void linkToMother();
    void linkToSpouse();
    void deleteFatherLink();
    void deleteMotherLink();
    void deleteSpouseLink();
    void makeAlias();
    void makeThisAlias();
    void goToAlias();
    void canvasDoubleClicked();  // the canvas double-click: go to alias, then ignore the next press
    void makeHome();
    void goHome();
    void goToFather();
    void goToMother();
    void listSpouses();
    void listSiblings();
    void listChildren();
    void alignTop();
    void alignBottom();
    void alignLeft();
    void alignRight();
    void zoomToItem();
    void toggleNavigator();  // show or hide the navigator
    void toggleNameSearch();  // show or hide the name search
    // Every paint ends by writing the counters into the navigator.
    void showCounters(int items, int persons, double zoom);
    // After a file was opened: refill the name search when it is visible.
    void documentReplaced();

private:
    ItemStore& store_;
    ViewState& view_;
    EditHost& host_;
    Prompts& prompts_;
    EditContext ctx_;
    DisplayCharset charset_;
    std::function<DateOptions()> dateOptions_ = [] { return DateOptions{}; };
    QAction* navigatorAction_ = nullptr;
    QAction* nameSearchAction_ = nullptr;
    std::unique_ptr<PersonDialog> person_;
    std::unique_ptr<GoToWindow> goToWindow_;
    std::unique_ptr<DeleteSpouseLinkDialog> deleteMarriage_;
    std::unique_ptr<Navigator> navigator_;
    std::unique_ptr<NameSearchWindow> nameSearch_;
};

}  // namespace kinloom
