#include "canvas/edit_commands.h"

#include "canvas/view_math.h"
#include "canvas/zoom.h"
#include "document/item_store.h"

#include <algorithm>

namespace kinloom {

namespace {

// The person fields that an alias item carries as copies of its original.
void CopyPersonFields(TPersonItem& to, const TPersonItem& from) {
    to.FirstName = from.FirstName;
    to.LastName = from.LastName;
    to.PictureFile = from.PictureFile;
    to.NotesFile = from.NotesFile;
    to.Sex = from.Sex;
    to.BornDate = from.BornDate;
    to.DiedDate = from.DiedDate;
    to.PictureText = from.PictureText;
    to.DiedPlace = from.DiedPlace;
    to.BornPlace = from.BornPlace;
    to.BaptizedDate = from.BaptizedDate;
    to.BaptizedPlace = from.BaptizedPlace;
    to.Occupation = from.Occupation;
    to.Source = from.Source;
}

// The new box hangs under the pointer until the next click drops it.
void HangUnderPointer(EditContext& ctx, TPersonItem& item) {
    item.X = ctx.store.PointerX;
    item.Y = ctx.store.PointerY;
    ctx.store.CurrentItem = &item;
    ctx.host.StartPlacing(true);
    ctx.host.Repaint();
}

}  // namespace

void ZoomToCurrentItem(EditContext& ctx) {
    if (!ctx.store.CurrentItem) return;
    CentreItem(ctx.store.CurrentItem, ctx.view, ctx.host.OuterSize());
    ctx.host.Repaint();
}

void Nyperson1Click(EditContext& ctx) {
    if (!ctx.store.LagNyPerson()) return;
    ctx.host.StartPlacing(false);
    ctx.host.PaintWithoutErase();
}

void LinkCommand(EditContext& ctx, PendingLink kind) {
    ctx.host.SetCrossCursor();
    const TPersonItem* item = ctx.store.CurrentItem;
    if (!item) return;
    // Wide sums: an item at the far edge of the canvas must not wrap its link point round.
    ctx.host.ArmLink(kind, SaturateInt(0LL + item->X + kLinkDX), SaturateInt(0LL + item->Y + kLinkDY));
}

void DeleteLinktoFather1Click(EditContext& ctx) {
    if (!ctx.store.CurrentItem) return;
    ctx.store.Modified = true;
    ctx.store.CurrentItem->Father = nullptr;
    ctx.host.Repaint();
}

void DeleteLinktoMother1Click(EditContext& ctx) {
    if (!ctx.store.CurrentItem) return;
    ctx.store.Modified = true;
    ctx.store.CurrentItem->Mother = nullptr;
    ctx.host.Repaint();
}

void MakeAliasClick(EditContext& ctx) {
    TPersonItem* original = ctx.store.CurrentItem;
    if (!original) return;
    ctx.store.Modified = true;
    original->Kind = kKindAlias;
    TPersonItem* alias = ctx.store.LagNyPerson();
    if (!alias) return;
    CopyPersonFields(*alias, *original);
    alias->Kind = kKindRef;
    alias->Father = original;
    HangUnderPointer(ctx, *alias);
}

void MakeThisAliasClick(EditContext& ctx) {
    TPersonItem* alias = ctx.store.CurrentItem;
    if (!alias) return;
    ctx.store.Modified = true;
    alias->Kind = kKindRef;
    TPersonItem* original = ctx.store.LagNyPerson();
    if (!original) return;
    CopyPersonFields(*original, *alias);
    original->Selected = false;
    original->Kind = kKindAlias;
    alias->Father = original;
    alias->Mother = nullptr;  // an alias has no parents of its own
    HangUnderPointer(ctx, *original);
}

TPersonItem* LastAliasOf(const TItemStore& store, const TPersonItem* original) {
    TPersonItem* found = nullptr;
    for (TPersonItem* p = store.FirstItem(); p; p = p->Next)
        if (p->isAlias() && p->Father == original) found = p;
    return found;
}

void GotoAlias1Click(EditContext& ctx, bool fromDoubleClick) {
    const double previousZoom = ctx.view.Zoom;
    TPersonItem* current = ctx.store.CurrentItem;
    if (current) {
        if (current->isAlias() && current->Father)
            ctx.store.CurrentItem = current->Father;
        else if (current->Kind == kKindAlias)
            if (TPersonItem* alias = LastAliasOf(ctx.store, current)) ctx.store.CurrentItem = alias;
        CentreItem(ctx.store.CurrentItem, ctx.view, ctx.host.OuterSize());
    } else {
        CentrePoint(ctx.store.PointerX, ctx.store.PointerY, ctx.view, ctx.host.OuterSize());
    }
    ctx.host.ZoomTo(previousZoom);
    if (fromDoubleClick) ctx.host.SetIgnoreNextMouseDown();
}

void Makehome1Click(EditContext& ctx) {
    TPersonItem* item = ctx.store.CurrentItem;
    if (!item || item == ctx.store.FirstItem()) return;
    ctx.store.MoveToFront(item);
    ctx.host.Repaint();
}

void Home1Click(EditContext& ctx) {
    ctx.store.CurrentItem = ctx.store.FirstItem();
    ZoomToCurrentItem(ctx);
}

void Father1Click(EditContext& ctx) {
    if (!ctx.store.CurrentItem) return;
    ctx.store.CurrentItem = ctx.store.CurrentItem->Father;
    ZoomToCurrentItem(ctx);
}

void Mother1Click(EditContext& ctx) {
    if (!ctx.store.CurrentItem) return;
    ctx.store.CurrentItem = ctx.store.CurrentItem->Mother;
    ZoomToCurrentItem(ctx);
}

void AlignSelection(EditContext& ctx, AlignEdge edge) {
    const auto& selection = ctx.store.SelectionList();
    if (selection.empty()) return;
    ctx.store.Modified = true;
    const bool vertical = edge == AlignEdge::Top || edge == AlignEdge::Bottom;
    const bool smallest = edge == AlignEdge::Top || edge == AlignEdge::Left;
    auto coordinate = [vertical](TPersonItem* p) -> int32_t& { return vertical ? p->Y : p->X; };
    int32_t target = coordinate(selection.front());
    for (TPersonItem* p : selection)
        target = smallest ? std::min(target, coordinate(p)) : std::max(target, coordinate(p));
    for (TPersonItem* p : selection) coordinate(p) = target;
    ctx.host.Repaint();
}

}  // namespace kinloom
