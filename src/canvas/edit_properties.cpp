#include "canvas/edit_properties.h"

#include "canvas/edit_host.h"
#include "document/item_store.h"

#include <memory>

namespace kinloom {

bool FormDblClick(TItemStore& store, EditHost& host, const PersonDialogRunner& runDialog) {
    TPersonItem* edited = store.CurrentItem;
    if (!edited || !runDialog) return false;
    auto copy = std::make_unique<TPersonItem>(*edited);
    copy->FirstTag = nullptr;  // the tag chain stays with the real item (it is always empty here)
    const bool confirmed = runDialog(*copy, *edited);
    // The dialog may have deleted nothing, but it runs modally: make sure the item still exists
    // before the copy goes back (a removal listener clears CurrentItem when it is freed).
    if (confirmed && store.CurrentItem == edited) {
        // The list position belongs to the store, not to the copy.
        TPersonItem* next = edited->Next;
        TPersonItem* prev = edited->Prev;
        *edited = *copy;
        edited->Next = next;
        edited->Prev = prev;
        host.PaintWithoutErase();
    }
    return confirmed;
}

}  // namespace kinloom
