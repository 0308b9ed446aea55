#include "layout/ui/layout_commands.h"

#include "document/item_store.h"
#include "layout/auto_arrange.h"
#include "layout/ui/create_tree_dialog.h"

#include <QApplication>
#include <QCursor>

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
    CreateTree(store, style, dialog.Asker(), prompts);
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
