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
    TGCT& tags = store.TagStore();
    // The dialog may have deleted nothing, but it runs modally: make sure the item still exists
    // before the copy goes back (a removal listener clears CurrentItem when it is freed).
    if (confirmed && store.CurrentItem == edited) {
        // The real item's tags give way to the copy's; tag nodes carry no owner, so the copy's
        // chain needs no re-owning once it hangs on the real item.
        tags.DeleteItemTags(edited);
        // The list position belongs to the store, not to the copy.
        TPersonItem* next = edited->Next;
        TPersonItem* prev = edited->Prev;
        *edited = *copy;
        edited->Next = next;
        edited->Prev = prev;
        host.PaintWithoutErase();
    } else {
        tags.DeleteItemTags(copy.get());
    }
    return confirmed;
}

}  // namespace kinloom
