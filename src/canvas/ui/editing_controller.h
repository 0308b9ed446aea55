#pragma once
#include "canvas/edit_commands.h"
#include "canvas/menu_state.h"
#include "editor/date_standardization.h"
#include "platform/charsets.h"

#include <QObject>

#include <functional>
#include <memory>

class QAction;
class QWidget;

namespace kinloom {

class TItemStore;
class Prompts;
class TPerson;
class TGOTOwnd;
class TDeleteMarriageForm;
class TKontroll;
class TPersBrowser;

// The editing and navigation commands as the main window's slots, with the windows they use:
// the person dialog, the go-to window, the spouse-unlink dialog, the navigator and the name search.
// The main window owns one, hands it its store, view, prompts and an EditHost, and connects its
// menu actions, popup entries, toolbar buttons and keys to these slots.
class EditingController : public QObject {
    Q_OBJECT
public:
    EditingController(TItemStore& store, ViewState& view, EditHost& host, Prompts& prompts, QWidget* window);
    ~EditingController() override;

    void setCharset(const DisplayCharset& charset);
    // The Date_Standardization option, applied when a date field of the person dialog is left;
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

    TPerson& personDialog() { return *person_; }
    TGOTOwnd& gotoWindow() { return *goto_; }
    TDeleteMarriageForm& deleteMarriageForm() { return *deleteMarriage_; }
    TKontroll& navigator() { return *navigator_; }
    TPersBrowser& nameSearch() { return *browser_; }

    // Which entries of "&Edit", "&Link" and "&Alias" are enabled, computed as a menu opens.
    MainMenuState MenuState() const;

public slots:
    void Nyperson1Click();
    void FormDblClick();
    void Slettperson1Click();
    void LinktoFather1Click();
    void LinktoMother2Click();
    void LinkMarriage1Click();
    void DeleteLinktoFather1Click();
    void DeleteLinktoMother1Click();
    void DeleteLinktoMarriage1Click();
    void MakeAliasClick();
    void MakeThisAliasClick();
    void GotoAlias1Click();
    void CanvasDoubleClick();  // the canvas double-click: go to alias, then ignore the next press
    void Makehome1Click();
    void Home1Click();
    void Father1Click();
    void Mother1Click();
    void Spouse1Click();
    void ListofSiblings1Click();
    void Child1Click();
    void Top1Click();
    void Bottom1Click();
    void Left1Click();
    void Right1Click();
    void Zoom1Click();
    void Control1Click();  // show or hide the navigator
    void Browser();        // show or hide the name search
    // Every paint ends by writing the counters into the navigator.
    void ShowCounters(int items, int persons, double zoom);
    // After a file was opened: refill the name search when it is visible.
    void DocumentReplaced();

private:
    TItemStore& store_;
    ViewState& view_;
    EditHost& host_;
    Prompts& prompts_;
    EditContext ctx_;
    DisplayCharset charset_;
    std::function<DateOptions()> dateOptions_ = [] { return DateOptions{}; };
    QAction* navigatorAction_ = nullptr;
    QAction* nameSearchAction_ = nullptr;
    std::unique_ptr<TPerson> person_;
    std::unique_ptr<TGOTOwnd> goto_;
    std::unique_ptr<TDeleteMarriageForm> deleteMarriage_;
    std::unique_ptr<TKontroll> navigator_;
    std::unique_ptr<TPersBrowser> browser_;
};

}  // namespace kinloom
