#pragma once
#include <QString>

namespace kinloom {

class TItemStore;
class DisplayCharset;

// An entry's state as the canvas popup menu shows it when it opens. An empty caption keeps the
// entry's own caption.
struct PopupEntryState {
    bool visible = true;
    bool enabled = true;
    QString caption;
};

// The state of every canvas popup entry that depends on CurrentItem and the selection. Entries not
// listed here ("&Home", the zoom commands but Zoom to Item, "Make This &Home") keep their state.
// The three "D&elete Link" sub-entries keep their enabled state while hidden, so `keep` says
// whether `enabled` applies.
struct PopupMenuState {
    PopupEntryState NewItem;
    PopupEntryState EditProperties;
    PopupEntryState Delete;
    PopupEntryState LinkToFather, LinkToMother, LinkToSpouse;
    PopupEntryState DeleteLink;
    PopupEntryState DeleteLinkFather, DeleteLinkMother, DeleteLinkSpouse;
    bool DeleteLinkSubEnabledApplies = false;  // false: the hidden sub-entries keep their enabled state
    PopupEntryState GotoFather, GotoMother;
    PopupEntryState ListOfSpouses, ListOfSiblings, ListOfChildren;
    PopupEntryState GotoAlias;
    PopupEntryState ZoomToItem;
    PopupEntryState AlignItems;
    PopupEntryState MakeAlias, MakeThisAlias;
};

PopupMenuState ComputePopupMenuState(const TItemStore& store, const DisplayCharset* charset = nullptr);

// The two toolbar buttons that follow CurrentItem.
struct ToolbarButtonState {
    bool EditProperties = false;
    bool CreateAncestorTree = false;
};
ToolbarButtonState ComputeToolbarButtonState(const TItemStore& store);

}  // namespace kinloom
