#include "canvas/popup_state.h"

#include "document/item_store.h"
#include "platform/charsets.h"

namespace kinloom {

PopupMenuState ComputePopupMenuState(const TItemStore& store, const DisplayCharset* charset) {
    static const DisplayCharset kDefault;
    const DisplayCharset& cs = charset ? *charset : kDefault;
    const TPersonItem* c = store.CurrentItem;
    const bool noSelection = store.SelectionList().empty();
    const bool one = c && noSelection;
    const bool plain = one && !c->isAlias();
    auto names = [&](const TPersonItem* p) { return cs.decode(p->FirstName) + QLatin1Char(' ') + cs.decode(p->LastName); };

    PopupMenuState m;
    m.NewItem.visible = !c && noSelection;
    m.EditProperties.enabled = one;
    m.Delete.enabled = one || !noSelection;
    m.LinkToFather.enabled = plain;
    m.LinkToMother.enabled = plain;
    m.LinkToSpouse.enabled = one;
    m.DeleteLink.enabled = one;
    m.DeleteLinkSubEnabledApplies = one;
    m.DeleteLinkFather.visible = m.DeleteLinkMother.visible = m.DeleteLinkSpouse.visible = one;
    bool anySpouse = false;
    if (one)
        for (int i = 1; i <= kMaxSpouses; ++i) anySpouse = anySpouse || c->Spouse[i] != nullptr;
    m.DeleteLinkFather.enabled = one && c->Father && !c->isAlias();
    m.DeleteLinkMother.enabled = one && c->Mother;
    m.DeleteLinkSpouse.enabled = one && anySpouse;

    m.GotoFather.enabled = m.DeleteLinkFather.enabled && m.DeleteLink.enabled;
    m.GotoFather.caption = m.GotoFather.enabled ? QStringLiteral("&Father: ") + names(c->Father) : QStringLiteral("&Father");
    m.GotoMother.enabled = m.DeleteLinkMother.enabled && m.DeleteLink.enabled;
    m.GotoMother.caption = m.GotoMother.enabled ? QStringLiteral("&Mother: ") + names(c->Mother) : QStringLiteral("&Mother");
    m.ListOfSpouses.enabled = m.DeleteLinkSpouse.enabled && m.DeleteLink.enabled;
    m.ListOfSiblings.enabled = one;
    m.ListOfChildren.enabled = one;
    m.GotoAlias.enabled = c && (c->Kind == kKindRef || c->Kind == kKindAlias);
    if (c && c->Kind == kKindRef) m.GotoAlias.caption = QStringLiteral("&Original");
    if (c && c->Kind == kKindAlias) m.GotoAlias.caption = QStringLiteral("&Alias");
    m.ZoomToItem.enabled = one;
    m.AlignItems.enabled = !noSelection;
    m.MakeAlias.enabled = one && c->Kind.empty();
    m.MakeThisAlias.enabled = one && c->Kind.empty() && !c->Father && !c->Mother;
    return m;
}

ToolbarButtonState ComputeToolbarButtonState(const TItemStore& store) {
    const TPersonItem* c = store.CurrentItem;
    return {c != nullptr, c && !c->Father && !c->Mother};
}

}  // namespace kinloom
