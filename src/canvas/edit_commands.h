#pragma once
#include "canvas/edit_host.h"

namespace kinloom {

class TItemStore;
struct TPersonItem;

// The editing and navigation commands around CurrentItem. Each one that needs CurrentItem does
// nothing when it is nil. The window's menu slots call these.
struct EditContext {
    TItemStore& store;
    ViewState& view;
    EditHost& host;
};

void Nyperson1Click(EditContext& ctx);
void LinkCommand(EditContext& ctx, PendingLink kind);  // LinktoFather1Click, LinktoMother2Click, LinkMarriage1Click
void DeleteLinktoFather1Click(EditContext& ctx);
void DeleteLinktoMother1Click(EditContext& ctx);
void MakeAliasClick(EditContext& ctx);
void MakeThisAliasClick(EditContext& ctx);
// fromDoubleClick: the command was started by the canvas double-click.
void GotoAlias1Click(EditContext& ctx, bool fromDoubleClick = false);
void Makehome1Click(EditContext& ctx);
void Home1Click(EditContext& ctx);
void Father1Click(EditContext& ctx);
void Mother1Click(EditContext& ctx);
// Zoom1Click: centre CurrentItem at 100 % and repaint.
void ZoomToCurrentItem(EditContext& ctx);

enum class AlignEdge { Top, Bottom, Left, Right };
void AlignSelection(EditContext& ctx, AlignEdge edge);  // Top1Click, Bottom1Click, Left1Click, Right1Click

// The last alias item in store order whose original is `original`; nil when there is none.
TPersonItem* LastAliasOf(const TItemStore& store, const TPersonItem* original);

}  // namespace kinloom
