#include "canvas/edit_properties.h"

#include "canvas/edit_host.h"
#include "document/item_store.h"

#include <memory>

namespace kinloom {

bool editProperties(ItemStore& store, EditHost& host, const PersonDialogRunner& runDialog) {
    PersonItem* edited = store.currentItem;
    if (!edited || !runDialog) return false;
    auto copy = std::make_unique<PersonItem>(*edited);
    copy->FirstTag = nullptr;  // the tag chain stays with the real item (it is always empty here)
    const bool confirmed = runDialog(*copy, *edited);
    GedcomTagStore& tags = store.tagStore();
    // The dialog may have deleted nothing, but it runs modally: make sure the item still exists
    // before the copy goes back (a removal listener clears currentItem when it is freed).
    if (confirmed && store.currentItem == edited) {
        // The real item's tags give way to the copy's; tag nodes carry no owner, so the copy's
        // chain needs no re-owning once it hangs on the real item.
        tags.deleteItemTags(edited);
        // The list position belongs to the store, not to the copy.
        PersonItem* next = edited->Next;
        PersonItem* prev = edited->Prev;
        *edited = *copy;
        edited->Next = next;
        edited->Prev = prev;
        host.paintWithoutErase();
    } else {
        tags.deleteItemTags(copy.get());
    }
    return confirmed;
}

}  // namespace kinloom
