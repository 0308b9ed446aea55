#include "layout/ui/layout_commands.h"

#include "document/item_store.h"
#include "layout/auto_arrange.h"
#include "layout/ui/create_tree_dialog.h"

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

bool RunCreateTree(TItemStore& store, TreeStyle style, TCreateTreeDlg& dialog, Prompts& prompts) {
    if (!store.CurrentItem) return false;
    // The hourglass while the items are made, not over the dialog or its refusals.
    std::optional<BusyCursor> busy;
    CreateTree(store, style, dialog.Asker(), prompts, [&busy](bool on) {
        if (on)
            busy.emplace();
        else
            busy.reset();
    });
    return true;  // a cancelled dialog still ends with a repaint
}

bool RunOrganizeTree(TItemStore& store, TreeStyle style, Prompts& prompts) {
    if (!store.CurrentItem) return false;
    OrganizeTree(store, style, 8, prompts);
    return true;
}

bool RunAutoArrange(TItemStore& store, ViewState& view, WindowSize window, Prompts& prompts) {
    if (!ConfirmAutoArrange(store, prompts)) return false;
    const BusyCursor busy;
    ArrangeAllItems(store, view, window);
    return true;
}

}  // namespace kinloom
