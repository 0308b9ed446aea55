#pragma once
#include <QString>

namespace kinloom {

class ItemStore;

// Which entries of the "&Edit", "&Link" and "&Alias" menus are enabled when the menu opens
// (itemMenuState, linkMenuState, aliasMenuState). The window applies it to its actions.
struct MainMenuState {
    // "&Edit"
    bool align = false;             // "Align &Top", "Align &Bottom", "Align &Left", "Align &Right"
    bool properties = false;        // "&Properties"
    bool makeHome = false;          // "Make this item &Home"
    bool deleteItem = false;        // "&Delete"
    bool organizeAncestors = false; // "&Organize Ancestor Tree" and its entries
    bool createAncestors = false;   // "&Create Ancestor Tree"
    // "&Link"
    bool linkParentsAndSpouse = false;  // "Link to &Father", "Link to &Mother", "&Link to Spouse"
    bool deleteFatherLink = false;
    bool deleteMotherLink = false;
    bool deleteSpouseLink = false;
    // "&Alias"
    bool makeAlias = false;
    bool makeThisAlias = false;
    bool gotoAlias = false;
    QString gotoAliasCaption = QStringLiteral("&Go to Original");
};

MainMenuState computeMainMenuState(const ItemStore& store);

}  // namespace kinloom
