#pragma once
#include <QList>
#include <QPointer>

#include <utility>
#include <vector>

class QAction;
class QMainWindow;
class QMenu;

namespace kinloom {

// While a name is typed in the name search, the main window shows its ten menu titles with no
// entries, so that the single-key shortcuts (F, M, L, I, O, Z ...) cannot fire. Emptying the menus
// and putting their entries back keeps every action object, its state and its connections.
class MenuExchange {
public:
    explicit MenuExchange(QMainWindow& window);
    void setEmpty(bool empty);
    bool isEmpty() const { return empty_; }

private:
    QMainWindow& window_;
    bool empty_ = false;
    std::vector<std::pair<QPointer<QMenu>, QList<QAction*>>> menus_;
    QList<QAction*> windowActions_;  // shortcuts that live on the window itself ("Zoom to Item")
};

}  // namespace kinloom
