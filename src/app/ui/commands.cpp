#include "app/ui/commands.h"

#include "app/app_state.h"
#include "app/ui/main_window.h"
#include "app/ui/shipped_icons.h"
#include "canvas/menu_state.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>
#include <QToolBar>

#include <algorithm>
#include <vector>

namespace kinloom {

Commands::Commands(MainWindow& window, AppState& state)
    : QObject(&window), window_(window), context_{window, state, *this} {}

QMenu* Commands::menuAt(QMenuBar& bar, const QString& path) {
    if (const auto found = menus_.find(path); found != menus_.end()) return found->second;
    QMenu* menu = bar.addMenu(path);  // a top-level menu: its path is its title
    connect(menu, &QMenu::aboutToShow, this, &Commands::refresh);
    menus_[path] = menu;
    return menu;
}

void Commands::build(QMenuBar& bar, QToolBar& toolbar) {
    for (const CommandRow& row : commandTable()) {
        const QString text = QString::fromUtf8(row.text);
        if (row.flags & WindowKey) {
            auto* a = new QAction(text, &window_);
            a->setObjectName(QString(text).remove(QLatin1Char('&')));
            a->setShortcut(row.key);
            a->setEnabled(false);
            window_.addAction(a);
            connect(a, &QAction::triggered, this, [this, id = row.id] { run(id); });
            actions_[row.id] = a;
            continue;
        }
        if (!row.menu) continue;
        const QString path = QString::fromUtf8(row.menu);
        QMenu* menu = menuAt(bar, path);
        if (row.flags & SeparatorBefore) menu->addSeparator();
        if (row.flags & Submenu) {
            QMenu* sub = menu->addMenu(text);
            sub->menuAction()->setEnabled(!(row.flags & StartsOff));
            menus_[path + QLatin1Char('/') + text] = sub;
            submenus_[row.id] = sub;
            continue;
        }
        QAction* a = menu->addAction(text);
        a->setObjectName(QString(text).remove(QLatin1Char('&')));
        if (!row.otherKey.isEmpty())
            a->setShortcuts({row.key, row.otherKey});
        else if (!row.key.isEmpty())
            a->setShortcut(row.key);
        if (row.flags & (Checkable | Radio | Checked)) {
            a->setCheckable(true);
            a->setChecked(row.flags & Checked);
        }
        if (row.flags & Radio) {
            QActionGroup*& group = radioGroups_[path];
            if (!group) group = new QActionGroup(this);
            group->addAction(a);
        }
        if (row.flags & Hidden) a->setVisible(false);
        if (row.icon) a->setIcon(shippedIcon(QString::fromLatin1(row.icon)));
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, id = row.id] { run(id); });
        actions_[row.id] = a;
    }

    std::vector<const CommandRow*> buttons;
    for (const CommandRow& row : commandTable())
        if (row.toolbar.place > 0) buttons.push_back(&row);
    std::sort(buttons.begin(), buttons.end(), [](auto* a, auto* b) { return a->toolbar.place < b->toolbar.place; });
    QStyle* style = QApplication::style();
    for (size_t i = 0; i < buttons.size(); ++i) {
        const CommandRow& row = *buttons[i];
        if (i > 0 && buttons[i - 1]->toolbar.place / 10 != row.toolbar.place / 10) toolbar.addSeparator();
        QIcon icon = shippedIcon(QString::fromLatin1(row.toolbar.icon));
        if (icon.isNull()) icon = style->standardIcon(row.toolbar.fallback);
        const QString hint = QString::fromUtf8(row.toolbar.hint);
        QAction* b = toolbar.addAction(icon, hint);
        b->setObjectName(hint);
        b->setToolTip(hint);
        b->setEnabled(false);
        QAction* runs = actions_.at(row.id);
        connect(b, &QAction::triggered, runs, &QAction::trigger);
        if (!row.toolbar.ownState) connect(runs, &QAction::changed, b, [b, runs] { b->setEnabled(runs->isEnabled()); });
        buttons_[row.id] = b;
    }
    refresh();
}

void Commands::install(Part part) {
    installed_.insert(part);
    refresh();
}

void Commands::connectPopup(CanvasPopupMenu& popup) {
    for (const CommandRow& row : commandTable())
        if (row.popupEntry)
            connect(popup.*row.popupEntry, &QAction::triggered, this, [this, id = row.id] { run(id); });
}

void Commands::run(CommandId id) {
    const CommandRow& row = commandRow(id);
    if (!row.run || !installed(row.part)) return;
    if (row.flags & ChangesTree) {
        EditStep step(context_.state.store, stepName(row));
        row.run(context_);
    } else {
        row.run(context_);
    }
}

void Commands::refresh() {
    const MainMenuState m = computeMainMenuState(context_.state.store);
    for (const CommandRow& row : commandTable()) {
        const bool on = installed(row.part) && (!row.enabled || row.enabled(context_, m));
        if (row.flags & Submenu) {
            if (QMenu* sub = submenus_.at(row.id); installed(row.part)) sub->menuAction()->setEnabled(on);
            continue;
        }
        const auto found = actions_.find(row.id);
        if (found == actions_.end()) continue;
        found->second->setEnabled(on && row.run);
        if (row.dynamicText && installed(row.part)) found->second->setText(row.dynamicText(m));
    }
}

QAction* Commands::action(CommandId id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

QAction* Commands::toolbarButton(CommandId id) const {
    const auto found = buttons_.find(id);
    return found == buttons_.end() ? nullptr : found->second;
}

QMenu* Commands::menu(CommandId submenu) const {
    const auto found = submenus_.find(submenu);
    return found == submenus_.end() ? nullptr : found->second;
}

bool Commands::isChecked(CommandId id) const {
    const QAction* a = action(id);
    return a && a->isChecked();
}

}  // namespace kinloom
