#pragma once
#include "canvas/edit_host.h"

namespace kinloom {

class ItemStore;
struct PersonItem;

// The editing and navigation commands around currentItem. Each one that needs currentItem does
// nothing when it is nil. The window's menu slots call these.
struct EditContext {
    ItemStore& store;
    ViewState& view;
    EditHost& host;
};

void newPerson(EditContext& ctx);
void linkCommand(EditContext& ctx, PendingLink kind);  // linkToFather, linkToMother, linkToSpouse
void deleteFatherLink(EditContext& ctx);
void deleteMotherLink(EditContext& ctx);
void makeAlias(EditContext& ctx);
void makeThisAlias(EditContext& ctx);
// fromDoubleClick: the command was started by the canvas double-click.
void goToAlias(EditContext& ctx, bool fromDoubleClick = false);
void makeHome(EditContext& ctx);
void goHome(EditContext& ctx);
void goToFather(EditContext& ctx);
void goToMother(EditContext& ctx);
// zoomToItem: centre currentItem at 100 % and repaint.
void zoomToCurrentItem(EditContext& ctx);

enum class AlignEdge { Top, Bottom, Left, Right };
void AlignSelection(EditContext& ctx, AlignEdge edge);  // alignTop, alignBottom, alignLeft, alignRight

// The last alias item in store order whose original is `original`; nil when there is none.
PersonItem* lastAliasOf(const ItemStore& store, const PersonItem* original);

}  // namespace kinloom
