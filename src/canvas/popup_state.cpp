#include "canvas/popup_state.h"

#include "document/item_store.h"
#include "platform/charsets.h"

namespace kinloom {

PopupMenuState computePopupMenuState(const ItemStore& store, const DisplayCharset* charset) {
    static const DisplayCharset kDefault;
    const DisplayCharset& cs = charset ? *charset : kDefault;
    const PersonItem* c = store.currentItem;
    const bool noSelection = store.selectionList().empty();
    const bool one = c && noSelection;
    const bool plain = one && !c->isAlias();
    auto names = [&](const PersonItem* p) { return cs.decode(p->FirstName) + QLatin1Char(' ') + cs.decode(p->LastName); };

    PopupMenuState m;
    m.newItem.visible = !c && noSelection;
    m.editProperties.enabled = one;
    m.deleteItem.enabled = one || !noSelection;
    m.linkToFather.enabled = plain;
    m.linkToMother.enabled = plain;
    m.linkToSpouse.enabled = one;
    m.deleteLink.enabled = one;
    m.deleteLinkSubEnabledApplies = one;
    m.deleteLinkFather.visible = m.deleteLinkMother.visible = m.deleteLinkSpouse.visible = one;
    bool anySpouse = false;
    if (one)
        for (int i = 1; i <= kMaxSpouses; ++i) anySpouse = anySpouse || c->Spouse[i] != nullptr;
    m.deleteLinkFather.enabled = one && c->Father && !c->isAlias();
    m.deleteLinkMother.enabled = one && c->Mother;
    m.deleteLinkSpouse.enabled = one && anySpouse;

    m.goToFatherEntry.enabled = m.deleteLinkFather.enabled && m.deleteLink.enabled;
    m.goToFatherEntry.caption = m.goToFatherEntry.enabled ? QStringLiteral("&Father: ") + names(c->Father) : QStringLiteral("&Father");
    m.goToMotherEntry.enabled = m.deleteLinkMother.enabled && m.deleteLink.enabled;
    m.goToMotherEntry.caption = m.goToMotherEntry.enabled ? QStringLiteral("&Mother: ") + names(c->Mother) : QStringLiteral("&Mother");
    m.listOfSpouses.enabled = m.deleteLinkSpouse.enabled && m.deleteLink.enabled;
    m.listOfSiblings.enabled = one;
    m.listOfChildren.enabled = one;
    m.goToAliasEntry.enabled = c && (c->Kind == kKindRef || c->Kind == kKindAlias);
    if (c && c->Kind == kKindRef) m.goToAliasEntry.caption = QStringLiteral("&Original");
    if (c && c->Kind == kKindAlias) m.goToAliasEntry.caption = QStringLiteral("&Alias");
    m.zoomToItem.enabled = one;
    m.alignItems.enabled = !noSelection;
    m.makeAliasAction.enabled = one && c->Kind.empty();
    m.makeThisAliasAction.enabled = one && c->Kind.empty() && !c->Father && !c->Mother;
    return m;
}

ToolbarButtonState computeToolbarButtonState(const ItemStore& store) {
    const PersonItem* c = store.currentItem;
    return {c != nullptr, c && !c->Father && !c->Mother};
}

}  // namespace kinloom
