#include "canvas/menu_state.h"

#include "document/item_store.h"

namespace kinloom {

MainMenuState computeMainMenuState(const ItemStore& store) {
    MainMenuState m;
    const PersonItem* c = store.currentItem;
    const bool selection = !store.selectionList().empty();
    m.align = selection;
    m.properties = m.makeHome = c != nullptr;
    m.deleteItem = c != nullptr || selection;
    m.organizeAncestors = c && (c->Father || c->Mother);
    m.createAncestors = c && !c->Father && !c->Mother && !c->isAlias();
    m.linkParentsAndSpouse = c && !c->isAlias();
    m.deleteFatherLink = m.linkParentsAndSpouse && c->Father;
    m.deleteMotherLink = m.linkParentsAndSpouse && c->Mother;
    m.deleteSpouseLink = c && [c] {
        for (int i = 1; i <= kMaxSpouses; ++i)
            if (c->Spouse[i]) return true;
        return false;
    }();
    m.makeAlias = c && c->Kind.empty();
    m.makeThisAlias = m.makeAlias && !c->Father && !c->Mother;
    m.gotoAlias = c && !c->Kind.empty();
    if (c && c->Kind == kKindAlias) m.gotoAliasCaption = QStringLiteral("&Go to Alias");
    return m;
}

}  // namespace kinloom
