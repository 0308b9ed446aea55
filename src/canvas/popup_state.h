#pragma once
#include <QString>

namespace kinloom {

class ItemStore;
class DisplayCharset;

// An entry's state as the canvas popup menu shows it when it opens. An empty caption keeps the
// entry's own caption.
struct PopupEntryState {
    bool visible = true;
    bool enabled = true;
    QString caption;
};

// The state of every canvas popup entry that depends on currentItem and the selection. Entries not
// listed here ("&Home", the zoom commands but Zoom to Item, "Make This &Home") keep their state.
// The three "D&elete Link" sub-entries keep their enabled state while hidden, so `keep` says
// whether `enabled` applies.
struct PopupMenuState {
    PopupEntryState newItem;
    PopupEntryState editProperties;
    PopupEntryState deleteItem;
    PopupEntryState linkToFather, linkToMother, linkToSpouse;
    PopupEntryState deleteLink;
    PopupEntryState deleteLinkFather, deleteLinkMother, deleteLinkSpouse;
    bool deleteLinkSubEnabledApplies = false;  // false: the hidden sub-entries keep their enabled state
    PopupEntryState goToFatherEntry, goToMotherEntry;
    PopupEntryState listOfSpouses, listOfSiblings, listOfChildren;
    PopupEntryState goToAliasEntry;
    PopupEntryState zoomToItem;
    PopupEntryState alignItems;
    PopupEntryState makeAliasAction, makeThisAliasAction;
};

PopupMenuState computePopupMenuState(const ItemStore& store, const DisplayCharset* charset = nullptr);

// The two toolbar buttons that follow currentItem.
struct ToolbarButtonState {
    bool editProperties = false;
    bool createAncestorTree = false;
};
ToolbarButtonState computeToolbarButtonState(const ItemStore& store);

}  // namespace kinloom
