#pragma once
#include "canvas/name_search.h"
#include "platform/charsets.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class QLineEdit;
class QListWidget;

namespace kinloom {

class ItemStore;

// NameSearchWindow, the name search: all persons in alphabetical order, search-as-you-type 400 ms
// after the last key (the list then shows only the persons found), and the jump to the chosen
// person.
class NameSearchWindow : public QWidget {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> zoomToCurrent;       // "Zoom to Item" on currentItem
        std::function<void()> editCurrent;         // the person dialog for currentItem
        std::function<void(bool)> checkMenu;       // check or uncheck "Name Search"
        std::function<void(bool)> useEmptyMenu;    // true: the main window shows the empty menu
    };

    NameSearchWindow(ItemStore& store, QWidget* parent = nullptr);
    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }
    void setCharset(const DisplayCharset& charset) { charset_ = charset; }

    // Handlers, public for the window's controls and for tests.
    void refresh();  // also "&Refresh"
    void searchTypedText();  // the typing pause is over: show what the search box finds
    void searchKeyPressed(int qtKey);
    void goToPerson();      // "&Go to person"
    void editSelectedPerson();  // also "&Edit person"
    void closeWindow();      // "&Close"
    void searchTextEdited(const QString& text);

    QLineEdit* searchBox() const { return searchBox_; }
    QListWidget* list() const { return list_; }
    QTimer& searchTimer() { return timer_; }
    const QString& lastSearch() const { return lastSearch_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void exchangeMenu(bool empty);
    void showLines(const QStringList& lines);

    ItemStore& store_;
    DisplayCharset charset_;
    Hooks hooks_;
    NameSearchList names_;
    QTimer timer_;
    QString lastSearch_;
    bool filtered_ = false;  // the list shows only the lines the search text found
    QLineEdit* searchBox_;
    QListWidget* list_;
};

}  // namespace kinloom
