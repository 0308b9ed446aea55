#pragma once
#include <functional>

namespace kinloom {

class ItemStore;
struct PersonItem;
class EditHost;

// editProperties, the bridge to the person dialog: the dialog edits a working copy of currentItem
// and the copy goes back over the real item, as a whole, only when the dialog was confirmed.
// `runDialog` fills the dialog from the copy (the real item is passed too, for the spouse sides),
// shows it modally and returns whether it was confirmed. Returns that answer (false with no item).
using PersonDialogRunner = std::function<bool(PersonItem& copy, PersonItem& edited)>;
bool editProperties(ItemStore& store, EditHost& host, const PersonDialogRunner& runDialog);

}  // namespace kinloom
