#pragma once
#include "document/view_state.h"

#include <QSize>

#include <optional>
#include <vector>

namespace kinloom {

class ItemStore;
struct PersonItem;

// The canvas area that a set of boxes covers, their shadows included (the right and bottom edges
// lie one unit outside the box). Wide integers: a box may sit at the very end of the int range.
struct CanvasBounds {
    long long minX = 0, minY = 0, maxX = 0, maxY = 0;
};

std::optional<CanvasBounds> boundsOfStore(const ItemStore& store);
std::optional<CanvasBounds> boundsOfItems(const std::vector<PersonItem*>& items);

// Canvas units left around the boxes when a view is fitted to them.
inline constexpr int kFitMargin = 20;

// The view that shows the bounds centred in a picture or window of `size` pixels, with a small
// margin, at most 100 %. A given zoom is kept and only the centring is done.
ViewState fitView(const CanvasBounds& bounds, QSize size, std::optional<double> zoom = {});

// Every box of the store; an empty store gets 100 % at offset (0, 0) (or the given zoom).
ViewState fitWholeTree(const ItemStore& store, QSize size, std::optional<double> zoom = {});

// The items of the multi-selection, or the current item when nothing is selected; nothing when
// neither is there.
std::optional<ViewState> fitSelection(const ItemStore& store, QSize size);

}  // namespace kinloom
