#include "app/ui/menu_exchange.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace kinloom {

MenuExchange::MenuExchange(QMainWindow& window) : window_(window) {}

void MenuExchange::setEmpty(bool empty) {
    if (empty == empty_) return;
    empty_ = empty;
    if (empty) {
        menus_.clear();
        for (QAction* title : window_.menuBar()->actions()) {
            QMenu* menu = title->menu();
            if (!menu) continue;
            menus_.emplace_back(menu, menu->actions());
            for (QAction* a : menu->actions()) menu->removeAction(a);
        }
        windowActions_ = window_.actions();
        for (QAction* a : windowActions_) window_.removeAction(a);
        return;
    }
    for (auto& [menu, actions] : menus_)
        if (menu) menu->addActions(actions);
    menus_.clear();
    window_.addActions(windowActions_);
    windowActions_.clear();
}

}  // namespace kinloom
