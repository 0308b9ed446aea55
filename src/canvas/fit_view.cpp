#include "canvas/fit_view.h"

#include "canvas/view_math.h"
#include "document/item_store.h"
#include "platform/rounding.h"

#include <algorithm>
#include <climits>

namespace kinloom {

namespace {
constexpr int kMargin = kFitMargin;

void include(CanvasBounds& b, const PersonItem& item) {
    b.minX = std::min<long long>(b.minX, item.X);
    b.minY = std::min<long long>(b.minY, item.Y);
    b.maxX = std::max<long long>(b.maxX, 0LL + item.X + kItemWidth + 1);  // the shadow lies outside
    b.maxY = std::max<long long>(b.maxY, 0LL + item.Y + kItemHeight + 1);
}

constexpr CanvasBounds kNothing{LLONG_MAX, LLONG_MAX, LLONG_MIN, LLONG_MIN};
}  // namespace

std::optional<CanvasBounds> boundsOfStore(const ItemStore& store) {
    if (store.empty()) return std::nullopt;
    CanvasBounds b = kNothing;
    for (const PersonItem* item = store.firstItem(); item; item = item->Next) include(b, *item);
    return b;
}

std::optional<CanvasBounds> boundsOfItems(const std::vector<PersonItem*>& items) {
    if (items.empty()) return std::nullopt;
    CanvasBounds b = kNothing;
    for (const PersonItem* item : items) include(b, *item);
    return b;
}

ViewState fitView(const CanvasBounds& bounds, QSize size, std::optional<double> zoom) {
    ViewState view;
    if (zoom) view.zoom = *zoom;
    if (size.width() <= 0 || size.height() <= 0) return view;
    const long long minX = bounds.minX - kMargin, minY = bounds.minY - kMargin;
    const long long maxX = bounds.maxX + kMargin, maxY = bounds.maxY + kMargin;
    if (!zoom) {
        const double fit = std::min(size.width() * 100.0 / static_cast<double>(maxX - minX),
                                    size.height() * 100.0 / static_cast<double>(maxY - minY));
        view.zoom = std::min(100.0, fit);
    }
    const double s = view.zoom * 0.01;
    const double visibleW = size.width() / s, visibleH = size.height() / s;
    // A tree that spans the whole canvas needs an offset just beyond the int range: it stops at the end.
    view.offsetX = saturateInt(
        roundHalfEven((visibleW - static_cast<double>(maxX - minX)) / 2 - static_cast<double>(minX)));
    view.offsetY = saturateInt(
        roundHalfEven((visibleH - static_cast<double>(maxY - minY)) / 2 - static_cast<double>(minY)));
    return view;
}

ViewState fitWholeTree(const ItemStore& store, QSize size, std::optional<double> zoom) {
    const std::optional<CanvasBounds> bounds = boundsOfStore(store);
    if (!bounds) {
        ViewState view;
        if (zoom) view.zoom = *zoom;
        return view;
    }
    return fitView(*bounds, size, zoom);
}

std::optional<ViewState> fitSelection(const ItemStore& store, QSize size) {
    std::optional<CanvasBounds> bounds = boundsOfItems(store.selectionList());
    if (!bounds && store.currentItem) bounds = boundsOfItems({store.currentItem});
    if (!bounds) return std::nullopt;
    return fitView(*bounds, size);
}

}  // namespace kinloom
