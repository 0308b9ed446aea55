#include "canvas/edit_commands.h"

#include "canvas/view_math.h"
#include "canvas/zoom.h"
#include "document/item_store.h"
#include "document/shared_person_fields.h"

#include <algorithm>

namespace kinloom {

namespace {

// The new box hangs under the pointer until the next click drops it.
void hangUnderPointer(EditContext& ctx, PersonItem& item) {
    item.X = ctx.store.pointerX;
    item.Y = ctx.store.pointerY;
    ctx.store.currentItem = &item;
    ctx.host.startPlacing(true);
    ctx.host.repaint();
}

}  // namespace

void zoomToCurrentItem(EditContext& ctx) {
    if (!ctx.store.currentItem) return;
    centreItem(ctx.store.currentItem, ctx.view, ctx.host.outerSize());
    ctx.host.repaint();
}

void newPerson(EditContext& ctx) {
    if (!ctx.store.createItem()) return;
    ctx.host.startPlacing(false);
    ctx.host.paintWithoutErase();
}

void linkCommand(EditContext& ctx, PendingLink kind) {
    ctx.host.setCrossCursor();
    const PersonItem* item = ctx.store.currentItem;
    if (!item) return;
    // Wide sums: an item at the far edge of the canvas must not wrap its link point round.
    ctx.host.armLink(kind, saturateInt(0LL + item->X + kLinkDX), saturateInt(0LL + item->Y + kLinkDY));
}

void deleteFatherLink(EditContext& ctx) {
    if (!ctx.store.currentItem) return;
    ctx.store.modified = true;
    ctx.store.touch(ctx.store.currentItem);
    ctx.store.currentItem->Father = nullptr;
    ctx.host.repaint();
}

void deleteMotherLink(EditContext& ctx) {
    if (!ctx.store.currentItem) return;
    ctx.store.modified = true;
    ctx.store.touch(ctx.store.currentItem);
    ctx.store.currentItem->Mother = nullptr;
    ctx.host.repaint();
}

void makeAlias(EditContext& ctx) {
    PersonItem* original = ctx.store.currentItem;
    if (!original) return;
    ctx.store.modified = true;
    ctx.store.touch(original);
    original->Kind = kKindAlias;
    PersonItem* alias = ctx.store.createItem();
    if (!alias) return;
    copySharedPersonFields(*alias, *original);
    alias->Kind = kKindRef;
    alias->Father = original;
    hangUnderPointer(ctx, *alias);
}

void makeThisAlias(EditContext& ctx) {
    PersonItem* alias = ctx.store.currentItem;
    if (!alias) return;
    ctx.store.modified = true;
    ctx.store.touch(alias);
    alias->Kind = kKindRef;
    PersonItem* original = ctx.store.createItem();
    if (!original) return;
    copySharedPersonFields(*original, *alias);
    original->Selected = false;
    original->Kind = kKindAlias;
    alias->Father = original;
    alias->Mother = nullptr;  // an alias has no parents of its own
    hangUnderPointer(ctx, *original);
}

PersonItem* lastAliasOf(const ItemStore& store, const PersonItem* original) {
    PersonItem* found = nullptr;
    for (PersonItem* p = store.firstItem(); p; p = p->Next)
        if (p->isAlias() && p->Father == original) found = p;
    return found;
}

void goToAlias(EditContext& ctx, bool fromDoubleClick) {
    const double previousZoom = ctx.view.zoom;
    PersonItem* current = ctx.store.currentItem;
    if (current) {
        if (current->isAlias() && current->Father)
            ctx.store.currentItem = current->Father;
        else if (current->Kind == kKindAlias)
            if (PersonItem* alias = lastAliasOf(ctx.store, current)) ctx.store.currentItem = alias;
        centreItem(ctx.store.currentItem, ctx.view, ctx.host.outerSize());
    } else {
        centrePoint(ctx.store.pointerX, ctx.store.pointerY, ctx.view, ctx.host.outerSize());
    }
    ctx.host.zoomTo(previousZoom);
    if (fromDoubleClick) ctx.host.setIgnoreNextMouseDown();
}

void makeHome(EditContext& ctx) {
    PersonItem* item = ctx.store.currentItem;
    if (!item || item == ctx.store.firstItem()) return;
    ctx.store.moveToFront(item);
    ctx.host.repaint();
}

void goHome(EditContext& ctx) {
    ctx.store.currentItem = ctx.store.firstItem();
    zoomToCurrentItem(ctx);
}

void goToFather(EditContext& ctx) {
    if (!ctx.store.currentItem) return;
    ctx.store.currentItem = ctx.store.currentItem->Father;
    zoomToCurrentItem(ctx);
}

void goToMother(EditContext& ctx) {
    if (!ctx.store.currentItem) return;
    ctx.store.currentItem = ctx.store.currentItem->Mother;
    zoomToCurrentItem(ctx);
}

void alignSelection(EditContext& ctx, AlignEdge edge) {
    const auto& selection = ctx.store.selectionList();
    if (selection.empty()) return;
    ctx.store.modified = true;
    const bool vertical = edge == AlignEdge::Top || edge == AlignEdge::Bottom;
    const bool smallest = edge == AlignEdge::Top || edge == AlignEdge::Left;
    auto coordinate = [vertical](PersonItem* p) -> int32_t& { return vertical ? p->Y : p->X; };
    int32_t target = coordinate(selection.front());
    for (PersonItem* p : selection)
        target = smallest ? std::min(target, coordinate(p)) : std::max(target, coordinate(p));
    for (PersonItem* p : selection) {
        ctx.store.touchPlace(p);
        coordinate(p) = target;
    }
    ctx.host.repaint();
}

}  // namespace kinloom
