#include "layout/ui/layout_commands.h"

#include "document/item_store.h"
#include "layout/auto_arrange.h"
#include "layout/family_chart.h"
#include "layout/ui/ancestor_tree_dialog.h"

#include <QApplication>
#include <QCursor>

#include <optional>

namespace kinloom {

namespace {

// The hourglass for as long as the object lives.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

bool runCreateTree(ItemStore& store, TreeStyle style, AncestorTreeDialog& dialog, Prompts& prompts) {
    if (!store.currentItem) return false;
    // The hourglass while the items are made, not over the dialog or its refusals.
    std::optional<BusyCursor> busy;
    createTree(store, style, dialog.asker(), prompts, [&busy](bool on) {
        if (on)
            busy.emplace();
        else
            busy.reset();
    });
    return true;  // a cancelled dialog still ends with a repaint
}

bool runOrganizeTree(ItemStore& store, TreeStyle style, Prompts& prompts) {
    if (!store.currentItem) return false;
    organizeTree(store, style, 8, prompts);
    return true;
}

bool runAutoArrange(ItemStore& store, ViewState& view, WindowSize window, Prompts& prompts) {
    if (!confirmAutoArrange(store, prompts)) return false;
    const BusyCursor busy;
    arrangeAllItems(store, view, window);
    return true;
}

bool runFamilyChart(ItemStore& store, Prompts& prompts) {
    if (!confirmAutoArrange(store, prompts)) return false;
    const BusyCursor busy;
    arrangeAsFamilyChart(store);
    return true;
}

}  // namespace kinloom
