#pragma once
#include "document/view_state.h"

namespace kinloom {

class ItemStore;
class Prompts;

// The arrangement alone: picks the item with the deepest pedigree as the home item and lays every
// item out in generation rows 500 apart, neighbours 160 apart, each row centred over the row below.
// The new home item is left as currentItem; the view and store.modified are not touched.
void arrangeAllItems(ItemStore& store);

// Everything Tools > Auto Arrange Items does once the user has said yes: the arrangement, then the
// home item becomes current and is centred at 100 % in a window of the given outer size. store.modified is
// left as it was. An empty store is left alone. The GEDCOM import calls this after reading a file.
void arrangeAllItems(ItemStore& store, ViewState& view, WindowSize window);

// The menu command's questions: "No items to rearrange." on an empty store, otherwise the warning;
// true when the user said Yes.
bool confirmAutoArrange(const ItemStore& store, Prompts& prompts);

// The menu command: "No items to rearrange." on an empty store, otherwise the warning question and,
// on Yes, arrangeAllItems. Returns true when the items moved and the canvas needs a repaint.
bool autoArrange(ItemStore& store, ViewState& view, WindowSize window, Prompts& prompts);

}  // namespace kinloom
