#pragma once
#include "canvas/edit_host.h"

namespace kinloom {

class ItemStore;
struct PersonItem;

// The editing and navigation commands around currentItem. Each one that needs currentItem does
// nothing when it is null. The window's menu slots call these.
struct EditContext {
    ItemStore& store;
    ViewState& view;
    EditHost& host;
};

void newPerson(EditContext& ctx);
// Arms a father, mother or spouse link from currentItem; the next press on the canvas completes it.
void linkCommand(EditContext& ctx, PendingLink kind);
void deleteFatherLink(EditContext& ctx);
void deleteMotherLink(EditContext& ctx);
void makeAlias(EditContext& ctx);
void makeThisAlias(EditContext& ctx);
// From an alias to its original, or from an original to its last alias, keeping the zoom. The
// canvas double-click runs it with fromDoubleClick, so that the press that follows is ignored.
void goToAlias(EditContext& ctx, bool fromDoubleClick = false);
void makeHome(EditContext& ctx);
void goHome(EditContext& ctx);
void goToFather(EditContext& ctx);
void goToMother(EditContext& ctx);
// Centres currentItem at 100 % and repaints.
void zoomToCurrentItem(EditContext& ctx);

enum class AlignEdge { Top, Bottom, Left, Right };
// Moves every selected item to the topmost, bottom-most, leftmost or rightmost position among them.
void alignSelection(EditContext& ctx, AlignEdge edge);

// The last alias item in store order whose original is `original`; null when there is none.
PersonItem* lastAliasOf(const ItemStore& store, const PersonItem* original);

}  // namespace kinloom
